#include "ReportPaginator.h"

#include "ReportContext.h"
#include "ReportLayout.h"
#include "data/Clock.h"
#include "data/records/RecordSet.h"

namespace kalvero {

class ReportPaginator::PagesOnDemand : public ReportPageSource {
public:
    explicit PagesOnDemand(ReportLayout &layout) : m_paginator(layout) {
        m_paginator.m_mode = Mode::Count;
        m_paginator.run();
    }
    int pageCount() const override { return int(m_paginator.m_starts.size()); }
    const ReportPage &page(int index) override {
        if (index != m_index) {
            m_index = -1;  // should the layout throw, no half page stays
            m_page = m_paginator.layOutAgain(m_paginator.m_starts.at(size_t(index)));
            m_index = index;
        }
        return m_page;
    }

private:
    ReportPaginator m_paginator;
    ReportPage m_page;
    int m_index = -1;
};

ReportPaginator::ReportPaginator(ReportLayout &layout) : m_layout(layout), m_run(layout) {}

ReportDocument ReportPaginator::runOnDemand(ReportLayout &layout) {
    ReportDocument document;
    document.paper = layout.paper();
    document.source = std::make_shared<PagesOnDemand>(layout);
    return document;
}

ReportDocument ReportPaginator::run() {
    m_today = Clock::today();
    m_document.paper = m_layout.paper();
    if (m_layout.onBeforePrint)
        m_layout.onBeforePrint(m_run);

    RecordSet *set = m_layout.dataSet();
    // The caller's record is given back after the run.
    const int callerRecord = set && set->isActive() ? set->recNo() : 0;
    if (set)
        set->first();

    m_step = stepStart();
    openPage();
    proceed();

    if (callerRecord > 0)
        set->setRecNo(callerRecord);
    return std::move(m_document);
}

ReportPage ReportPaginator::layOutAgain(const PageStart &start) {
    RecordSet *set = m_layout.dataSet();
    const int callerRecord = set && set->isActive() ? set->recNo() : 0;
    if (set && start.recNo > 0) {
        set->setRecNo(start.recNo);
        if (start.eof)
            set->next();
    }
    m_summary = start.summary;
    m_run.m_pageNumber = start.pageNumber;
    m_run.m_recordNumber = start.recordNumber;
    m_run.m_counters = start.counters;
    m_mode = Mode::Again;
    m_stopped = false;
    m_step = start;
    openPage();
    proceed();
    if (callerRecord > 0)
        set->setRecNo(callerRecord);
    ReportPage page = std::move(m_scratch);
    m_scratch = ReportPage();
    return page;
}

ReportPaginator::PageStart ReportPaginator::stepStart() const {
    PageStart start;
    if (const RecordSet *set = m_layout.dataSet(); set && set->isActive()) {
        start.recNo = set->recNo();
        start.eof = set->eof();
    }
    start.summary = m_summary;
    start.pageNumber = m_run.m_pageNumber;
    start.recordNumber = m_run.m_recordNumber;
    start.counters = m_run.m_counters;
    return start;
}

void ReportPaginator::proceed() {
    ReportBand *detail = m_layout.band(BandKind::Detail);
    if (!m_summary && detail) {
        if (RecordSet *set = m_layout.dataSet()) {
            for (; !set->eof(); set->next()) {
                printDetail(detail);
                if (m_stopped)
                    return;
            }
        } else {
            printDetail(detail);  // a layout without a dataset prints its detail once
            if (m_stopped)
                return;
        }
    }
    if (!m_summary) {
        m_summary = true;
        m_run.m_recordNumber = 0;
    }
    m_step = stepStart();
    printBand(m_layout.band(BandKind::Summary));
    if (m_stopped)
        return;
    closePage();
}

void ReportPaginator::printDetail(ReportBand *detail) {
    m_step = stepStart();
    ++m_run.m_recordNumber;
    if (detail->newPageBeforeEach() && m_pageHasBody) {
        closePage();
        if (m_stopped)
            return;
        openPage();
    }
    printBand(detail);
}

void ReportPaginator::openPage() {
    if (m_mode == Mode::Keep) {
        m_document.pages.emplace_back();
        m_page = &m_document.pages.back();
    } else {
        if (m_mode == Mode::Count)
            m_starts.push_back(m_step);
        m_scratch.items.clear();
        m_page = &m_scratch;
    }
    m_page->number = ++m_run.m_pageNumber;
    m_y = m_document.paper.margins.top();
    m_pageHasBody = false;
    printBand(m_layout.band(BandKind::PageHeader), false);
    printBand(m_layout.band(BandKind::ColumnHeader), false);
}

void ReportPaginator::closePage() {
    if (ReportBand *footer = m_layout.band(BandKind::PageFooter)) {
        if (footer->onBeforePrint)
            footer->onBeforePrint(m_run);
        std::vector<PageItem> items;
        const double height = layOutBand(*footer, items);
        // At the bottom of the printable area, however tall it grew.
        const double top = m_document.paper.size.height() - m_document.paper.margins.bottom() - height;
        for (PageItem &item : items) {
            moveItem(item, top);
            m_page->items.push_back(std::move(item));
        }
    }
    // A kept page is whole once closed: it keeps no room to grow (a long
    // list holds thousands of pages).
    if (m_mode == Mode::Keep)
        m_page->items.shrink_to_fit();
    else if (m_mode == Mode::Again)
        m_stopped = true;
}

double ReportPaginator::footerTop() const {
    const ReportBand *footer = m_layout.band(BandKind::PageFooter);
    return m_document.paper.size.height() - m_document.paper.margins.bottom() - (footer ? footer->height() : 0);
}

double ReportPaginator::layOutBand(const ReportBand &band, std::vector<PageItem> &items) {
    // Counting pages needs only the heights; the first layout of each band
    // still runs whole, so that a fault in it shows before any page does.
    if (m_mode == Mode::Count && !band.mayGrow() && !m_measured.insert(&band).second)
        return band.height();
    const ReportContext context{m_metrics, m_layout.dataSet(), m_run.m_pageNumber, m_today};
    const QRectF printable = m_document.paper.printableRect();
    return band.layOut(context, printable.left(), printable.width(), items);
}

void ReportPaginator::printBand(ReportBand *band, bool moveWhenFull) {
    if (!band)
        return;
    if (band->onBeforePrint)
        band->onBeforePrint(m_run);
    std::vector<PageItem> &items = m_bandItems;
    items.clear();
    double height = layOutBand(*band, items);
    if (moveWhenFull && m_pageHasBody && m_y + height > footerTop() + 1e-6) {
        closePage();
        if (m_stopped)
            return;
        openPage();
        // Laid out again: what it shows may depend on the page (its number).
        items.clear();
        height = layOutBand(*band, items);
    }
    for (PageItem &item : items) {
        moveItem(item, m_y);
        m_page->items.push_back(std::move(item));
    }
    items.clear();
    m_y += height;
    if (moveWhenFull)
        m_pageHasBody = true;
}

}  // namespace kalvero
