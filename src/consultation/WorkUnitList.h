#pragma once

#include <QString>
#include <QVector>

namespace kalvero {

class Connection;

// A work unit as the access database lists it, with the database string of
// its register.
struct WorkUnit {
    QString code;    // ACESSO.CODIGO
    QString name;    // ACESSO.PREFEITURA
    QString folder;  // ACESSO.CAMINHO, as the server sees it
    QString databaseName;

    QString label() const { return code + QLatin1Char('-') + name; }
};

// The work units of the access database, in code order, read on a
// connection of the caller's thread that is closed again.
namespace WorkUnitList {
QString accessDatabaseName(const QString &serverAddress, const QString &programFolder);
// A unit's register: server address + ":" + its folder + DBPROTOCOLO.FDB.
QString unitDatabaseName(const QString &serverAddress, const QString &unitFolder);
// On the connection given (to the access database), kept open; otherwise on
// one of its own.
QVector<WorkUnit> read(const QString &serverAddress, const QString &programFolder, Connection *kept = nullptr);
}  // namespace WorkUnitList

}  // namespace kalvero
