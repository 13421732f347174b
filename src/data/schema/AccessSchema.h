#pragma once

#include "TableDefinition.h"

namespace kalvero {

class Connection;

// The tables of the access database (DBACESSO.FDB): operators and work units.
namespace AccessSchema {
const TableDefinition &operatorTable();  // OPERACAO
const TableDefinition &unitTable();      // ACESSO
const TableDefinition *table(const QString &name);
void createTables(Connection &connection);
}  // namespace AccessSchema

}  // namespace kalvero
