#pragma once

#include "protocols/ProtocolPrintCommands.h"

#include <QString>

class QWidget;

namespace kalvero {

class TDM;
struct SessionState;

// "Imprimir Relação": the printed history of one protocol, shown in the
// report engine's preview. The report module is made for the run when none
// is open, and goes with it.
class MovementHistoryPrint {
public:
    using Presenter = ProtocolPrintCommands::Presenter;

    MovementHistoryPrint(TDM &unit, SessionState &session, Presenter present = ProtocolPrintCommands::preview);

    // The movements of the protocol, cancelled ones included; a movement
    // whose sector or person no longer exists is left out.
    void print(const QString &number, const QString &year, QWidget *screen);

private:
    TDM &m_unit;
    SessionState &m_session;
    Presenter m_present;
};

}  // namespace kalvero
