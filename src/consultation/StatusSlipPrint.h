#pragma once

#include "ConsultationStore.h"
#include "protocols/ProtocolPrintCommands.h"

class QWidget;

namespace kalvero {

struct SessionState;
struct StatusSlipData;

// "Imprimir" of the consultation: the citizen's status slip of one protocol
// found, read from its own unit's database and shown in the report engine's
// preview (from which it is printed or saved as PDF).
class StatusSlipPrint {
public:
    using Presenter = ProtocolPrintCommands::Presenter;

    explicit StatusSlipPrint(const SessionState &session, Presenter present = ProtocolPrintCommands::preview);

    static StatusSlipData slipData(const WorkUnit &unit, const ProtocolFound &protocol, const QDate &today);
    void print(const WorkUnit &unit, const ProtocolFound &protocol, QWidget *screen);

private:
    const SessionState &m_session;
    Presenter m_present;
};

}  // namespace kalvero
