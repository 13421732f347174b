#include "ProtocolListQuery.h"

#include "data/modules/UnitStatements.h"

namespace kalvero {

ProtocolListQuery ProtocolListQuery::ofStatus(const QString &status) { return {status, {}, {}}; }

ProtocolListQuery ProtocolListQuery::ofPeriod(const QString &status, const QDate &from, const QDate &to) {
    return {status, from, to};
}

QString ProtocolListQuery::statement() const {
    return hasPeriod() ? ProtocolStatements::ofStatusInPeriod() : ProtocolStatements::ofStatus();
}

QVariantList ProtocolListQuery::params() const {
    // Dates go in as dates: a first day after the last simply finds nothing.
    if (hasPeriod())
        return {status, from, to};
    return {status};
}

}  // namespace kalvero
