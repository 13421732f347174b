#pragma once

#include "FirebirdError.h"
#include "Statement.h"

#include <QHash>
#include <QRecursiveMutex>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

namespace kalvero {

class ColumnCatalogue;
class ServerWait;

// Fixed settings of both of the program's connections.
namespace ConnectionSettings {
inline constexpr const char *User = "SYSDBA";
// The server administrator's password. The install scripts set the local
// server's SYSDBA password to this; the embedded engine does not check it.
inline constexpr const char *Password = "kv1020pr";
}  // namespace ConnectionSettings

// Where a database string points: a file opened by the embedded engine in this
// process, or a file on a server reached over TCP.
struct DatabaseTarget {
    bool embedded = true;
    QString host;  // empty when embedded
    QString path;  // the file as the engine that opens it sees it

    // "host:path" goes over TCP to host; a bare path (or ":path", what an
    // empty server address gives) opens the file in-process.
    static DatabaseTarget parse(const QString &databaseName);
    // The database string for a server address and a path on that server.
    static QString databaseName(const QString &serverAddress, const QString &path);
};

// One attachment to a Firebird database with the program's fixed settings.
// Statements are prepared once and kept; every statement and every write runs
// in a short transaction of its own.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Written as a whole; takes effect at the next open.
    void setDatabaseName(const QString &name) { m_databaseName = name; }
    const QString &databaseName() const { return m_databaseName; }

    // The tables this database is known to hold; record sets read through the
    // connection take the labels, formats and required flags of their columns
    // from it. None by default.
    void setCatalogue(const ColumnCatalogue *catalogue) { m_catalogue = catalogue; }
    const ColumnCatalogue *catalogue() const { return m_catalogue; }

    void open();
    void close();
    bool isConnected() const { return m_attachment != nullptr; }

    // How long a write waits for a row or number held by another workstation
    // before it is refused (DatabaseError::isLockWaitOver); takes effect for
    // the next transaction.
    void setLockWaitSeconds(unsigned seconds) { m_lockWaitSeconds = seconds; }
    unsigned lockWaitSeconds() const { return m_lockWaitSeconds; }

    // What the program shows while a write waits; none by default. The
    // connection does not own it.
    void setServerWait(ServerWait *wait) { m_serverWait = wait; }
    // Runs a call that may wait on another workstation through the
    // connection's ServerWait, named by the current wait label.
    void runWaiting(const std::function<void()> &call);
    // A write's refusal after it waited so long: a conflict at the end of the
    // whole lock wait is the wait running out (DatabaseError::isLockWaitOver).
    DatabaseError afterWaiting(const DatabaseError &refusal, qint64 waitedMs) const;
    // Names the work of the writes made while it lives ("Gravando o protocolo").
    class WaitLabel {
    public:
        WaitLabel(Connection &connection, const QString &what);
        ~WaitLabel();
        WaitLabel(const WaitLabel &) = delete;
        WaitLabel &operator=(const WaitLabel &) = delete;

    private:
        Connection &m_connection;
        QString m_previous;
    };

    // Opens the connection when it is closed, as a record set does on open.
    Firebird::IAttachment *attachment();

    // A prepared statement for the text, from the cache when it was used before.
    std::shared_ptr<fb::Statement> prepare(const QString &sql);

    // Runs one statement in a transaction of its own and commits it; gives the
    // number of rows it affected. Schema statements drop the prepared cache first
    // so that no prepared statement holds the table that changes.
    quint64 execute(const QString &sql, const QVariantList &params = {});

    void clearStatementCache();

    // Runs f; when it fails because the attachment is gone, the connection is
    // marked closed so that the next use attaches afresh. The failure itself
    // still reaches the caller: nothing is retried behind its back.
    template <typename F>
    auto guardAttachment(F &&f) -> decltype(f()) {
        try {
            return f();
        } catch (const DatabaseError &e) {
            if (e.isConnectionLost())
                dropAttachment();
            throw;
        }
    }
    void dropAttachment();

    // A server that was restarted, or a network that dropped, leaves behind
    // an attachment that only fails. Before a command the attachment is asked
    // whether it still answers; a dead one is let go, so that the command
    // attaches afresh and works the first time.
    void reviveIfLost();

    // Runs a read; when the connection is lost on the way, attaches again and
    // reads once more. Only for what can be repeated without harm.
    template <typename F>
    auto readAgainIfLost(F &&f) -> decltype(f()) {
        reviveIfLost();
        try {
            return f();
        } catch (const DatabaseError &e) {
            if (!e.isConnectionLost())
                throw;
            dropAttachment();
            return f();
        }
    }

    // Makes a new, empty database in UTF8 with SQL dialect 3 under the
    // database name, and stays connected to it.
    void create();
    // Removes a database through its engine (never by deleting the file under it).
    static void dropDatabase(const QString &databaseName);

private:
    QString m_databaseName;
    const ColumnCatalogue *m_catalogue = nullptr;
    Firebird::IAttachment *m_attachment = nullptr;
    bool m_remote = false;
    // A write may run on the wait's own thread while the window repaints;
    // the statement cache is guarded for that.
    QRecursiveMutex m_statementsLock;
    QHash<QString, std::shared_ptr<fb::Statement>> m_statements;
    unsigned m_lockWaitSeconds = fb::Transaction::DefaultLockWaitSeconds;
    ServerWait *m_serverWait = nullptr;
    QString m_waitLabel;
};

}  // namespace kalvero
