#include "FirebirdError.h"

namespace kalvero {

DatabaseError::DatabaseError(const QString &text, QVector<long> codes)
    : Failure(text), m_codes(std::move(codes)) {}

DatabaseError DatabaseError::rowChangedElsewhere() {
    DatabaseError e(QStringLiteral(
        "O registro foi alterado ou excluído em outra estação de trabalho; a alteração não foi gravada."));
    e.m_rowChangedElsewhere = true;
    return e;
}

DatabaseError DatabaseError::withSave(Save save) const {
    DatabaseError e(*this);
    e.m_save = save;
    return e;
}

DatabaseError DatabaseError::asLockWaitOver() const {
    DatabaseError e(*this);
    if (!e.m_codes.contains(FbCode::LockTimeout))
        e.m_codes.append(FbCode::LockTimeout);
    return e;
}

bool DatabaseError::isDuplicateKey() const {
    return hasCode(FbCode::UniqueKeyViolation) || hasCode(FbCode::NoDuplicates);
}

bool DatabaseError::isUpdateConflict() const {
    return hasCode(FbCode::UpdateConflict) || hasCode(FbCode::Deadlock);
}

bool DatabaseError::isForeignKeyViolation() const { return hasCode(FbCode::ForeignKeyViolation); }

bool DatabaseError::isLockWaitOver() const { return hasCode(FbCode::LockTimeout) || hasCode(FbCode::LockConflict); }

bool DatabaseError::isConnectionLost() const {
    for (long code : {FbCode::NetworkError, FbCode::NetReadError, FbCode::NetWriteError, FbCode::LostConnection,
                      FbCode::AttachmentShutdown, FbCode::DatabaseShutdown, FbCode::ConnectRejected})
        if (hasCode(code))
            return true;
    return false;
}

bool DatabaseError::isServerUnreachable() const {
    return hasCode(FbCode::ConnectFailed) || hasCode(FbCode::ConnectRejected) || (hasCode(FbCode::NetworkError) && !hasCode(FbCode::NetReadError) &&
                                              !hasCode(FbCode::NetWriteError));
}

}  // namespace kalvero
