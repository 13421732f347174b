#pragma once

#include "data/Failure.h"

namespace kalvero {

// A layout that cannot be run or printed; its text is shown to the user.
class ReportError : public Failure {
public:
    using Failure::Failure;
};

}  // namespace kalvero
