#pragma once

#include "ConsultationStore.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace kalvero {

class ConsultationRunner;
struct SessionState;

// "Consulta de Protocolos": one box for what the operator types or scans (a
// label's barcode, number/year, CPF, CNPJ or part of a name), searched in
// every work unit at once; one line per protocol found with where it is now;
// the selected line's documents and path; its status slip for the citizen.
class TCON_Protocolos : public QDialog {
    Q_OBJECT
public:
    struct Commands {
        // The search over the units; by default every unit of the session's
        // access database.
        std::function<ConsultationAnswer(const ConsultationInput &)> search;
        std::function<ProtocolDetail(const WorkUnit &, const ProtocolFound &)> detail;
        // Opens a protocol of the logged-in unit on the protocol screen.
        std::function<void(const QString &number, const QString &year, QWidget *screen)> openProtocol;
        std::function<void(const WorkUnit &, const ProtocolFound &, QWidget *screen)> printSlip;
    };
    // Fills the commands left empty with the standard ones.
    static Commands standardCommands(const SessionState &session, Commands given = {});

    // Typing waits this long for the next key before it searches.
    static constexpr int TypingPauseMs = 350;

    TCON_Protocolos(const SessionState &session, Commands commands, QWidget *parent = nullptr);
    ~TCON_Protocolos() override;

    // The answer on the screen and the line chosen in it.
    const ConsultationAnswer &answer() const { return m_answer; }
    bool searching() const;
    // Starts the search of the box now, as Enter does.
    void searchNow();

    QLineEdit *edtConsulta;
    QPushButton *btnConsultar;
    QLabel *lblMensagem;
    QTableWidget *grdProtocolos;
    QTableWidget *grdDocumentos;
    QTableWidget *grdCaminho;
    QLabel *lblLegenda;
    QPushButton *btnImprimir;
    QPushButton *btnSair;

    enum Column { Unidade, Protocolo, Entrada, Solicitante, Assunto, Status, OndeEsta, DiasEntrada, DiasMovimento };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void typed();
    void answered(const ConsultationInput &input, const ConsultationAnswer &answer);
    // A refused scan or typing leaves no earlier answer on the screen, so
    // that it is never read as the answer to what was refused.
    void clearAnswer();
    void showMessage(const QString &text, bool trouble);
    void showDetail();
    void openChosen();
    void printChosen();
    // The unit and protocol of the chosen line; null when the line is none.
    const UnitAnswer *chosenUnit() const;
    const ProtocolFound *chosenProtocol() const;

    const SessionState &m_session;
    Commands m_commands;
    ConsultationRunner *m_runner;
    QTimer *m_typingPause;
    ConsultationAnswer m_answer;
    // For each line of the list: its unit and protocol (-1: the unit's failure).
    QVector<QPair<int, int>> m_lines;
    QVector<bool> m_cancelledSteps;
};

}  // namespace kalvero
