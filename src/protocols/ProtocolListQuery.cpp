#include "ProtocolListQuery.h"

#include "data/modules/UnitStatements.h"

namespace kalvero {

ProtocolListQuery ProtocolListQuery::ofStatus(const QString &status, Order order) { return {status, {}, {}, order}; }

ProtocolListQuery ProtocolListQuery::ofPeriod(const QString &status, const QDate &from, const QDate &to, Order order) {
    return {status, from, to, order};
}

QString ProtocolListQuery::statement() const {
    if (order == Order::NewestNumber)
        return hasPeriod() ? ProtocolStatements::ofStatusInPeriodByNumber() : ProtocolStatements::ofStatusByNumber();
    return hasPeriod() ? ProtocolStatements::ofStatusInPeriod() : ProtocolStatements::ofStatus();
}

QVariantList ProtocolListQuery::params() const {
    // Dates go in as dates: a first day after the last simply finds nothing.
    if (hasPeriod())
        return {status, from, to};
    return {status};
}

}  // namespace kalvero
