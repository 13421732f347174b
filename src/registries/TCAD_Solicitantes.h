#pragma once

#include "RegistryForm.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace kalvero {

class MaskedDigitsEdit;
class RegistryController;
class TUDMCadastro;
struct SessionState;

// The requester registry: people and companies in whose name protocols are
// opened, each with the one document its person type calls for. It works on
// the requesters of the registry module given, and hands the code of a saved
// requester to the session given.
class TCAD_Solicitantes : public QDialog {
    Q_OBJECT
public:
    enum PersonType { NoType = -1, PessoaFisica = 0, PessoaJuridica = 1 };

    TCAD_Solicitantes(TUDMCadastro &data, SessionState &session, QWidget *parent = nullptr);
    ~TCAD_Solicitantes() override;

    PersonType personType() const;
    bool DocumentValidated() const { return m_documentValidated; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setPersonType(PersonType type);
    void clearPersonType();
    void personTypeChanged(PersonType type);
    void leaveCpfBox();
    void leaveCnpjBox();
    QWidget *boxAtFault();
    bool duplicateCheckPasses();
    bool CheckDocumentsUnique();

    TUDMCadastro &m_data;
    RegistryForm form;
    QLineEdit *edtConsultaCodigo;
    QToolButton *btnLocalizar;
    QLineEdit *edtConsultaNome;
    MaskedDigitsEdit *edtConsultaCpf;
    MaskedDigitsEdit *edtConsultaCnpj;

    QLineEdit *edtCodigo;
    QGroupBox *rgTipoSolicitante;
    QRadioButton *rbPessoaFisica;
    QRadioButton *rbPessoaJuridica;
    MaskedDigitsEdit *edtCpf;
    MaskedDigitsEdit *edtCnpj;
    QLineEdit *edtNome;
    QLineEdit *edtEndereco;
    QLineEdit *edtNumero;
    QLineEdit *edtCep;
    QLineEdit *edtMunicipio;
    QLineEdit *edtBairro;
    QLineEdit *edtComplemento;
    QLineEdit *edtUf;
    QLineEdit *edtEmail;
    QLineEdit *edtTelefone;

    RegistryController *registry;

    QButtonGroup *m_personTypes;
    bool m_documentValidated = false;
    bool m_changingType = false;  // a document box losing the focus to the change is not left
    QString m_loadedCpf;
    QString m_loadedCnpj;
};

}  // namespace kalvero
