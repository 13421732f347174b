#include "ResultFields.h"

#include "../firebird/FirebirdClient.h"
#include "../firebird/FirebirdError.h"
#include "../schema/ColumnCatalogue.h"

#include <algorithm>

namespace kalvero {

namespace {

FieldType fieldTypeOf(const fb::ColumnInfo &c) {
    switch (c.type) {
    case SQL_VARYING:
    case SQL_TEXT:
        return FieldType::Text;
    case SQL_SHORT:
    case SQL_LONG:
        return c.scale ? FieldType::Float : FieldType::Integer;
    case SQL_INT64:
        return c.scale ? FieldType::Float : FieldType::LargeInt;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return FieldType::Float;
    case SQL_TYPE_DATE:
        return FieldType::Date;
    case SQL_TYPE_TIME:
        return FieldType::Time;
    case SQL_TIMESTAMP:
        return FieldType::DateTime;
    case SQL_BOOLEAN:
        return FieldType::Boolean;
    default:
        throw DatabaseError(QStringLiteral("Tipo de coluna não suportado (%1) em %2").arg(c.type).arg(c.name));
    }
}

}  // namespace

QVector<FieldDef> resultFields(const QString &setName, const QVector<fb::ColumnInfo> &columns,
                               const QVector<FieldDef> &declared, const ColumnCatalogue *catalogue) {
    auto named = [](const QVector<FieldDef> &list, const QString &name) {
        return std::find_if(list.cbegin(), list.cend(), [&](const FieldDef &f) { return f.name == name; });
    };
    QVector<FieldDef> fields;
    for (const fb::ColumnInfo &c : columns) {
        QString name = c.name;
        for (int k = 1; named(fields, name) != fields.cend(); ++k)
            name = c.name + QLatin1Char('_') + QString::number(k);
        FieldDef f;
        const ColumnDefinition *known = catalogue ? catalogue->column(c.relation, c.field) : nullptr;
        if (const auto d = named(declared, name); d != declared.cend()) {
            f = *d;
        } else if (known) {
            f = FieldDef::fromColumn(c.relation, *known);
        } else {
            f.label = name;
            f.required = false;
        }
        f.name = name;
        f.relation = c.relation;
        f.origin = c.field;
        f.type = fieldTypeOf(c);
        f.size = c.charLength();
        fields << f;
    }
    for (const FieldDef &d : declared)
        if (named(fields, d.name) == fields.cend())
            throw DatabaseError(QStringLiteral("%1: campo '%2' não encontrado.").arg(setName, d.name));
    return fields;
}

}  // namespace kalvero
