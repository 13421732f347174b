#include "ServerAddress.h"

#include "../ProgramPaths.h"
#include "../TextFile.h"

namespace kalvero {

QString ReadServerAddress(const QString &programFolder) {
    // Each line read replaces the one before: the last one wins.
    const QStringList lines = TextFile::readLines(ProgramPaths::serverAddressFile(programFolder));
    return lines.isEmpty() ? QString() : lines.last();
}

}  // namespace kalvero
