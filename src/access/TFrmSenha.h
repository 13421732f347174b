#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvero {

// The login window: the operator identifies himself and opens the work unit
// whose register he keeps. Closing it without both ends the program.
class TFrmSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSenha(QWidget *owner = nullptr);
    ~TFrmSenha() override;

    // The last login attempt succeeded.
    bool LoginAccepted = false;
    // A unit is picked and, after "Definir Unidade", its database is open.
    bool UnitChosen = false;

    // Run each time the window is shown, once the program folder is known.
    std::function<void()> updateCheck;
    // The registries behind the two level-1 buttons, each shown modally: the
    // operator and work-unit registries unless replaced. A button without its
    // registry stays disabled.
    std::function<void(QWidget *owner)> openOperatorRegistry;
    std::function<void(QWidget *owner)> openUnitRegistry;

    QLabel *lblVersao;
    QLineEdit *edtUsuario;
    QLineEdit *edtSenha;
    QPushButton *btnOK;
    QPushButton *btnCadastroSenha;
    QPushButton *btnCadastroUnidade;
    QComboBox *cbUnidade;
    QPushButton *btnDefinirUnidade;
    QLabel *lblCaminhoTitulo;
    QLabel *lblCaminho;
    QPushButton *btnFechar;

    // The handlers, callable as the buttons call them.
    void login();
    void unitPicked();
    void defineUnit();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enterFirstState();
    void openRegistry(const std::function<void(QWidget *)> &registry);
    void closeAccessData();
    bool findUnitRow(const QString &item);
};

}  // namespace kalvero
