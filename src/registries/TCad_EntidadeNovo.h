#pragma once

#include "ui/TextCase.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalvero {

class RecordSet;
class TUDMCadastro;
struct SessionState;

// The administration that owns the unit: the one row of TBENTIDADE of the
// registry module given, shown for editing and created when the table is
// empty. Saving it also refreshes what the reports and labels of this run
// take from it, in the session given.
class TCad_EntidadeNovo : public QDialog {
    Q_OBJECT
public:
    TCad_EntidadeNovo(TUDMCadastro &data, SessionState &session, QWidget *parent = nullptr);
    ~TCad_EntidadeNovo() override;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadEntity();
    void leaveCnpjBox();
    void gravar();
    void sair();
    void warn(const QString &text);
    QLineEdit *dataBox(QGroupBox *group, const char *name, const QString &label, const QString &field,
                       TextCase textCase);

    RecordSet &m_entity;
    SessionState &m_session;
    QGroupBox *grpEntidade;
    QLineEdit *edtCnpj;
    QLineEdit *edtFone;
    QGroupBox *grpResponsaveis;
    QLineEdit *edtPrefeito;
    QLineEdit *edtTesoureiro;
    QGroupBox *grpEndereco;
    QLineEdit *edtEndereco;
    QLineEdit *edtNumero;
    QLineEdit *edtComplemento;
    QLineEdit *edtBairro;
    QLineEdit *edtCep;
    QLineEdit *edtCidade;
    QComboBox *cbEstado;
    QGroupBox *grpRelatorios;
    QLineEdit *edtResponsavel1;
    QLineEdit *edtResponsavel2;
    QGroupBox *grpConfiguracoes;
    QGroupBox *rgSequenciaImpressao;
    QRadioButton *rbSeparados;
    QRadioButton *rbAgrupados;
    QLabel *lblObrigatorias;
    QPushButton *btnGravar;
    QPushButton *btnSair;
    QButtonGroup *m_sequence;
    bool m_closing = false;
    // The CNPJ box was left by a mouse press on "&Sair" not yet released.
    bool m_cnpjExitPending = false;
};

}  // namespace kalvero
