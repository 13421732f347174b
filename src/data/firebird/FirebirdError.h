#pragma once

#include "../Failure.h"

#include <QVector>

namespace kalvero {

// Firebird's error codes that callers test for.
namespace FbCode {
constexpr long UniqueKeyViolation = 335544665;   // violation of PRIMARY or UNIQUE KEY constraint
constexpr long NoDuplicates = 335544349;         // attempt to store duplicate value
constexpr long ForeignKeyViolation = 335544466;  // violation of FOREIGN KEY constraint
constexpr long Deadlock = 335544336;             // deadlock / update conflict
constexpr long UpdateConflict = 335544451;       // update conflicts with concurrent update
constexpr long StringTruncation = 335544914;     // string right truncation
constexpr long NotNullViolation = 335544347;     // validation error for column
constexpr long TableUnknown = 335544580;         // table unknown
constexpr long ColumnUnknown = 335544578;        // column unknown
constexpr long NetworkError = 335544721;         // unable to complete network request
constexpr long NetReadError = 335544726;         // error reading data from the connection
constexpr long NetWriteError = 335544727;        // error writing data to the connection
constexpr long LostConnection = 335544741;       // connection lost to database
constexpr long AttachmentShutdown = 335544856;   // connection shutdown
constexpr long DatabaseShutdown = 335544528;     // database shutdown
constexpr long LoginRejected = 335544472;        // your user name and password are not defined
constexpr long ConnectFailed = 335544722;        // failed to establish a connection
constexpr long ConnectRejected = 335544421;      // connection rejected by remote interface (a server starting up)
constexpr long IoError = 335544344;              // I/O error during an operation on a file
constexpr long LockConflict = 335544345;         // lock conflict on no wait transaction
constexpr long LockTimeout = 335544510;          // lock time-out on wait transaction
constexpr long CheckViolation = 335544558;       // operation violates CHECK constraint
}  // namespace FbCode

// An error raised by the data layer. Errors that come from the database carry
// Firebird's own status vector codes and its formatted text; errors of the layer
// itself (a required field left empty, a change refused because the row moved
// under us) carry no code.
class DatabaseError : public Failure {
public:
    // What is known of a save that lost its connection.
    enum class Save {
        Unstated,    // not a save, or the failure says nothing of it
        NotWritten,  // the connection went before anything was committed
        InDoubt,     // it went during the commit, and could not be checked
    };

    explicit DatabaseError(const QString &text, QVector<long> codes = {});

    // The refusal of a change to a row that another workstation changed or
    // removed since it was read.
    static DatabaseError rowChangedElsewhere();
    bool isRowChangedElsewhere() const { return m_rowChangedElsewhere; }

    Save save() const { return m_save; }
    DatabaseError withSave(Save save) const;
    // The same refusal, known to be a lock wait that ran out. Firebird 3
    // reports a record wait that ran out as it reports a conflict with a
    // commit ("deadlock", "update conflicts with concurrent update"); only
    // the time waited tells them apart.
    DatabaseError asLockWaitOver() const;

    const QVector<long> &codes() const { return m_codes; }
    long primaryCode() const { return m_codes.isEmpty() ? 0 : m_codes.first(); }
    bool hasCode(long code) const { return m_codes.contains(code); }

    bool isDuplicateKey() const;
    bool isUpdateConflict() const;
    bool isForeignKeyViolation() const;
    // Another workstation held the row (or the number) longer than a write
    // waits for it; nothing of this write was kept.
    bool isLockWaitOver() const;
    // The attachment is gone (network, server restart, shut down by an administrator).
    bool isConnectionLost() const;
    // The server could not be reached at all.
    bool isServerUnreachable() const;

private:
    QVector<long> m_codes;
    bool m_rowChangedElsewhere = false;
    Save m_save = Save::Unstated;
};

}  // namespace kalvero
