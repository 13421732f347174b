#include "ProgramPaths.h"

#include <QCoreApplication>

namespace kalvero::ProgramPaths {

namespace {
QString withSlash(const QString &folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
}  // namespace

namespace {
QString &overriddenFolder() {
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder() {
    const QString &folder = overriddenFolder();
    return withSlash(folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder);
}

void overrideProgramFolder(const QString &folder) { overriddenFolder() = folder; }

QString supportProgram() { return InstallFolder + QStringLiteral("SuporteNorvale"); }

QString accessDatabase(const QString &pf) { return withSlash(pf) + QStringLiteral("DBACESSO.FDB"); }

QString unitFolder(const QString &pf, const QString &unitCode) {
    return withSlash(pf) + QStringLiteral("UN") + unitCode + QLatin1Char('/');
}

QString unitDatabase(const QString &unitFolder) { return withSlash(unitFolder) + QStringLiteral("DBPROTOCOLO.FDB"); }

QString backupFolder(const QString &pf, const QString &unitCode) {
    return withSlash(pf) + QStringLiteral("Backup/UN") + unitCode + QLatin1Char('/');
}

QString configFolder(const QString &pf) { return withSlash(pf) + QStringLiteral("Config/"); }

QString serverAddressFile(const QString &pf) { return configFolder(pf) + QStringLiteral("ipServidor.ini"); }

QString emblemFile(const QString &pf) { return configFolder(pf) + QStringLiteral("prefeitura.bmp"); }

QString updateFile(const QString &pf) { return configFolder(pf) + QStringLiteral("kalvero.txt"); }

QString templateDatabase(const QString &pf) { return configFolder(pf) + QStringLiteral("DBPROTOCOLO_MODELO.FDB"); }

}  // namespace kalvero::ProgramPaths
