#pragma once

#include "TableSpec.h"

namespace kalvero {

class Connection;

// The tables of the access database (DBACESSO.FDB): operators and work units.
namespace AccessSchema {
const TableSpec &operatorTable();  // OPERACAO
const TableSpec &unitTable();      // ACESSO
const TableSpec *table(const QString &name);
void createTables(Connection &connection);
}  // namespace AccessSchema

}  // namespace kalvero
