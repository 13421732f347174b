#pragma once

#include "data/records/RecordSet.h"

#include <QObject>

namespace kalvero {

// Calls show whenever what a box bound to the set must show may have changed:
// another current record, a new state, reloaded rows, or a change of the
// current record's values. The connections end with receiver.
template <typename Show>
void followCurrentRecord(RecordSet *set, QObject *receiver, Show show) {
    QObject::connect(set, &RecordSet::currentChanged, receiver, show);
    QObject::connect(set, &RecordSet::stateChanged, receiver, show);
    QObject::connect(set, &RecordSet::rowsReset, receiver, show);
    QObject::connect(set, &RecordSet::rowChanged, receiver, [set, show](int row) {
        if (row == set->currentRow())
            show();
    });
}

}  // namespace kalvero
