#pragma once

#include "ColumnCatalogue.h"
#include "TableDefinition.h"

namespace kalvero {

class Connection;

// The tables of the access database (DBACESSO.FDB): operators and work units.
namespace AccessSchema {
const TableDefinition &operatorTable();  // OPERACAO
const TableDefinition &unitTable();      // ACESSO
const TableDefinition *table(const QString &name);
// Both tables, for the record sets that read the access database.
const ColumnCatalogue &catalogue();
void createTables(Connection &connection);
}  // namespace AccessSchema

}  // namespace kalvero
