#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kalvero {

// The 26 states as the entity screen lists them, in its order.
const QStringList &StateNames();

// The wording of the entity's state on reports: "ESTADO DA BAHIA", "ESTADO DE
// SÃO PAULO", "ESTADO DO PIAUÍ", "DISTRITO FEDERAL". The state is compared
// exactly, as the entity screen's list writes it; no state gives "ESTADO DE ";
// an unknown value gives nothing, and the caller keeps the wording it had.
std::optional<QString> StateTextFor(const QString &estado);

}  // namespace kalvero
