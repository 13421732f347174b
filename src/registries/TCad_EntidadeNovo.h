#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalvero {

// The administration that owns the unit: the one row of TBENTIDADE, shown
// for editing and created when the table is empty. Saving it also refreshes
// what the reports and labels of this run take from it.
class TCad_EntidadeNovo : public QDialog {
    Q_OBJECT
public:
    explicit TCad_EntidadeNovo(QWidget *parent = nullptr);
    ~TCad_EntidadeNovo() override;

    void done(int result) override;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void loadEntity();
    void leaveCnpjBox();
    void gravar();
    void sair();
    void warn(const QString &text);

    QButtonGroup *m_sequence;
    bool m_closing = false;
};

}  // namespace kalvero
