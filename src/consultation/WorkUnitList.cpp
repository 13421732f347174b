#include "WorkUnitList.h"

#include "data/ProgramPaths.h"
#include "data/firebird/Connection.h"
#include "data/modules/AccessStatements.h"
#include "data/records/RecordSet.h"

namespace kalvero::WorkUnitList {

QString accessDatabaseName(const QString &serverAddress, const QString &programFolder) {
    return DatabaseTarget::databaseName(serverAddress, ProgramPaths::accessDatabase(programFolder));
}

QString unitDatabaseName(const QString &serverAddress, const QString &unitFolder) {
    return DatabaseTarget::databaseName(serverAddress, ProgramPaths::unitDatabase(unitFolder));
}

QVector<WorkUnit> read(const QString &serverAddress, const QString &programFolder, Connection *kept) {
    Connection own;
    own.setDatabaseName(accessDatabaseName(serverAddress, programFolder));
    Connection &access = kept ? *kept : own;
    QVector<WorkUnit> units;
    {
        access.reviveIfLost();
        RecordSet list(QStringLiteral("tbAcesso"));
        list.setConnection(&access);
        list.openWith(WorkUnitStatements::standing());
        for (list.first(); !list.eof(); list.next()) {
            WorkUnit unit;
            unit.code = list.field(QStringLiteral("CODIGO")).asString();
            unit.name = list.field(QStringLiteral("PREFEITURA")).asString();
            unit.folder = list.field(QStringLiteral("CAMINHO")).asString();
            unit.databaseName = unitDatabaseName(serverAddress, unit.folder);
            units << unit;
        }
    }
    own.close();
    return units;
}

}  // namespace kalvero::WorkUnitList
