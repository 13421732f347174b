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
    auto widest = [&](const QFont &font) {
        double width = 0;
        for (const QString &line : lines)
            width = std::max(width, context.metrics.widthMm(font, line));
        return width;
    };
    double width = widest(m_font);
    if (m_minimumPoints > 0 && width > frame.width()) {
        const QFont designed = m_font;
        constexpr double Step = 0.25;
        while (width > frame.width() && m_font.pointSizeF() - Step >= m_minimumPoints - 1e-9) {
            m_font.setPointSizeF(m_font.pointSizeF() - Step);
            width = widest(m_font);
        }
        if (width > frame.width())
            addLines(context, lines, frame, true, items);
        else
            addLines(context, lines, alignedBox(frame, width), false, items);
        m_font = designed;
        return m_frame.height();
    }
    addLines(context, lines, alignedBox(frame, width), false, items);
    return m_frame.height();
}

QRectF ReportLabel::alignedBox(const QRectF &frame, double width) const {
    double left = frame.left();
    if (m_alignment & Qt::AlignRight)
        left = frame.right() - width;
    else if (m_alignment & Qt::AlignHCenter)
        left = frame.center().x() - width / 2;
    return QRectF(left, frame.top(), width, frame.height());
}

}  // namespace kalvero
