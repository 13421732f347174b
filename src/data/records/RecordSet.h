#pragma once

#include "FieldDef.h"
#include "PackedRowFormat.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

namespace kalvero {

class Connection;
class RecordSet;
struct TableDefinition;

// A field of the cursor row of a record set, read and written by name.
class Field {
public:
    Field(RecordSet *set, int index) : m_set(set), m_index(index) {}

    const FieldDef &def() const;
    const QString &name() const { return def().name; }

    QVariant value() const;
    void setValue(const QVariant &value);
    bool isNull() const;
    void clear() { setValue(QVariant()); }

    // Empty text for an empty field; dates dd/mm/yyyy.
    QString asString() const;
    void setAsString(const QString &text);
    // 0 for an empty field.
    qint64 asInteger() const;
    void setAsInteger(qint64 value);
    // The text a grid shows (display format, mask).
    QString displayText() const;

private:
    RecordSet *m_set;
    int m_index;
};

// A cached record set: runs its statement, keeps every row in memory, lets a
// screen move over the rows, change them, and apply the changes to the
// database, each apply in one short transaction.
//
class RecordSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Insert, Edit };

    explicit RecordSet(const QString &name, QObject *parent = nullptr);
    ~RecordSet() override;

    const QString &name() const { return m_name; }

    void setConnection(Connection *connection) { m_connection = connection; }
    Connection *connection() const { return m_connection; }

    // The statement; values go in as parameters ("?"). Allowed only while closed.
    void setCommandText(const QString &sql, const QVariantList &params = {});
    const QString &commandText() const { return m_sql; }
    const QVariantList &params() const { return m_params; }

    // Declares the fields that the result must hold (the set's persistent
    // fields): Open fails when one is missing. Also names the table that
    // changes are written to.
    void declareTable(const TableDefinition &table);
    void addLookupField(const FieldDef &field);
    // Stops fetching after this many rows (0: all). Key queries read one row.
    void setFetchLimit(int rows) { m_fetchLimit = rows; }

    void open();
    void close();
    void refresh();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    // A record is being inserted or changed.
    bool isEditing() const { return m_state == State::Insert || m_state == State::Edit; }

    // Runs the statement without a result, in a transaction of its own.
    quint64 execSql();

    // Cursor.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rows.empty(); }
    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_current + 1; }  // 1-based; 0 when empty
    void setRecNo(int recNo);
    bool locate(const QString &fields, const QVariantList &values);
    bool locate(const QString &field, const QVariant &value) { return locate(field, QVariantList{value}); }

    // Changes.
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    int changeCount() const;
    void applyUpdates();
    // Drops every change not yet written: changed rows get their values as
    // read back, new rows go, deleted rows return.
    void cancelUpdates();

    // Fields.
    int fieldCount() const { return m_fields.size(); }
    const FieldDef &fieldDef(int index) const { return m_fields.at(index); }
    const QVector<FieldDef> &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const;
    // A field as the open set has it or, while closed, as declared; null when unknown.
    const FieldDef *fieldNamed(const QString &name) const;
    Field field(const QString &name);
    Field field(int index) { return Field(this, index); }

    // A value of any row, for grids: row is 0-based.
    QVariant valueAt(int row, int fieldIndex) const;
    QString displayTextAt(int row, int fieldIndex) const;
    int currentRow() const { return m_current; }

    // Used by lookups: the row whose field equals value, through an index
    // built on first use and dropped whenever the rows change.
    int findRow(int fieldIndex, const QVariant &value) const;

    // Bytes held by the cached rows (packed values plus per-row bookkeeping).
    qint64 cachedBytes() const;

signals:
    // Each change of the rows is announced before it happens and reported
    // after, as item models need.
    void rowsAboutToReset();
    void rowsReset();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentChanged(int row);
    void stateChanged();

private:
    friend class Field;

    enum class RowStatus : quint8 { Unchanged, Inserted, Modified };
    struct Row {
        QByteArray values;
        QByteArray original;  // set once the row is modified
        quint32 changeSeq = 0;
        RowStatus status = RowStatus::Unchanged;
    };
    struct DeletedRow {
        QByteArray original;
        quint32 changeSeq = 0;
        int position = 0;
    };

    void requireActive() const;
    void requireEditing() const;
    void checkBrowseMode();
    void setState(State state);
    void moveTo(int row);
    void insertRowAt(int at);
    void invalidateIndexes() { ++m_generation; }

    QVariant fieldValue(int index) const;
    void setFieldValue(int index, const QVariant &value);
    QVariant lookupValue(const FieldDef &field, int row) const;
    QVariant coerce(const FieldDef &field, const QVariant &value) const;

    QString m_name;
    Connection *m_connection = nullptr;
    QString m_sql;
    QVariantList m_params;
    QString m_updateTable;
    int m_fetchLimit = 0;

    QVector<FieldDef> m_declared;
    QVector<FieldDef> m_lookups;
    QVector<FieldDef> m_fields;       // stored fields first, then lookups
    PackedRowFormat m_format;         // the stored fields, as rows keep them

    std::vector<Row> m_rows;
    std::vector<DeletedRow> m_deleted;
    quint32 m_changeSeq = 0;

    State m_state = State::Inactive;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    QVariantList m_buffer;  // the row being inserted or edited
    bool m_modified = false;

    quint64 m_generation = 1;  // an index built at another generation is stale
    mutable QHash<int, QPair<quint64, QHash<QString, int>>> m_indexes;
};

}  // namespace kalvero
