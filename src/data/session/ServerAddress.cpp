#include "ServerAddress.h"

#include "../ProgramPaths.h"

#include <QFile>

namespace kalvero {

QString ReadServerAddress(const QString &programFolder) {
    QFile file(ProgramPaths::serverAddressFile(programFolder));
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    // A line ending that closes the file starts no new line; two in a row at
    // the end leave an empty last line.
    QString address;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        address = QString::fromLocal8Bit(line);
    }
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    return address;
}

}  // namespace kalvero
