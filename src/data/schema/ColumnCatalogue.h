#pragma once

#include "TableDefinition.h"

#include <QVector>

namespace kalvero {

// The tables that one database is known to hold. A record set is handed the
// catalogue of the database it reads, so that the columns of any result (a
// join for a report as much as a plain table) take the program's labels,
// display formats and required flags.
class ColumnCatalogue {
public:
    explicit ColumnCatalogue(QVector<const TableDefinition *> tables) : m_tables(std::move(tables)) {}

    // The table by name, case-insensitive; nullptr if unknown.
    const TableDefinition *table(const QString &name) const;
    // A column of a table; nullptr if either is unknown.
    const ColumnDefinition *column(const QString &table, const QString &column) const;

private:
    QVector<const TableDefinition *> m_tables;
};

}  // namespace kalvero
