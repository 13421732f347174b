#pragma once

#include <QString>

#include <exception>

namespace kalvero {

// How a failure is said to the person at the desk: in Portuguese, in the
// words of the desk, decided from Firebird's error codes in this one place.
// Firebird's own text goes into the details, for the support line.
struct FailureWords {
    QString text;
    QString details;  // empty when the text says it all

    static FailureWords of(const std::exception &failure);
};

}  // namespace kalvero
