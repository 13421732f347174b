#include "CurrentVersionOffer.h"

#include "ConflictMark.h"
#include "ErrorBox.h"
#include "LockWaitOffer.h"
#include "MessageService.h"

#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"

#include <QStringList>

namespace kalvero {

bool CurrentVersionOffer::offer(QWidget *owner, const QString &caption, RecordSet &records,
                                const DatabaseError &refusal, const QString &wayBack) {
    ErrorBox::show(owner, refusal);
    if (!MessageService::confirm(owner, caption,
                                 QStringLiteral("Deseja trazer para a tela o registro como ele está gravado agora? "
                                                "O que você alterou será mantido; depois grave de novo ou cancele."),
                                 MessageService::Icon::Question))
        return false;
    if (!records.takeCurrentVersion()) {
        MessageService::inform(owner, caption,
                               QStringLiteral("Este registro foi excluído em outra estação de trabalho. "
                                              "Use %1 para voltar à lista.")
                                   .arg(wayBack),
                               MessageService::Icon::Warning);
        return false;
    }
    return true;
}

namespace {

// The operator saw the other workstation's values beside the boxes; this is
// the last word before they are replaced.
bool replacingAgreed(QWidget *owner, const QString &caption, const RecordSet &records) {
    const QHash<QString, QVariant> changed = records.changedAtBothPlaces();
    if (changed.isEmpty())
        return true;
    QStringList names;
    for (auto it = changed.constBegin(); it != changed.constEnd(); ++it)
        names << QLatin1Char('"') + ConflictMark::captionOf(owner, records, it.key()) + QLatin1Char('"');
    names.sort();
    const bool one = names.size() == 1;
    const QString listed = one ? names.first()
                               : names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") +
                                     names.last();
    const QString text =
        one ? QStringLiteral("O campo %1 foi alterado também em outra estação de trabalho; o valor gravado lá está "
                             "ao lado da caixa.\n\nDeseja substituí-lo pelo que está na tela?")
                  .arg(listed)
            : QStringLiteral("Os campos %1 foram alterados também em outra estação de trabalho; o valor gravado lá "
                             "está ao lado de cada caixa.\n\nDeseja substituí-los pelo que está na tela?")
                  .arg(listed);
    return MessageService::confirm(owner, caption, text, MessageService::Icon::Question);
}

}  // namespace

bool CurrentVersionOffer::writeOrOffer(QWidget *owner, const QString &caption, RecordSet &records,
                                       const std::function<void()> &write, const std::function<void()> &afterTaken,
                                       const QString &wayBack) {
    if (!replacingAgreed(owner, caption, records))
        return false;
    try {
        return LockWaitOffer::writeOrRetry(owner, caption, write);
    } catch (const DatabaseError &refusal) {
        if (!refusal.isRowChangedElsewhere())
            throw;
        if (offer(owner, caption, records, refusal, wayBack) && afterTaken)
            afterTaken();
        return false;
    }
}

}  // namespace kalvero
