#include "TextFile.h"

#include "Failure.h"

#include <QFile>

namespace kalvero::TextFile {

QStringList readLines(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    QStringList lines;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        lines << QString::fromLocal8Bit(line);
    }
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    return lines;
}

}  // namespace kalvero::TextFile
