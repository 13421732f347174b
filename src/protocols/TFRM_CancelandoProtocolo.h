#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace kalvero {

// Asks why a protocol (or a movement) is cancelled. "OK" with a reason hands
// it back in the string given and closes; "Cancelar" empties that string and
// closes. The string outlives the dialog, as the reason of the last use.
class TFRM_CancelandoProtocolo : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_CancelandoProtocolo(QString &cancellationReason, QWidget *parent = nullptr);

    // Shows the dialog modally; true when a reason was given.
    static bool askReason(QString &cancellationReason, QWidget *parent);

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ok();

    QString &m_reason;
    QPlainTextEdit *mmMotivo;
    QPushButton *btnOK;
    QPushButton *btnCancelar;
};

}  // namespace kalvero
