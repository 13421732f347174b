#pragma once

#include <QString>

class QWidget;

namespace kalvero {

class DatabaseError;
class RecordSet;

// What a screen does when a change is refused because another workstation
// changed or removed the record since it was read: the refusal is shown, and
// the operator may bring the record as it is stored now onto the screen, with
// what they changed put back over it, to save again or cancel.
namespace CurrentVersionOffer {

// True when the record being changed now holds the stored version with the
// operator's changes; false when the operator declined or the record is gone
// (which is said).
bool offer(QWidget *owner, const QString &caption, RecordSet &records, const DatabaseError &refusal);

}  // namespace CurrentVersionOffer

}  // namespace kalvero
