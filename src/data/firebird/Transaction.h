#pragma once

#include <firebird/Interface.h>

namespace kalvero::fb {

// One short read-committed transaction that waits on locks. Rolled back when
// it goes out of scope without a commit.
class Transaction {
public:
    enum class Mode { ReadOnly, ReadWrite };

    // How long a write waits for a row or key that another workstation holds
    // before it gives up: long enough for any save to finish, short enough
    // that a desk whose network died never holds the others for long.
    static constexpr unsigned DefaultLockWaitSeconds = 5;

    Transaction(Firebird::IAttachment *attachment, Mode mode, unsigned lockWaitSeconds = DefaultLockWaitSeconds);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    Firebird::ITransaction *handle() const { return m_handle; }
    void commit();
    void rollback();

private:
    Firebird::ITransaction *m_handle = nullptr;
};

}  // namespace kalvero::fb
