#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

#include <optional>

namespace kalvero {

// What the report screen's filters choose, and the statement of the list of
// protocols they make. The conditions come in one order, whatever the order
// in which the boxes were ticked: status, requester, subject, period. Every
// value goes in as a parameter.
struct ProtocolListFilters {
    // "Todos", "Ativos", "Cancelados", "Arquivados"; the value is the
    // radio group's index.
    enum class Status { All = 0, Active = 1, Cancelled = 2, Archived = 3 };
    struct Period {
        QDate first;
        QDate last;
    };

    Status status = Status::All;
    std::optional<qint64> requester;  // IDSOLICITANTE
    std::optional<qint64> subject;    // IDASSUNTO
    std::optional<Period> period;     // entry dates, both days included

    struct Statement {
        QString sql;
        QVariantList params;
    };
    Statement statement() const;
};

}  // namespace kalvero
