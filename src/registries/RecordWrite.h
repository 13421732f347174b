#pragma once

#include <QString>
#include <QVariant>


namespace kalvero {

class RecordSet;

// Posts the record being inserted or changed and writes it to the database.
// When the write fails, the record is put back into insert or edit state with
// what was entered, so the entry stays on the screen and can be saved again
// or cancelled, and the failure goes on to the caller.
void postAndApply(RecordSet &set);

// Deletes the current record, writes the deletion and reloads the list with
// its statement. False when that fails (above all a record that others refer
// to): the record is then back in the list and nothing stays pending.
bool deleteAndApply(RecordSet &set);

}  // namespace kalvero
