#pragma once

#include "ReportControl.h"

namespace kalvero {

// A horizontal line across the middle of its frame, or a vertical one.
class ReportShape : public ReportControl {
public:
    enum class Kind { HorizontalLine, VerticalLine };

    ReportShape(Kind kind, double left, double top, double width, double height);

    Kind kind() const { return m_kind; }
    void setLineWidth(double mm) { m_lineWidth = mm; }

    double layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) override;

private:
    Kind m_kind;
    double m_lineWidth = 0.2;
};

}  // namespace kalvero
