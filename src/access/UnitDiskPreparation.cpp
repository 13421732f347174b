#include "UnitDiskPreparation.h"

#include "data/DatabaseFileCopy.h"
#include "data/ProgramPaths.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace kalvero {

namespace {

// Makes the folder and any missing folder above it; empty when it is there,
// the system's reason otherwise.
QString makeFolder(const QString &path) {
    std::error_code error;
    const std::filesystem::path folder(QFile::encodeName(QDir::cleanPath(path)).toStdString());
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error))
        return {};
    if (!error)
        error = std::make_error_code(std::errc::not_a_directory);
    return QString::fromLocal8Bit(error.message().c_str());
}

RegistryMessage folderFailure(const QString &path, const QString &reason) {
    return {QStringLiteral("Não foi possível criar a pasta %1: %2").arg(path, reason), MessageService::Icon::Error};
}

}  // namespace

QString UnitDiskPreparation::backupFolder() const {
    return ProgramPaths::backupFolder(programFolder, unitCode) + year;
}

QString UnitDiskPreparation::unitDatabase() const { return ProgramPaths::unitDatabase(unitFolder); }

QList<RegistryMessage> UnitDiskPreparation::run() const {
    QList<RegistryMessage> problems;
    const QString unitFolderFailure = makeFolder(unitFolder);
    if (!unitFolderFailure.isEmpty())
        problems << folderFailure(unitFolder, unitFolderFailure);
    const QString backup = backupFolder();
    const QString backupFailure = makeFolder(backup);
    if (!backupFailure.isEmpty())
        problems << folderFailure(backup, backupFailure);
    if (!unitFolderFailure.isEmpty())
        return problems;  // the copy has nowhere to go

    const QString templatePath = ProgramPaths::templateDatabase(programFolder);
    const QString database = unitDatabase();
    const DatabaseFileCopy copy = DatabaseFileCopy::make(templatePath, database);
    switch (copy.result) {
    case DatabaseFileCopy::Result::Copied:
        break;
    case DatabaseFileCopy::Result::AlreadyThere:
        problems << RegistryMessage{QStringLiteral("O banco de dados %1 já existe e foi mantido: a unidade de trabalho "
                                                   "usará os dados que ele contém.")
                                        .arg(database),
                                    MessageService::Icon::Information};
        break;
    case DatabaseFileCopy::Result::Failed:
        problems << RegistryMessage{QStringLiteral("Não foi possível copiar o banco de dados modelo %1 para %2: %3\n"
                                                   "A unidade de trabalho foi gravada, mas não poderá ser aberta "
                                                   "até que o banco de dados exista.")
                                        .arg(templatePath, database, copy.reason),
                                    MessageService::Icon::Error};
        break;
    }
    return problems;
}

}  // namespace kalvero
