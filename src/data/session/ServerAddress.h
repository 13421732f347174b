#pragma once

#include <QString>
#include <stdexcept>

namespace kalvero {

// A file that cannot be read, with the system's own words.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// The server address of Config/ipServidor.ini under a program folder: every
// line replaces the one before, so the last line read wins. Lines end in CR LF
// or LF; a final line ending followed by an empty line gives an empty address.
// Nothing is trimmed. Throws FileError when the file cannot be read.
QString ReadServerAddress(const QString &programFolder);

}  // namespace kalvero
