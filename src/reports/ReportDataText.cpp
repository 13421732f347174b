#include "ReportDataText.h"

#include "ReportContext.h"
#include "ReportError.h"
#include "TextMetrics.h"
#include "data/records/RecordSet.h"

namespace kalvero {

ReportDataText::ReportDataText(const QString &fieldName, double left, double top, double width, double height,
                               RecordSet *dataSet)
    : ReportControl(left, top, width, height), m_fieldName(fieldName), m_dataSet(dataSet) {}

QString ReportDataText::currentText(RecordSet *layoutDataSet) {
    RecordSet *set = m_dataSet ? m_dataSet : layoutDataSet;
    if (!set)
        throw ReportError(QStringLiteral("O campo %1 não tem conjunto de registros.").arg(m_fieldName));
    if (!set->isActive())
        throw ReportError(QStringLiteral("%1: o conjunto de registros está fechado.").arg(set->name()));
    if (m_indexedSet != set) {
        m_fieldIndex = set->fieldIndex(m_fieldName);
        if (m_fieldIndex < 0)
            throw ReportError(QStringLiteral("%1: campo '%2' não encontrado.").arg(set->name(), m_fieldName));
        m_indexedSet = set;
    }
    const int row = set->currentRow();
    return row < 0 ? QString() : set->displayTextAt(row, m_fieldIndex);
}

double ReportDataText::layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) {
    const QString text = currentText(context.dataSet);
    const QRectF frame = m_frame.translated(origin);
    const TextMetrics &m = context.metrics;
    if (m_grows) {
        const QStringList lines = m.wrap(m_font, text, frame.width());
        addLines(context, lines, frame, false, items);
        return std::max(m_frame.height(), lines.size() * m.lineHeightMm(m_font));
    }
    if (m_wordWrap) {
        const int fit = std::max(1, int(frame.height() / m.lineHeightMm(m_font) + 1e-6));
        addLines(context, m.wrap(m_font, text, frame.width()).mid(0, fit), frame, true, items);
    } else {
        const bool breaks = text.contains(QLatin1Char('\n'));
        addLine(context, breaks ? QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) : text, frame, true, items);
    }
    return m_frame.height();
}

}  // namespace kalvero
