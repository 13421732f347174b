#include "FirebirdError.h"

namespace kalvero {

DatabaseError::DatabaseError(const QString &text, QVector<long> codes)
    : Failure(text), m_codes(std::move(codes)) {}

bool DatabaseError::isDuplicateKey() const {
    return hasCode(FbCode::UniqueKeyViolation) || hasCode(FbCode::NoDuplicates);
}

bool DatabaseError::isUpdateConflict() const {
    return hasCode(FbCode::UpdateConflict) || hasCode(FbCode::Deadlock);
}

bool DatabaseError::isForeignKeyViolation() const { return hasCode(FbCode::ForeignKeyViolation); }

bool DatabaseError::isConnectionLost() const {
    for (long code : {FbCode::NetworkError, FbCode::NetReadError, FbCode::NetWriteError, FbCode::LostConnection,
                      FbCode::AttachmentShutdown, FbCode::DatabaseShutdown})
        if (hasCode(code))
            return true;
    return false;
}

}  // namespace kalvero
