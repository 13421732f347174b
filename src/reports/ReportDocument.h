#pragma once

#include "ReportPage.h"
#include "ReportPaper.h"

#include <memory>
#include <vector>

namespace kalvero {

// Pages of a run laid out one at a time, when they are asked for.
class ReportPageSource {
public:
    virtual ~ReportPageSource() = default;
    virtual int pageCount() const = 0;
    // The page at a 0-based index; it lives until another page is asked for.
    virtual const ReportPage &page(int index) = 0;
};

// The pages of one run of a layout, ready to paint: every page laid out at
// once, or, for a long report, a source that lays a page out when it is
// asked for, so that only the pages being looked at or sent take memory.
struct ReportDocument {
    ReportPaper paper;
    std::vector<ReportPage> pages;             // laid out at once
    std::shared_ptr<ReportPageSource> source;  // or on demand

    int pageCount() const { return source ? source->pageCount() : int(pages.size()); }
    // 0-based; a page from the source lives until another page is asked for.
    const ReportPage &page(int index) const { return source ? source->page(index) : pages[size_t(index)]; }
};

}  // namespace kalvero
