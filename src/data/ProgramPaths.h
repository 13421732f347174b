#pragma once

#include <QString>

namespace kalvero::ProgramPaths {

// Every path the program builds from its folder, in one place. Folders are
// always written with a trailing "/".

// The fixed install folder of a standard installation.
inline const QString InstallFolder = QStringLiteral("/opt/kalvero/");

// The folder of the running executable.
QString programFolder();
// Tests run the windows against an install folder of their own; an empty
// folder returns to the executable's.
void overrideProgramFolder(const QString &folder);

// The maker's remote-support program, in the fixed install folder.
QString supportProgram();

QString accessDatabase(const QString &programFolder);                      // DBACESSO.FDB
QString unitFolder(const QString &programFolder, const QString &unitCode);  // UN01/
QString unitDatabase(const QString &unitFolder);                           // <unit folder>DBPROTOCOLO.FDB
QString backupFolder(const QString &programFolder, const QString &unitCode);  // Backup/UN01/
QString configFolder(const QString &programFolder);                          // Config/
QString serverAddressFile(const QString &programFolder);                     // Config/ipServidor.ini
QString emblemFile(const QString &programFolder);                            // Config/prefeitura.bmp
QString updateFile(const QString &programFolder);                            // Config/kalvero.txt
QString templateDatabase(const QString &programFolder);                      // Config/DBPROTOCOLO_MODELO.FDB

}  // namespace kalvero::ProgramPaths
