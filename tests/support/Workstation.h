#pragma once

#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"

namespace kalvero::test {

// One workstation on a unit database: its own connection and registry
// module, as the program has them. Tests put two side by side to play two
// desks on one database.
struct Workstation {
    TDM dm;
    TUDMCadastro cadastro{dm};
    explicit Workstation(const QString &database) { dm.MDatabasePrincipal.setDatabaseName(database); }
    Connection &connection() { return dm.MDatabasePrincipal; }
};

}  // namespace kalvero::test
