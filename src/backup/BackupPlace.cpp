#include "BackupPlace.h"

#include "data/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

namespace kalvero::BackupPlace {

bool isLocalServer(const QString &serverAddress) {
    return serverAddress.isEmpty() || serverAddress == QStringLiteral("localhost");
}

QString folder(const QString &programFolder, const QString &serverAddress, const QString &unitCode,
               const QString &networkRoot) {
    const QString local = ProgramPaths::backupFolder(programFolder, unitCode);
    if (isLocalServer(serverAddress))
        return local;
    QString root = networkRoot;
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    // The program folder is absolute: it begins with the separator.
    return root + serverAddress + local;
}

QString archiveName(const QString &unitCode, const QDateTime &when) {
    return QStringLiteral("UN") + unitCode + QStringLiteral("-Gerado_no_Dia_") +
           when.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral("_as_") +
           when.toString(QStringLiteral("HH.mm.ss")) + QStringLiteral(".rar");
}

QString safetyCopyName(const QString &archiveName) { return archiveName + QStringLiteral("-GeradoPeloSistema.rar"); }

QString freeSafetyCopyName(const QString &folder, const QString &unitCode, const QDateTime &when) {
    const QString archive = archiveName(unitCode, when);
    QString name = safetyCopyName(archive);
    const QString stem = archive.chopped(4);  // without ".rar"
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = safetyCopyName(stem + QStringLiteral("-%1.rar").arg(n));
    return name;
}

QStringList archives(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("*.rar*")}, QDir::Files,
                                  QDir::Unsorted);
}

}  // namespace kalvero::BackupPlace
