#pragma once

#include <QList>
#include <QVariantList>

namespace kalvero {

class RecordSet;

// What was typed into the row being inserted or changed, kept aside so that
// a save that fails can give the row back as it was typed.
class EnteredRow {
public:
    explicit EnteredRow(RecordSet &set);
    // Drops every pending change of the set and inserts the typed row again.
    void restoreAsNew(RecordSet &set) const;

private:
    QList<int> m_fields;
    QVariantList m_values;
};

}  // namespace kalvero
