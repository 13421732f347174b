#include "ProtocolListReport.h"

#include "ProtocolListFilters.h"

#include "data/modules/TUDMRelatorio.h"
#include "reports/layouts/TRelatorio_ListaProtocolos.h"
#include "ui/MessageService.h"

#include <QScopeGuard>

namespace kalvero {

const QString ProtocolListReport::NothingFound = QStringLiteral("Não há registros para o(s) filtro(s) selcionado(s)!");

void ProtocolListReport::preview(ReportLayout &layout, QWidget *screen) { layout.preview(screen); }

void ProtocolListReport::print(ReportLayout &layout, QWidget *screen) { layout.print(screen); }

ProtocolListReport::ProtocolListReport(TUDMRelatorio &reports, const SessionState &session, Presenter toPreview,
                                       Presenter toPrinter)
    : m_reports(reports), m_session(session), m_toPreview(std::move(toPreview)), m_toPrinter(std::move(toPrinter)) {}

int ProtocolListReport::run(const ProtocolListFilters &filters, Output output, QWidget *screen) {
    RecordSet &list = m_reports.cdsRelProtocolo;
    const auto closed = qScopeGuard([&list] { list.close(); });
    const ProtocolListFilters::Statement statement = filters.statement();
    list.openWith(statement.sql, statement.params);
    if (list.isEmpty()) {
        MessageService::inform(screen, QStringLiteral("Atenção"), NothingFound, MessageService::Icon::Warning);
        return 0;
    }
    const int listed = list.recordCount();
    TRelatorio_ListaProtocolos layout(list, m_session);
    (output == Output::Preview ? m_toPreview : m_toPrinter)(layout, screen);
    return listed;
}

}  // namespace kalvero
