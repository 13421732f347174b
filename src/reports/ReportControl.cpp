#include "ReportControl.h"

#include "ReportContext.h"
#include "ReportFonts.h"
#include "TextMetrics.h"

namespace kalvero {

ReportControl::ReportControl(double left, double top, double width, double height)
    : m_frame(left, top, width, height), m_font(ReportFonts::arial(10)) {}

ReportControl::~ReportControl() = default;

void ReportControl::addLines(const ReportContext &context, const QStringList &lines, QRectF box, bool clipToBox,
                             std::vector<PageItem> &items) const {
    const double lineHeight = context.metrics.lineHeightMm(m_font);
    const bool justify = m_alignment & Qt::AlignJustify;
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF lineBox(box.left(), box.top(), box.width(), lineHeight);
        if (!(justify && i + 1 < lines.size() && addJustifiedLine(context, lines.at(i), lineBox, items)))
            addLine(context, lines.at(i), lineBox, clipToBox, items);
        box.setTop(box.top() + lineHeight);
    }
}

bool ReportControl::addJustifiedLine(const ReportContext &context, const QString &line, const QRectF &box,
                                     std::vector<PageItem> &items) const {
    const TextMetrics &m = context.metrics;
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2)
        return false;
    double inked = 0;
    for (const QString &word : words)
        inked += m.widthMm(m_font, word);
    const double gap = (box.width() - inked) / (words.size() - 1);
    if (gap < 0)
        return false;
    double x = box.left();
    const double baseline = box.top() + m.ascentMm(m_font);
    for (const QString &word : words) {
        items.push_back(TextItem{box, QPointF(x, baseline), word, m_font, false});
        x += m.widthMm(m_font, word) + gap;
    }
    return true;
}

void ReportControl::addLine(const ReportContext &context, const QString &line, const QRectF &box, bool clipToBox,
                            std::vector<PageItem> &items) const {
    const TextMetrics &m = context.metrics;
    const double lineHeight = m.lineHeightMm(m_font);
    double x = box.left();
    bool clipped = false;
    const bool aligned = m_alignment & (Qt::AlignRight | Qt::AlignHCenter);
    if (aligned || (clipToBox && !m.surelyFits(m_font, line, box.width()))) {
        const double free = box.width() - m.widthMm(m_font, line);
        if (aligned)
            x += (m_alignment & Qt::AlignRight) ? free : free / 2;
        clipped = clipToBox && free < 0;
    }
    items.push_back(TextItem{QRectF(box.left(), box.top(), box.width(), lineHeight),
                             QPointF(x, box.top() + m.ascentMm(m_font)), line, m_font, clipped});
}

}  // namespace kalvero
