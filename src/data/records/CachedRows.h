#pragma once

#include <QByteArray>
#include <QSet>

#include <vector>

namespace kalvero {

// The rows that a record set holds, packed, with the log of its changes not
// yet written: which rows are new, which were changed (with their values as
// read) and which were removed, each stamped in the order it was made so that
// the changes reach the database in that order.
class CachedRows {
public:
    enum class Kind { Insert, Update, Delete };
    struct Change {
        Kind kind;
        const QByteArray *values;    // Insert and Update: the row now
        const QByteArray *original;  // Update and Delete: the row as read
        quint32 id;                  // names the change to settle()
    };

    int size() const { return int(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    const QByteArray &values(int row) const { return m_rows[size_t(row)].values; }

    // Rows as read from the database; nothing pending.
    void reset(std::vector<QByteArray> rows);
    void clear();

    // A new row being entered: it is no change until it is posted.
    void addBlank(int at, QByteArray values);
    // The row being entered is abandoned.
    void dropBlank(int at);
    bool isBlank(int at) const;
    void postNew(int at, QByteArray values);
    void postChanged(int at, QByteArray values);
    void remove(int at);

    int changeCount() const;
    // The pending changes in the order they were made.
    std::vector<Change> changes() const;
    // After a write: the accepted changes become the rows as read; the
    // refused ones are dropped (a changed row gets back its values as read, a
    // removed row returns, a new row goes).
    void settle(const QSet<quint32> &refused = {});
    // After a write whose outcome had to be checked: the changes found written
    // become the rows as read; the others stay pending.
    void accept(const QSet<quint32> &written);
    // A row read again from the database; only for a row without a pending change.
    void replaceRead(int at, QByteArray values);
    bool hasPendingChange(int at) const { return m_rows[size_t(at)].status != Status::Unchanged; }
    bool isNew(int at) const { return m_rows[size_t(at)].status == Status::Inserted; }
    // Drops every pending change: changed rows get their values as read, new
    // rows go, removed rows return where they were taken from.
    void revert();

    // Bytes held by the rows (packed values plus per-row bookkeeping).
    qint64 bytes() const;

private:
    enum class Status : quint8 { Unchanged, Inserted, Modified };
    struct Row {
        QByteArray values;
        QByteArray original;  // set once the row is modified
        quint32 changeSeq = 0;
        Status status = Status::Unchanged;
    };
    struct RemovedRow {
        QByteArray original;
        quint32 changeSeq = 0;
        int position = 0;
    };

    static void markRead(Row &row);
    static void putBack(std::vector<Row> &rows, const RemovedRow &removed);

    std::vector<Row> m_rows;
    std::vector<RemovedRow> m_removed;
    quint32 m_changeSeq = 0;
};

}  // namespace kalvero
