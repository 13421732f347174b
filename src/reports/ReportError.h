#pragma once

#include <QString>

#include <stdexcept>

namespace kalvero {

// A layout that cannot be run or printed; its text is shown to the user.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

}  // namespace kalvero
