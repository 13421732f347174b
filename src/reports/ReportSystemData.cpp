#include "ReportSystemData.h"

#include "ReportContext.h"

namespace kalvero {

ReportSystemData::ReportSystemData(Kind kind, double left, double top, double width, double height)
    : ReportLabel(left, top, width, height), m_kind(kind) {}

QString ReportSystemData::textToPrint(const ReportContext &context) const {
    if (m_kind == Kind::Date)
        return QStringLiteral("Data : ") + context.today.toString(QStringLiteral("dd/MM/yyyy"));
    return QStringLiteral("Página : ") + QString::number(context.pageNumber);
}

}  // namespace kalvero
