#pragma once

#include "ReportControl.h"

#include <QStringList>

namespace kalvero {

// Lines that a band event supplies; the memo grows downwards with them.
class ReportMemo : public ReportControl {
public:
    using ReportControl::ReportControl;

    const QStringList &lines() const { return m_lines; }
    void setLines(const QStringList &lines) { m_lines = lines; }
    void addLine(const QString &line) { m_lines << line; }
    void clear() { m_lines.clear(); }

    bool growsDownwards() const override { return true; }
    double layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) override;

private:
    QStringList m_lines;
};

}  // namespace kalvero
