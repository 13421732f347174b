#include "StatusSlipPrint.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "data/firebird/Connection.h"
#include "data/modules/UnitStatements.h"
#include "data/records/FieldFormat.h"
#include "data/records/RecordSet.h"
#include "data/schema/UnitSchema.h"
#include "reports/layouts/TRelatorio_SituacaoProtocolo.h"

namespace kalvero {

namespace {

QString days(int n) { return n < 0 ? QStringLiteral("-") : QString::number(n); }

// The CPF or CNPJ punctuated as the requester registry shows it.
QString documentText(const ProtocolFound &p) {
    const bool person = !p.cpf.isEmpty();
    const TableDefinition *requesters = UnitSchema::table(QStringLiteral("TBSOLICITANTE"));
    const ColumnDefinition *column = requesters->column(person ? QStringLiteral("CPF") : QStringLiteral("CNPJ"));
    return FieldFormat::applyEditMask(column->editMask, person ? p.cpf : p.cnpj);
}

}  // namespace

StatusSlipPrint::StatusSlipPrint(const SessionState &session, Presenter present)
    : m_session(session), m_present(std::move(present)) {}

StatusSlipData StatusSlipPrint::slipData(const WorkUnit &unit, const ProtocolFound &p, const QDate &today) {
    StatusSlipData d;
    d.unit = unit.label();
    d.number = p.number;
    d.year = p.year;
    d.entry = DateText::fromDate(p.entry);
    d.status = ProtocolStatus::text(p.status);
    d.requester = p.requester;
    d.document = documentText(p);
    d.subject = p.subject;
    d.whereNow = p.whereNow();
    d.daysSinceEntry = days(p.daysSinceEntry(today));
    d.daysSinceMovement = days(p.daysSinceMovement(today));
    return d;
}

void StatusSlipPrint::print(const WorkUnit &unit, const ProtocolFound &protocol, QWidget *screen) {
    Connection connection;
    connection.setDatabaseName(unit.databaseName);
    {
        RecordSet path(QStringLiteral("cdsCaminho"));
        path.setConnection(&connection);
        path.openWith(ConsultationStatements::pathOf(), {protocol.number, protocol.year});
        TRelatorio_SituacaoProtocolo layout(path, slipData(unit, protocol, Clock::today()), m_session);
        m_present(layout, screen);
    }
    connection.close();
}

}  // namespace kalvero
