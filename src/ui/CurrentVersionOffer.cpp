#include "CurrentVersionOffer.h"

#include "ErrorBox.h"
#include "LockWaitOffer.h"
#include "MessageService.h"

#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"

namespace kalvero {

bool CurrentVersionOffer::offer(QWidget *owner, const QString &caption, RecordSet &records,
                                const DatabaseError &refusal) {
    ErrorBox::show(owner, refusal);
    if (!MessageService::confirm(owner, caption,
                                 QStringLiteral("Deseja trazer para a tela o registro como ele está gravado agora? "
                                                "O que você alterou será mantido; depois grave de novo ou cancele."),
                                 MessageService::Icon::Question))
        return false;
    if (!records.takeCurrentVersion()) {
        MessageService::inform(owner, caption,
                               QStringLiteral("Este registro foi excluído em outra estação de trabalho. "
                                              "Use Cancelar para voltar à lista."),
                               MessageService::Icon::Warning);
        return false;
    }
    return true;
}

bool CurrentVersionOffer::writeOrOffer(QWidget *owner, const QString &caption, RecordSet &records,
                                       const std::function<void()> &write, const std::function<void()> &afterTaken) {
    try {
        return LockWaitOffer::writeOrRetry(owner, caption, write);
    } catch (const DatabaseError &refusal) {
        if (!refusal.isRowChangedElsewhere())
            throw;
        if (offer(owner, caption, records, refusal) && afterTaken)
            afterTaken();
        return false;
    }
}

}  // namespace kalvero
