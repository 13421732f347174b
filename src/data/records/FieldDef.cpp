#include "FieldDef.h"

#include "../schema/TableDefinition.h"

#include <QRegularExpression>

namespace kalvero {

FieldDef FieldDef::fromColumn(const QString &table, const ColumnDefinition &column) {
    FieldDef f;
    f.name = column.name;
    f.relation = table;
    f.origin = column.name;
    f.required = column.notNull;
    f.label = column.displayLabel();
    f.displayFormat = column.displayFormat;
    f.editMask = column.editMask;
    f.displayWidth = column.displayWidth;
    f.visible = !column.hidden;
    const QString type = column.sqlType.toUpper();
    static const QRegularExpression sized(QStringLiteral("^(VAR)?CHAR\\((\\d+)\\)"));
    const QRegularExpressionMatch m = sized.match(type);
    if (m.hasMatch()) {
        f.type = FieldType::Text;
        f.size = m.captured(2).toInt();
    } else if (type.startsWith(QLatin1String("INTEGER")) || type.startsWith(QLatin1String("SMALLINT"))) {
        f.type = FieldType::Integer;
    } else if (type.startsWith(QLatin1String("BIGINT"))) {
        f.type = FieldType::LargeInt;
    } else if (type.startsWith(QLatin1String("DATE"))) {
        f.type = FieldType::Date;
    } else if (type.startsWith(QLatin1String("TIMESTAMP"))) {
        f.type = FieldType::DateTime;
    } else if (type.startsWith(QLatin1String("TIME"))) {
        f.type = FieldType::Time;
    } else if (type.startsWith(QLatin1String("BOOLEAN"))) {
        f.type = FieldType::Boolean;
    } else {
        f.type = FieldType::Float;
    }
    return f;
}

FieldDef FieldDef::lookupField(const QString &name, const QString &label, int displayWidth, int size,
                               const LookupDef &lookup) {
    FieldDef f;
    f.name = name;
    f.label = label;
    f.displayWidth = displayWidth;
    f.size = size;
    f.isLookup = true;
    f.lookup = lookup;
    return f;
}

}  // namespace kalvero
