#pragma once

#include "FieldDef.h"
#include "../firebird/Statement.h"

#include <QByteArray>
#include <QVariant>
#include <QVector>

namespace kalvero {

// How a record set keeps its rows: one allocation per row, holding a null
// map, the end offset of each value, then the values in the database's own
// encoding (UTF-8 text, 32-bit dates and times). A year of protocols stays
// small this way, and a row comes straight from a fetched message.
class PackedRowFormat {
public:
    PackedRowFormat() = default;
    explicit PackedRowFormat(const QVector<FieldType> &types);

    int count() const { return int(m_kinds.size()); }

    // A fetched message whose columns have the format's types, in order.
    QByteArray fromMessage(const QVector<fb::ColumnInfo> &columns, const unsigned char *message) const;
    // Values already converted to the fields' types (null for empty).
    QByteArray fromValues(const QVariantList &values) const;

    QVariant value(const QByteArray &row, int index) const;
    QVariantList values(const QByteArray &row) const;

private:
    QVector<int> m_kinds;
};

}  // namespace kalvero
