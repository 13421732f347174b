#include "TableDefinition.h"

namespace kalvero {

const ColumnDefinition *TableDefinition::column(const QString &columnName) const {
    for (const ColumnDefinition &c : columns)
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QString TableDefinition::createStatement() const {
    QStringList parts;
    for (const ColumnDefinition &c : columns)
        parts << c.name + QLatin1Char(' ') + c.sqlType + (c.notNull ? QStringLiteral(" NOT NULL") : QString());
    if (!primaryKey.isEmpty())
        parts << QStringLiteral("CONSTRAINT PK_%1 PRIMARY KEY (%2)").arg(name, primaryKey.join(QStringLiteral(", ")));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, parts.join(QStringLiteral(", ")));
}

QStringList TableDefinition::constraintStatements() const {
    QStringList out;
    for (const ForeignKeyDefinition &fk : foreignKeys)
        out << QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT %2 FOREIGN KEY (%3) REFERENCES %4 (%5)")
                   .arg(name, fk.name, fk.columns.join(QStringLiteral(", ")), fk.table,
                        fk.referenced.join(QStringLiteral(", ")));
    for (const IndexDefinition &ix : indexes)
        out << indexStatement(ix);
    return out;
}

QString TableDefinition::indexStatement(const IndexDefinition &ix) const {
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(ix.descending ? QStringLiteral("DESCENDING ") : QString(), ix.name, name,
             ix.columns.join(QStringLiteral(", ")));
}

}  // namespace kalvero
