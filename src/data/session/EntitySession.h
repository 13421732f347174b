#pragma once

namespace kalvero {

class RecordSet;
struct SessionState;

// Puts into a session what the reports and labels take from the entity:
// CIDADE as EntityCity, ESTADO turned into its wording as StateText (a state
// the wording table does not know leaves StateText as it was) and
// CONFIG_SEQ_IMP as LabelSequence (empty reads as 0). Reads the current row
// of the set; a set without rows counts as an entity with every column empty.
void readEntityIntoSession(RecordSet &entity, SessionState &session);

}  // namespace kalvero
