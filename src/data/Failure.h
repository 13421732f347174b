#pragma once

#include <QString>
#include <stdexcept>

namespace kalvero {

// A failure whose text is shown to the person at the desk as it stands.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// A file that cannot be read or written, with the system's own words.
class FileError : public Failure {
public:
    using Failure::Failure;
};

}  // namespace kalvero
