#include "RecordWrite.h"

#include "data/Failure.h"
#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"

#include <QVariantList>

namespace kalvero {

void postAndApply(RecordSet &set) {
    const bool inserting = set.isNewRecord();
    QVariantList entered;
    QList<int> stored;
    for (int i = 0; i < set.fieldCount(); ++i) {
        if (set.fieldDef(i).isLookup)
            continue;
        stored << i;
        entered << set.field(i).value();
    }
    set.post();
    try {
        set.applyUpdates();
    } catch (const Failure &) {
        if (set.changeCount() > 0) {
            // The connection was lost: the posted record is still pending
            // (the next save looks for it before writing) and is reopened.
            set.edit();
        } else {
            if (inserting)
                set.append();
            else
                set.edit();
            for (int k = 0; k < stored.size(); ++k)
                set.field(stored.at(k)).setValue(entered.at(k));
        }
        throw;
    }
}

bool deleteAndApply(RecordSet &set) {
    try {
        set.deleteRecord();
        set.applyUpdates();
        set.close();
        set.open();
        return true;
    } catch (const Failure &) {
        if (set.isActive())
            set.cancelUpdates();
        return false;
    }
}

}  // namespace kalvero
