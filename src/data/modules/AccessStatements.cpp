#include "AccessStatements.h"

namespace kalvero {

namespace OperatorStatements {
QString standing() { return QStringLiteral("select * from OPERACAO order by usuario"); }
QString freeQuery() { return QStringLiteral("select * from operacao"); }
QString wholeTable() { return QStringLiteral("SELECT * FROM operacao"); }
}  // namespace OperatorStatements

namespace WorkUnitStatements {
QString standing() { return QStringLiteral("select * from ACESSO order by codigo"); }
QString wholeTable() { return QStringLiteral("SELECT * FROM acesso"); }
}  // namespace WorkUnitStatements

}  // namespace kalvero
