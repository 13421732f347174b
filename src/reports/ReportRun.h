#pragma once

#include <QHash>
#include <QString>

namespace kalvero {

class ReportLayout;

// The state of one run of a layout, handed to every before-print event.
// Counters start at zero with each run.
class ReportRun {
public:
    explicit ReportRun(ReportLayout &layout) : m_layout(layout) {}

    ReportLayout &layout() const { return m_layout; }
    int pageNumber() const { return m_pageNumber; }
    // 1-based number of the record the detail band prints; 0 outside it.
    int recordNumber() const { return m_recordNumber; }

    qint64 &counter(const QString &name) { return m_counters[name]; }

private:
    friend class ReportPaginator;
    ReportLayout &m_layout;
    int m_pageNumber = 0;
    int m_recordNumber = 0;
    QHash<QString, qint64> m_counters;
};

}  // namespace kalvero
