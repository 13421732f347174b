#include "WorkstationAddress.h"

#include "InstallFolderBuilder.h"
#include "data/ProgramPaths.h"
#include "data/session/ServerAddress.h"

#include <QDir>
#include <QFile>

namespace kalvero::WorkstationAddress {

QString apply(const QString &programFolder, const QString &server) {
    const QString path = ProgramPaths::serverAddressFile(programFolder);
    if (server.trimmed().isEmpty() || server.trimmed() != server)
        throw InstallError(QStringLiteral("Give the server's address or host name, without spaces."));
    if (QFile::exists(path) && ReadServerAddress(programFolder) == server)
        return QStringLiteral("%1 already names the server %2; nothing changed.").arg(path, server);
    if (!QDir().mkpath(ProgramPaths::configFolder(programFolder)))
        throw InstallError(QStringLiteral("Could not create the folder %1.").arg(ProgramPaths::configFolder(programFolder)));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(server.toLocal8Bit() + "\r\n") < 0)
        throw InstallError(QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
    return QStringLiteral("Wrote %1 as the server's address in %2.").arg(server, path);
}

}  // namespace kalvero::WorkstationAddress
