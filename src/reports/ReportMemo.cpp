#include "ReportMemo.h"

#include "ReportContext.h"
#include "TextMetrics.h"

namespace kalvero {

double ReportMemo::layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) {
    const QRectF frame = m_frame.translated(origin);
    QStringList wrapped;
    for (const QString &line : m_lines)
        wrapped << context.metrics.wrap(m_font, line, frame.width());
    addLines(context, wrapped, frame, false, items);
    return std::max(m_frame.height(), wrapped.size() * context.metrics.lineHeightMm(m_font));
}

}  // namespace kalvero
