#pragma once

#include <firebird/Interface.h>

namespace kalvero::fb {

// One short read-committed transaction that waits on locks. Rolled back when
// it goes out of scope without a commit.
class Transaction {
public:
    enum class Mode { ReadOnly, ReadWrite };

    Transaction(Firebird::IAttachment *attachment, Mode mode);
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
