#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kalvero {

class DatabaseError;
class RecordSet;

// What a screen does when a change is refused because another workstation
// changed or removed the record since it was read: the refusal is shown, and
// the operator may bring the record as it is stored now onto the screen, with
// what they changed put back over it, to save again or cancel.
namespace CurrentVersionOffer {

// The caption of the registry pattern's button that leads back to the list.
inline const QString Cancelar = QStringLiteral("Cancelar");

// True when the record being changed now holds the stored version with the
// operator's changes; false when the operator declined or the record is gone
// (which is said, naming the screen's button back to its list, wayBack).
bool offer(QWidget *owner, const QString &caption, RecordSet &records, const DatabaseError &refusal,
           const QString &wayBack = Cancelar);

// Runs the write of the record being changed. When fields of the stored
// version taken were changed at both workstations, the operator is first
// asked whether to replace the other workstation's values (shown beside the
// boxes); No writes nothing, keeps the typing and gives false. Refused
// because of another workstation, the refusal is offered as above (then
// afterTaken runs if the stored version was taken) and false is given; held
// too long by another workstation, it is offered again (LockWaitOffer),
// false when declined; any
// other failure goes on.
bool writeOrOffer(QWidget *owner, const QString &caption, RecordSet &records, const std::function<void()> &write,
                  const std::function<void()> &afterTaken = {}, const QString &wayBack = Cancelar);

}  // namespace CurrentVersionOffer

}  // namespace kalvero
