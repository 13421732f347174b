#pragma once

#include "registries/RegistryController.h"

#include <QList>
#include <QString>

namespace kalvero {

// Makes a new work unit usable on disk: its database folder, its backup
// folder and its database, a copy of the template. What could not be done is
// returned as messages for the operator, with the path and the system's reason;
// a database already in the unit's folder is kept and reported.
struct UnitDiskPreparation {
    QString programFolder;
    QString unitCode;
    QString unitFolder;  // CAMINHO as saved
    QString year;        // the year box: a subfolder of the unit's backup folder when filled

    QString backupFolder() const;
    QString unitDatabase() const;

    QList<RegistryMessage> run() const;
};

}  // namespace kalvero
