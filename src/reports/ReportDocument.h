#pragma once

#include "ReportPage.h"
#include "ReportPaper.h"

#include <vector>

namespace kalvero {

// The pages of one run of a layout, ready to paint.
struct ReportDocument {
    ReportPaper paper;
    std::vector<ReportPage> pages;
};

}  // namespace kalvero
