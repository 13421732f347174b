#include "Connection.h"

#include "FirebirdClient.h"
#include "ServerWait.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>

namespace kalvero {

namespace {

constexpr int StatementCacheLimit = 200;
// The server's lock timer ticks in whole seconds and, on a busy machine, may
// fire up to a second early.
constexpr qint64 LockWaitMarginMs = 1000;
constexpr int AlreadyOpenedAttempts = 10;
constexpr unsigned long AlreadyOpenedPauseMs = 100;

// Attaches to or creates the target's database with the program's fixed
// connection parameters (and any extra ones the caller adds).
template <typename Extra>
Firebird::IAttachment *attachTo(const DatabaseTarget &target, QByteArray name, bool create, Extra &&extra) {
    return fb::guarded([&] {
        fb::ThrowStatus status;
        Firebird::IXpbBuilder *dpb = fb::util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0);
        Firebird::IProvider *provider = fb::master()->getDispatcher();
        struct Release {
            Firebird::IXpbBuilder *dpb;
            Firebird::IProvider *provider;
            ~Release() {
                dpb->dispose();
                provider->release();
            }
        } release{dpb, provider};
        dpb->insertString(&status, isc_dpb_user_name, ConnectionSettings::User);
        dpb->insertString(&status, isc_dpb_password, ConnectionSettings::Password);
        dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
        dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
        // Name the provider, so that a plain path never reaches a server silently
        // and a server address never opens a local file.
        dpb->insertString(&status, isc_dpb_config, target.embedded ? "Providers = Engine12" : "Providers = Remote");
        extra(dpb, status);
        const unsigned length = dpb->getBufferLength(&status);
        const unsigned char *buffer = dpb->getBuffer(&status);
        return create ? provider->createDatabase(&status, name.constData(), length, buffer)
                      : provider->attachDatabase(&status, name.constData(), length, buffer);
    });
}

QByteArray attachName(const DatabaseTarget &target) {
    if (target.embedded)
        return QFile::encodeName(target.path);
    return (target.host + QLatin1Char(':') + target.path).toUtf8();
}

}  // namespace

DatabaseTarget DatabaseTarget::parse(const QString &name) {
    DatabaseTarget t;
    if (name.startsWith(QLatin1Char(':'))) {
        t.path = name.mid(1);
        return t;
    }
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    if (name.startsWith(QLatin1Char('/')) || colon < 0) {
        t.path = name;
        return t;
    }
    t.embedded = false;
    t.host = name.left(colon);
    t.path = name.mid(colon + 1);
    return t;
}

QString DatabaseTarget::databaseName(const QString &serverAddress, const QString &path) {
    return serverAddress.isEmpty() ? path : serverAddress + QLatin1Char(':') + path;
}

Connection::Connection() = default;

Connection::~Connection() {
    try {
        close();
    } catch (...) {
    }
}

void Connection::open() {
    if (m_attachment)
        return;
    const DatabaseTarget target = DatabaseTarget::parse(m_databaseName);
    // When the last attachment leaves, the engine closes the database file in
    // the background; an attachment that arrives in that moment is refused as
    // "already opened" by another engine instance. Asking again a little
    // later reaches the database; a file that another engine really holds
    // (a local program beside a server) is still refused after the waits.
    for (int attempt = 1;; ++attempt) {
        try {
            m_attachment =
                attachTo(target, attachName(target), false, [](Firebird::IXpbBuilder *, fb::ThrowStatus &) {});
            break;
        } catch (const DatabaseError &error) {
            if (!error.hasCode(isc_already_opened) || attempt == AlreadyOpenedAttempts)
                throw;
            QThread::msleep(AlreadyOpenedPauseMs);
        }
    }
    m_remote = !target.embedded;
}

void Connection::close() {
    clearStatementCache();
    if (!m_attachment)
        return;
    Firebird::IAttachment *attachment = m_attachment;
    m_attachment = nullptr;
    fb::guarded([&] {
        fb::ThrowStatus status;
        try {
            attachment->detach(&status);
        } catch (...) {
            attachment->release();
            throw;
        }
    });
}

Firebird::IAttachment *Connection::attachment() {
    open();
    return m_attachment;
}

std::shared_ptr<fb::Statement> Connection::prepare(const QString &sql) {
    const QMutexLocker lock(&m_statementsLock);
    auto it = m_statements.constFind(sql);
    if (it != m_statements.constEnd())
        return it.value();
    return guardAttachment([&] {
        fb::Transaction transaction(attachment(), fb::Transaction::Mode::ReadOnly);
        auto statement = std::make_shared<fb::Statement>(m_attachment, transaction, sql);
        transaction.commit();
        if (statement->isDdl())
            return statement;  // run once, never cached
        if (m_statements.size() >= StatementCacheLimit)
            m_statements.clear();
        m_statements.insert(sql, statement);
        return statement;
    });
}

quint64 Connection::execute(const QString &sql, const QVariantList &params) {
    reviveIfLost();
    std::shared_ptr<fb::Statement> statement = prepare(sql);
    if (statement->isDdl())
        clearStatementCache();
    quint64 affected = 0;
    runWaiting([&] {
        affected = guardAttachment([&] {
            fb::Transaction transaction(attachment(), fb::Transaction::Mode::ReadWrite, m_lockWaitSeconds);
            const quint64 rows = statement->execute(transaction, params);
            transaction.commit();
            return rows;
        });
    });
    return affected;
}

void Connection::clearStatementCache() {
    const QMutexLocker lock(&m_statementsLock);
    m_statements.clear();
}

void Connection::runWaiting(const std::function<void()> &call) {
    QElapsedTimer waited;
    waited.start();
    try {
        if (m_serverWait)
            m_serverWait->run(m_waitLabel.isEmpty() ? QStringLiteral("Gravando") : m_waitLabel, call);
        else
            call();
    } catch (const DatabaseError &e) {
        throw afterWaiting(e, waited.elapsed());
    }
}

DatabaseError Connection::afterWaiting(const DatabaseError &refusal, qint64 waitedMs) const {
    // A conflict that comes at the end of the whole lock wait is the wait
    // running out, not another desk's commit.
    const qint64 waitMs = qint64(m_lockWaitSeconds) * 1000;
    if (refusal.isUpdateConflict() && waitedMs >= waitMs - std::min(LockWaitMarginMs, waitMs * 3 / 10))
        return refusal.asLockWaitOver();
    return refusal;
}

Connection::WaitLabel::WaitLabel(Connection &connection, const QString &what)
    : m_connection(connection), m_previous(connection.m_waitLabel) {
    connection.m_waitLabel = what;
}

Connection::WaitLabel::~WaitLabel() { m_connection.m_waitLabel = m_previous; }

void Connection::dropAttachment() {
    try {
        close();
    } catch (const DatabaseError &) {
        // The attachment is dead; close() has let go of it already.
    }
}

void Connection::reviveIfLost() {
    // The embedded engine lives in this process: there is no line to lose.
    if (!m_attachment || !m_remote)
        return;
    try {
        fb::guarded([&] {
            fb::ThrowStatus status;
            m_attachment->ping(&status);
        });
    } catch (const DatabaseError &e) {
        if (!e.isConnectionLost())
            throw;
        dropAttachment();
    }
}

void Connection::create() {
    close();
    const DatabaseTarget target = DatabaseTarget::parse(m_databaseName);
    m_attachment = attachTo(target, attachName(target), true, [](Firebird::IXpbBuilder *dpb, fb::ThrowStatus &status) {
        dpb->insertString(&status, isc_dpb_set_db_charset, "UTF8");
        dpb->insertInt(&status, isc_dpb_page_size, 8192);
    });
    m_remote = !target.embedded;
}

void Connection::dropDatabase(const QString &databaseName) {
    Connection connection;
    connection.setDatabaseName(databaseName);
    connection.open();
    Firebird::IAttachment *attachment = connection.m_attachment;
    connection.m_attachment = nullptr;
    fb::guarded([&] {
        fb::ThrowStatus status;
        try {
            attachment->dropDatabase(&status);
        } catch (...) {
            attachment->release();
            throw;
        }
    });
}

}  // namespace kalvero
