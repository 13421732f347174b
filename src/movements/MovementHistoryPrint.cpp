#include "MovementHistoryPrint.h"

#include "data/modules/TUDMRelatorio.h"
#include "data/modules/UnitStatements.h"
#include "data/session/SessionState.h"
#include "reports/layouts/TRelatorio_Movimentacao.h"

#include <QScopeGuard>

#include <memory>

namespace kalvero {

MovementHistoryPrint::MovementHistoryPrint(TDM &unit, SessionState &session, Presenter present)
    : m_unit(unit), m_session(session), m_present(std::move(present)) {}

void MovementHistoryPrint::print(const QString &number, const QString &year, QWidget *screen) {
    std::unique_ptr<TUDMRelatorio> ownModule;
    if (!UDMRelatorio)
        ownModule = std::make_unique<TUDMRelatorio>(m_unit);
    RecordSet &history = UDMRelatorio->cdsMovimentacao;
    const auto closed = qScopeGuard([&history] { history.close(); });

    m_session.MovementReportTitle = QStringLiteral("RELAÇÃO DE MOVIMENTAÇÃO");
    history.openWith(PrintStatements::movementHistory(), {number, year});
    TRelatorio_Movimentacao layout(history, m_session);
    m_present(layout, screen);
}

}  // namespace kalvero
