#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

namespace kalvero {

// What a protocol list shows: the protocols of one status, optionally those
// entered within a period (both days included), newest entry first or, for
// the movement screen, highest number of the latest year first.
struct ProtocolListQuery {
    enum class Order { NewestEntry, NewestNumber };

    QString status = QStringLiteral("0");  // "0" ATIVO, "1" CANCELADO, "2" ARQUIVADO
    QDate from;                            // both valid: the period applies
    QDate to;
    Order order = Order::NewestEntry;

    static ProtocolListQuery ofStatus(const QString &status, Order order = Order::NewestEntry);
    static ProtocolListQuery ofPeriod(const QString &status, const QDate &from, const QDate &to,
                                      Order order = Order::NewestEntry);

    bool hasPeriod() const { return from.isValid() && to.isValid(); }
    QString statement() const;
    QVariantList params() const;

    bool operator==(const ProtocolListQuery &) const = default;
};

}  // namespace kalvero
