#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

namespace kalvero {

// What the protocol list shows: the protocols of one status, optionally those
// entered within a period (both days included), newest entry first.
struct ProtocolListQuery {
    QString status = QStringLiteral("0");  // "0" ATIVO, "1" CANCELADO, "2" ARQUIVADO
    QDate from;                            // both valid: the period applies
    QDate to;

    static ProtocolListQuery ofStatus(const QString &status);
    static ProtocolListQuery ofPeriod(const QString &status, const QDate &from, const QDate &to);

    bool hasPeriod() const { return from.isValid() && to.isValid(); }
    QString statement() const;
    QVariantList params() const;

    bool operator==(const ProtocolListQuery &) const = default;
};

}  // namespace kalvero
