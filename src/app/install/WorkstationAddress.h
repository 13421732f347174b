#pragma once

#include <QString>

namespace kalvero::WorkstationAddress {

// Makes the server address in a program folder's Config/ipServidor.ini the
// given one, as its only line. Says what it did; when the file already names
// that server, nothing is written. Throws InstallError when it cannot write.
QString apply(const QString &programFolder, const QString &server);

}  // namespace kalvero::WorkstationAddress
