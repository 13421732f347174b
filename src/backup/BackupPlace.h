#pragma once

#include <QDateTime>
#include <QString>

namespace kalvero {

// Where a unit's archives live and what they are called.
namespace BackupPlace {

// Where the automounter's hosts map mounts other machines' exports.
inline const QString NetworkRoot = QStringLiteral("/net/");

// "" and "localhost" are this machine's server (or the embedded engine).
bool isLocalServer(const QString &serverAddress);

// The unit's Backup folder: under the program folder for a local server,
// and the server's own Backup folder reached over the network otherwise:
// <network root><server address><program folder>Backup/UN<code>/.
QString folder(const QString &programFolder, const QString &serverAddress, const QString &unitCode,
               const QString &networkRoot = NetworkRoot);

// UN01-Gerado_no_Dia_05.03.2014_as_14.30.15.rar
QString archiveName(const QString &unitCode, const QDateTime &when);
// The safety copy made before a restore: the archive name with "-GeradoPeloSistema.rar" after it.
QString safetyCopyName(const QString &archiveName);
// The safety copy of a restore made at this moment, under a name that no
// file of the folder has yet: the archive name of the moment with
// "-GeradoPeloSistema.rar" after it, the time followed by "-2", "-3", ...
// when that is taken.
QString freeSafetyCopyName(const QString &folder, const QString &unitCode, const QDateTime &when);
// The archives of the folder (safety copies included), as the folder lists them.
QStringList archives(const QString &folder);

}  // namespace BackupPlace

}  // namespace kalvero
