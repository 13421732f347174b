#pragma once

#include <QString>
#include <QVariant>

#include <functional>

namespace kalvero {

class RecordSet;

// Posts the record being inserted or changed and writes it to the database.
// When the write fails, the record is put back into insert or edit state with
// what was entered, so the entry stays on the screen and can be saved again
// or cancelled, and the failure goes on to the caller.
void postAndApply(RecordSet &set);

// Writes the new record being entered under the next free code, which
// nextCode reads from the database at this moment. When another workstation
// has taken that code meanwhile, the database refuses it by its unique key:
// the record takes the next code and is written again, so that both are
// saved. A record whose last save could not be checked keeps its code, by
// which the write looks for it first. Gives the code written.
QVariant postWithNextCode(RecordSet &set, const QString &codeField, const std::function<QVariant()> &nextCode);

// Deletes the current record, writes the deletion and reloads the list with
// its statement. False when that fails (above all a record that others refer
// to): the record is then back in the list and nothing stays pending.
bool deleteAndApply(RecordSet &set);

}  // namespace kalvero
