#pragma once

#include <QString>

namespace kalvero {

// The standing statements of the access database's tables, shared by the
// access data module and its register windows.

namespace OperatorStatements {  // OPERACAO
QString standing();    // the operator list, in code order
QString freeQuery();   // what the access module's free query holds by default
QString wholeTable();  // what a save's duplicate check looks through
}  // namespace OperatorStatements

namespace WorkUnitStatements {  // ACESSO
QString standing();    // the unit list, in code order
QString wholeTable();  // what a save's duplicate check looks through
}  // namespace WorkUnitStatements

}  // namespace kalvero
