#pragma once

#include <QStringList>

namespace kalvero::TextFile {

// The lines of a small text file in the system's 8-bit code page. Lines end
// in CR LF or LF; a line ending at the very end starts no new line, so
// "a\r\n" is one line and "a\r\n\r\n" two, the second empty. Nothing is
// trimmed. Throws FileError with the system's words when the file cannot be read.
QStringList readLines(const QString &path);

}  // namespace kalvero::TextFile
