#include "ReportLabel.h"

#include "ReportContext.h"
#include "TextMetrics.h"

namespace kalvero {

ReportLabel::ReportLabel(double left, double top, double width, double height, const QString &caption)
    : ReportControl(left, top, width, height), m_caption(caption) {}

double ReportLabel::layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) {
    const QString text = textToPrint(context);
    const QRectF frame = m_frame.translated(origin);
    if (!m_autoSize) {
        addLines(context, context.metrics.wrap(m_font, text, frame.width()), frame, false, items);
        return m_frame.height();
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, context.metrics.widthMm(m_font, line));
    double left = frame.left();
    if (m_alignment & Qt::AlignRight)
        left = frame.right() - width;
    else if (m_alignment & Qt::AlignHCenter)
        left = frame.center().x() - width / 2;
    addLines(context, lines, QRectF(left, frame.top(), width, frame.height()), false, items);
    return m_frame.height();
}

}  // namespace kalvero
