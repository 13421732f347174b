#include "EnteredRow.h"

#include "RecordSet.h"

namespace kalvero {

EnteredRow::EnteredRow(RecordSet &set) {
    for (int i = 0; i < set.fieldCount(); ++i) {
        if (set.fieldDef(i).isLookup)
            continue;
        m_fields << i;
        m_values << set.field(i).value();
    }
}

void EnteredRow::restoreAsNew(RecordSet &set) const {
    set.cancelUpdates();
    set.insert();
    for (int k = 0; k < m_fields.size(); ++k)
        set.field(m_fields.at(k)).setValue(m_values.at(k));
}

}  // namespace kalvero
