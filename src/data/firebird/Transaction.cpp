#include "Transaction.h"

#include "FirebirdClient.h"

namespace kalvero::fb {

Transaction::Transaction(Firebird::IAttachment *attachment, Mode mode, unsigned lockWaitSeconds) {
    // Reads never wait (they see the last committed version); writes wait for
    // a held row at most lockWaitSeconds, a little-endian value of 4 bytes.
    const unsigned char readWrite[] = {isc_tpb_version3,
                                       isc_tpb_write,
                                       isc_tpb_read_committed,
                                       isc_tpb_rec_version,
                                       isc_tpb_wait,
                                       isc_tpb_lock_timeout,
                                       4,
                                       static_cast<unsigned char>(lockWaitSeconds & 0xff),
                                       static_cast<unsigned char>((lockWaitSeconds >> 8) & 0xff),
                                       static_cast<unsigned char>((lockWaitSeconds >> 16) & 0xff),
                                       static_cast<unsigned char>((lockWaitSeconds >> 24) & 0xff)};
    const unsigned char readOnly[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                      isc_tpb_rec_version, isc_tpb_wait};
    const unsigned char *tpb = mode == Mode::ReadOnly ? readOnly : readWrite;
    const unsigned length = mode == Mode::ReadOnly ? sizeof readOnly : sizeof readWrite;
    guarded([&] {
        ThrowStatus status;
        m_handle = attachment->startTransaction(&status, length, tpb);
    });
}

Transaction::~Transaction() {
    if (!m_handle)
        return;
    try {
        rollback();
    } catch (...) {
        // The connection may be gone already; nothing is left to undo then.
    }
}

void Transaction::commit() {
    guarded([&] {
        ThrowStatus status;
        m_handle->commit(&status);
        m_handle = nullptr;
    });
}

void Transaction::rollback() {
    Firebird::ITransaction *handle = m_handle;
    m_handle = nullptr;
    guarded([&] {
        ThrowStatus status;
        handle->rollback(&status);
    });
}

}  // namespace kalvero::fb
