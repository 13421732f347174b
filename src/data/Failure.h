#pragma once

#include <QString>
#include <stdexcept>

namespace kalvero {

// A failure whose text is shown to the person at the desk as it stands; the
// details, when there are any, wait under "Detalhes" for the support line.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString &text, const QString &details = QString())
        : std::runtime_error(text.toStdString()), m_text(text), m_details(details) {}
    const QString &text() const { return m_text; }
    const QString &details() const { return m_details; }

private:
    QString m_text;
    QString m_details;
};

// A file that cannot be read or written, with the system's own words.
class FileError : public Failure {
public:
    using Failure::Failure;
};

}  // namespace kalvero
