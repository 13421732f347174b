#pragma once

#include "ReportDocument.h"
#include "ReportRun.h"
#include "TextMetrics.h"

#include <QDate>

namespace kalvero {

class ReportBand;
class ReportLayout;

// Turns a layout and its dataset into pages, firing the events in order:
// the report's event once; the dataset to its first record; each page
// opened by its page header and column header; one detail per record; the
// summary once after the last; the footer closing every page, the last
// included. A band that does not fit above the footer goes to a new page,
// except on a page that holds nothing but its headers, where it prints as
// far as the sheet goes (a label taller than its printable area still
// prints whole, one per page).
class ReportPaginator {
public:
    explicit ReportPaginator(ReportLayout &layout);
    ReportDocument run();

private:
    void openPage();
    void closePage();
    // Fires the band's event and places it; moves to a new page first when
    // it does not fit. A missing band prints nothing.
    void printBand(ReportBand *band, bool moveWhenFull = true);
    double layOutBand(const ReportBand &band, std::vector<PageItem> &items);
    double footerTop() const;

    ReportLayout &m_layout;
    ReportRun m_run;
    TextMetrics m_metrics;
    QDate m_today;
    ReportDocument m_document;
    ReportPage *m_page = nullptr;
    double m_y = 0;
    bool m_pageHasBody = false;  // anything below the headers
    std::vector<PageItem> m_bandItems;  // a band laid out before it is placed
};

}  // namespace kalvero
