#pragma once

#include "Failure.h"
#include "firebird/FailureWords.h"

namespace kalvero {

// A change that was written, after which its list could not be read again:
// the change stands, and the list shows it when it is next read. Carries the
// failure of the reading in the desk's words.
class NotReadAgain : public Failure {
public:
    explicit NotReadAgain(const std::exception &reading) : NotReadAgain(FailureWords::of(reading)) {}

    const FailureWords &reading() const { return m_reading; }
    // What went wrong with the reading, for a message's details.
    QString readingDetails() const {
        return m_reading.details.isEmpty() ? m_reading.text : m_reading.text + QStringLiteral("\n\n") + m_reading.details;
    }

private:
    explicit NotReadAgain(const FailureWords &reading) : Failure(reading.text), m_reading(reading) {}

    FailureWords m_reading;
};

}  // namespace kalvero
