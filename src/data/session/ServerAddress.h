#pragma once

#include "../Failure.h"

namespace kalvero {

// The server address of Config/ipServidor.ini under a program folder: every
// line replaces the one before, so the last line read wins. Lines end in CR LF
// or LF; a final line ending followed by an empty line gives an empty address.
// Nothing is trimmed. Throws FileError when the file cannot be read.
QString ReadServerAddress(const QString &programFolder);

}  // namespace kalvero
