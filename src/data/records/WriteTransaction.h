#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace kalvero {

class Connection;
class RecordSet;
namespace fb {
class Transaction;
}

// A write transaction that the caller owns, so that a save spanning several
// record sets (and statements) is all or nothing:
//
//     WriteTransaction save(connection);
//     cdsTBProtocolo.applyUpdates(save);
//     cdsTBDocumentos.applyUpdates(save);
//     save.commit();
//
// Any failure inside it spoils it: commit then refuses, and it is rolled back
// when it goes out of scope without a commit. Until the commit every record
// set keeps its pending changes and its rows as they were, so that a refused
// save can be shown and tried again; after the commit each set takes what it
// applied as written.
class WriteTransaction {
public:
    explicit WriteTransaction(Connection &connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    Connection &connection() const { return m_connection; }
    bool isActive() const { return m_transaction != nullptr; }

    // Runs a statement without a result; gives the rows it affected.
    quint64 execute(const QString &sql, const QVariantList &params = {});
    // A column (by default the first) of the first row a query gives inside
    // the transaction; null when it gives no row.
    QVariant firstValue(const QString &sql, const QVariantList &params = {}, const QString &column = {});

    void commit();
    void rollback();

private:
    friend class RecordSet;

    // Runs one step of the transaction. A failure spoils it; a lost
    // connection also ends it and marks the connection closed, so that the
    // next command attaches afresh, and says whether the save may have been
    // made (only when the commit itself was cut off).
    void run(const std::function<void(fb::Transaction &)> &step, bool committing = false);
    void enlist(RecordSet &set, quint64 revision);
    void requireActive() const;

    Connection &m_connection;
    std::unique_ptr<fb::Transaction> m_transaction;
    bool m_failed = false;
    struct Applied {
        QPointer<RecordSet> set;
        quint64 revision;  // the set as it was applied
    };
    std::vector<Applied> m_applied;
};

}  // namespace kalvero
