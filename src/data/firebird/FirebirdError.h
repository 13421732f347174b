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
}  // namespace FbCode

// An error raised by the data layer. Errors that come from the database carry
// Firebird's own status vector codes and its formatted text; errors of the layer
// itself (a required field left empty, a change refused because the row moved
// under us) carry no code.
class DatabaseError : public Failure {
public:
    explicit DatabaseError(const QString &text, QVector<long> codes = {});

    const QVector<long> &codes() const { return m_codes; }
    long primaryCode() const { return m_codes.isEmpty() ? 0 : m_codes.first(); }
    bool hasCode(long code) const { return m_codes.contains(code); }

    bool isDuplicateKey() const;
    bool isUpdateConflict() const;
    bool isForeignKeyViolation() const;
    // The attachment is gone (network, server restart, shut down by an administrator).
    bool isConnectionLost() const;

private:
    QVector<long> m_codes;
};

}  // namespace kalvero
