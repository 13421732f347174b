#pragma once

#include "CachedRows.h"
#include "FieldDef.h"
#include "PackedRowFormat.h"

#include <QStringList>
#include <QVector>

namespace kalvero {

class Connection;
namespace fb {
class Transaction;
}

// Writes a record set's pending changes to its table: a new row becomes an
// INSERT of its non-empty columns, a changed row an UPDATE of the columns that
// changed, a removed row a DELETE. UPDATE and DELETE find the row by the
// values that all its columns had when it was read, so that a row another
// workstation changed meanwhile is never overwritten: such a change fails.
class ChangeWriter {
public:
    // The table is the declared one or else the one table that the fields
    // come from; its columns are the fields read from it. Throws when the
    // fields come from several tables or from none.
    ChangeWriter(const QString &setName, const QString &declaredTable, const QVector<FieldDef> &fields,
                 const PackedRowFormat &format);

    // Runs the change's statement in the transaction; throws the database's
    // refusal, or a refusal of its own when the row read is no longer there.
    void write(Connection &connection, fb::Transaction &transaction, const CachedRows::Change &change) const;

    // Whether the change is in the database now, for a write whose commit may
    // or may not have happened: a new row is looked up by its key and the
    // values it was given, a changed row by its new values, a removed row by
    // its values as read.
    bool isWritten(Connection &connection, fb::Transaction &transaction, const CachedRows::Change &change) const;

    // The table's columns of a row, read again by the row's key; empty when
    // the row is no longer there. Columns that are not the table's keep the
    // values they have in row.
    QByteArray reread(Connection &connection, fb::Transaction &transaction, const QStringList &keyColumns,
                      const QByteArray &row) const;

    const QString &table() const { return m_table; }

private:
    // Terms that match a row holding these values; nulls only with withNulls.
    void whereValues(const QByteArray &values, bool withNulls, QStringList &terms, QVariantList &params) const;
    void whereAsRead(const QByteArray &original, QStringList &terms, QVariantList &params) const;

    QString m_table;
    QVector<FieldDef> m_fields;
    QVector<int> m_fieldIndexes;  // the fields that are columns of the table
    QStringList m_columnNames;    // their column names, in the same order
    PackedRowFormat m_format;
};

}  // namespace kalvero
