#include "ReportShape.h"

namespace kalvero {

ReportShape::ReportShape(Kind kind, double left, double top, double width, double height)
    : ReportControl(left, top, width, height), m_kind(kind) {}

double ReportShape::layOut(const ReportContext &, QPointF origin, std::vector<PageItem> &items) {
    const QRectF f = m_frame.translated(origin);
    if (m_kind == Kind::HorizontalLine)
        items.emplace_back(std::in_place_type<LineItem>, QPointF(f.left(), f.center().y()),
                           QPointF(f.right(), f.center().y()), m_lineWidth);
    else
        items.emplace_back(std::in_place_type<LineItem>, QPointF(f.center().x(), f.top()),
                           QPointF(f.center().x(), f.bottom()), m_lineWidth);
    return m_frame.height();
}

}  // namespace kalvero
