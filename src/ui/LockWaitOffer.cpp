#include "LockWaitOffer.h"

#include "MessageService.h"

#include "data/firebird/FailureWords.h"
#include "data/firebird/FirebirdError.h"

namespace kalvero::LockWaitOffer {

QString question(const QString &deskWords) { return deskWords + QStringLiteral("\n\nDeseja tentar de novo agora?"); }

bool writeOrRetry(QWidget *owner, const QString &caption, const std::function<void()> &write) {
    for (;;) {
        try {
            write();
            return true;
        } catch (const DatabaseError &e) {
            if (!e.isLockWaitOver())
                throw;
            const FailureWords words = FailureWords::of(e);
            if (!MessageService::confirm(owner, caption, question(words.text), MessageService::Icon::Warning,
                                         words.details))
                return false;
        }
    }
}

}  // namespace kalvero::LockWaitOffer
