#include "ReportPaginator.h"

#include "ReportContext.h"
#include "ReportLayout.h"
#include "data/Clock.h"
#include "data/records/RecordSet.h"

#include <QScopeGuard>

namespace kalvero {

ReportPaginator::ReportPaginator(ReportLayout &layout) : m_layout(layout), m_run(layout) {}

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

    openPage();
    if (ReportBand *detail = m_layout.band(BandKind::Detail)) {
        auto printDetail = [&] {
            ++m_run.m_recordNumber;
            if (detail->newPageBeforeEach() && m_pageHasBody) {
                closePage();
                openPage();
            }
            printBand(detail);
        };
        if (set) {
            for (; !set->eof(); set->next())
                printDetail();
        } else {
            printDetail();  // a layout without a dataset prints its detail once
        }
    }
    m_run.m_recordNumber = 0;
    printBand(m_layout.band(BandKind::Summary));
    closePage();

    if (callerRecord > 0)
        set->setRecNo(callerRecord);
    return std::move(m_document);
}

void ReportPaginator::openPage() {
    m_document.pages.emplace_back();
    m_page = &m_document.pages.back();
    m_page->number = ++m_run.m_pageNumber;
    m_y = m_document.paper.margins.top();
    m_pageHasBody = false;
    printBand(m_layout.band(BandKind::PageHeader), false);
    printBand(m_layout.band(BandKind::ColumnHeader), false);
}

void ReportPaginator::closePage() {
    // A page is whole once closed: it keeps no room to grow (a long list
    // holds thousands of pages).
    const auto fitted = qScopeGuard([this] { m_page->items.shrink_to_fit(); });
    ReportBand *footer = m_layout.band(BandKind::PageFooter);
    if (!footer)
        return;
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

double ReportPaginator::footerTop() const {
    const ReportBand *footer = m_layout.band(BandKind::PageFooter);
    return m_document.paper.size.height() - m_document.paper.margins.bottom() - (footer ? footer->height() : 0);
}

double ReportPaginator::layOutBand(const ReportBand &band, std::vector<PageItem> &items) {
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
