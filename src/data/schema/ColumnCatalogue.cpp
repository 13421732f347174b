#include "ColumnCatalogue.h"

namespace kalvero {

const TableDefinition *ColumnCatalogue::table(const QString &name) const {
    for (const TableDefinition *t : m_tables)
        if (t->name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return nullptr;
}

const ColumnDefinition *ColumnCatalogue::column(const QString &tableName, const QString &columnName) const {
    if (tableName.isEmpty() || columnName.isEmpty())
        return nullptr;
    const TableDefinition *t = table(tableName);
    return t ? t->column(columnName) : nullptr;
}

}  // namespace kalvero
