#pragma once

#include "CachedRows.h"
#include "Field.h"
#include "FieldDef.h"
#include "PackedRowFormat.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <vector>

namespace kalvero {

class ChangeWriter;
class Connection;
class WriteTransaction;
struct TableDefinition;

// A cached record set: runs its statement, keeps every row in memory, lets a
// screen move over the rows and change them, and applies the changes to the
// database, in a short transaction of its own or in one the caller owns.
//
// It keeps the cursor, the row being entered or changed, and the signals that
// item models need; the rows and their pending changes live in CachedRows,
// the statements that write them are made by ChangeWriter, and the fields of
// a result come from ResultFields with the catalogue of its connection.
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
    // Closes the set, takes this statement and opens it again.
    void openWith(const QString &sql, const QVariantList &params = {});
    void refresh();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    // A record is being inserted or changed.
    bool isEditing() const { return m_state == State::Insert || m_state == State::Edit; }
    // The current record is a new one: being inserted, or posted and not yet written.
    bool isNewRecord() const {
        return m_state == State::Insert || (m_current >= 0 && m_current < m_rows.size() && m_rows.isNew(m_current));
    }

    // Runs the statement without a result, in a transaction of its own or in
    // the caller's.
    quint64 execSql();
    quint64 execSql(WriteTransaction &transaction);

    // Cursor.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rows.empty(); }
    int recordCount() const { return m_rows.size(); }
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
    int changeCount() const { return m_rows.changeCount(); }
    // Writes every pending change in a transaction of its own. The changes
    // the database accepts are written; the refused ones are dropped and the
    // first refusal is thrown. When the connection is lost, the set attaches
    // again, takes what reached the database as written and writes the rest
    // once more; when the server cannot be reached, every change stays
    // pending and the next apply looks for what was written before writing.
    void applyUpdates();
    // Writes every pending change in the caller's transaction. A refusal is
    // thrown at once and spoils the transaction; the changes stay pending
    // until the transaction commits.
    void applyUpdates(WriteTransaction &transaction);
    // After a save whose commit was cut off, so that nobody knows whether it
    // was made: takes the pending changes that the database holds, value for
    // value, as written. What is still pending was not written.
    void takeWrittenChanges();
    // The record being changed was refused because another workstation
    // changed it meanwhile: reads it again by its key and puts back over it
    // the fields that this one changed, so that the others show the other
    // workstation's values. The record stays in edit state. False when the
    // record is no longer in the database (nothing is changed then).
    bool takeCurrentVersion();
    // The fields that this workstation changed and the other one changed too,
    // to another value, as learned when the stored version was taken: by
    // name, what the other workstation stored. A field leaves the list when
    // the typing agrees with the stored value again; the list ends when the
    // record is written, its change dropped, or another record is made current.
    QHash<QString, QVariant> changedAtBothPlaces() const;

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

    // The current record's value as last read from the database, whatever is
    // being typed over it.
    QVariant valueAsRead(const QString &field) const;

    // A value of any row, for grids: row is 0-based.
    QVariant valueAt(int row, int fieldIndex) const;
    QString displayTextAt(int row, int fieldIndex) const;
    int currentRow() const { return m_current; }

    // Used by lookups: the row whose field equals value, through an index
    // built on first use and dropped whenever the rows change.
    int findRow(int fieldIndex, const QVariant &value) const;

    // Bytes held by the cached rows (packed values plus per-row bookkeeping).
    qint64 cachedBytes() const { return m_rows.bytes(); }

    // Changes whenever the rows or their pending changes do.
    quint64 revision() const { return m_generation; }

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
    friend class WriteTransaction;

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
    void prepareApply();
    // Takes the changes applied in a committed transaction as written.
    void acceptApplied() { settleRows({}); }
    void settleRows(const QSet<quint32> &refused);
    void writeChanges(const ChangeWriter &writer, bool &committing);
    // Takes the pending changes found in the database as written.
    void settleWritten(const ChangeWriter &writer);

    QString m_name;
    Connection *m_connection = nullptr;
    QString m_sql;
    QVariantList m_params;
    QString m_updateTable;
    QStringList m_keyFields;  // the table's primary key
    bool m_saveInDoubt = false;  // an apply lost its connection during its commit
    int m_fetchLimit = 0;

    QVector<FieldDef> m_declared;
    QVector<FieldDef> m_lookups;
    QVector<FieldDef> m_fields;       // stored fields first, then lookups
    PackedRowFormat m_format;         // the stored fields, as rows keep them

    CachedRows m_rows;

    State m_state = State::Inactive;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    QVariantList m_buffer;  // the row being inserted or edited
    bool m_modified = false;
    QSet<int> m_changedAtBoth;  // fields of the current record, see changedAtBothPlaces

    quint64 m_generation = 1;  // an index built at another generation is stale
    mutable QHash<int, QPair<quint64, QHash<QString, int>>> m_indexes;
};

}  // namespace kalvero
