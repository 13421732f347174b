#pragma once

#include "ReportDocument.h"
#include "ReportRun.h"
#include "TextMetrics.h"

#include <QDate>
#include <QHash>

#include <unordered_set>

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
//
// run() keeps every page. runOnDemand() goes through the layout once keeping
// only where each page starts (the record, the run's counters), and lays a
// page out again from there when it is asked for: the same events fire in
// the same order from the start of that page, so a layout whose events
// depend on the current record and the run's counters gets the same page.
class ReportPaginator {
public:
    explicit ReportPaginator(ReportLayout &layout);
    ReportDocument run();
    // The layout and its dataset must outlive the document given.
    static ReportDocument runOnDemand(ReportLayout &layout);

private:
    class PagesOnDemand;

    // Where a page starts: the state of the run when the step that opened
    // it (one detail or the summary) began.
    struct PageStart {
        int recNo = 0;  // the dataset's current record, 1-based; 0 for none
        bool eof = false;
        bool summary = false;  // the details are done
        int pageNumber = 0;    // of the page before it
        int recordNumber = 0;
        QHash<QString, qint64> counters;
    };

    // Prints from the current step to the end, or to the close of the page
    // being laid out again.
    void proceed();
    void printDetail(ReportBand *detail);
    void openPage();
    void closePage();
    // Fires the band's event and places it; moves to a new page first when
    // it does not fit. A missing band prints nothing.
    void printBand(ReportBand *band, bool moveWhenFull = true);
    double layOutBand(const ReportBand &band, std::vector<PageItem> &items);
    double footerTop() const;
    PageStart stepStart() const;
    ReportPage layOutAgain(const PageStart &start);

    ReportLayout &m_layout;
    ReportRun m_run;
    TextMetrics m_metrics;
    QDate m_today;
    ReportDocument m_document;
    ReportPage *m_page = nullptr;
    double m_y = 0;
    bool m_pageHasBody = false;  // anything below the headers
    bool m_summary = false;      // the details are done
    std::vector<PageItem> m_bandItems;  // a band laid out before it is placed

    // Keep: every page; Count: only where each page starts; Again: one page,
    // laid out again from its start.
    enum class Mode { Keep, Count, Again };
    Mode m_mode = Mode::Keep;
    ReportPage m_scratch;  // the page being laid out when the pages are not kept
    std::vector<PageStart> m_starts;
    PageStart m_step;  // the current step's start
    bool m_stopped = false;  // the page laid out again is closed
    // Bands laid out once while counting: a band that cannot grow is as high
    // as its height, and its controls need not be laid out again to know it.
    std::unordered_set<const ReportBand *> m_measured;
};

}  // namespace kalvero
