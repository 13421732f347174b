#include "ReportControl.h"

#include "ReportContext.h"
#include "ReportFonts.h"
#include "TextMetrics.h"

namespace kalvero {

ReportControl::ReportControl(double left, double top, double width, double height)
    : m_frame(left, top, width, height), m_font(ReportFonts::arial(10)) {}

ReportControl::~ReportControl() = default;

void ReportControl::addLines(const ReportContext &context, const QStringList &lines, QRectF box, bool clipped,
                             std::vector<PageItem> &items) const {
    const TextMetrics &m = context.metrics;
    const double lineHeight = m.lineHeightMm(m_font);
    const double ascent = m.ascentMm(m_font);
    double y = box.top();
    for (const QString &line : lines) {
        double x = box.left();
        if (m_alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
            const double free = box.width() - m.widthMm(m_font, line);
            x += (m_alignment & Qt::AlignRight) ? free : free / 2;
        }
        items.push_back(TextItem{QRectF(box.left(), y, box.width(), lineHeight), QPointF(x, y + ascent), line, m_font,
                                 clipped});
        y += lineHeight;
    }
}

}  // namespace kalvero
