#include "LayoutParts.h"

#include "reports/ReportBand.h"
#include "reports/ReportDataText.h"
#include "reports/ReportFonts.h"
#include "reports/ReportLabel.h"
#include "reports/ReportShape.h"

namespace kalvero::LayoutParts {

ReportLabel *caption(ReportBand &band, double left, double top, const QString &text, double points, bool bold) {
    auto *label = band.add<ReportLabel>(left, top, 0, LineHeight, text);
    label->setFont(ReportFonts::arial(points, bold));
    return label;
}

ReportLabel *slot(ReportBand &band, double left, double top, double width, Qt::Alignment alignment, double points,
                  bool bold, double height) {
    auto *label = band.add<ReportLabel>(left, top, width, height);
    label->setAlignment(alignment);
    label->setFont(ReportFonts::arial(points, bold));
    return label;
}

void dataText(ReportBand &band, const QString &field, double left, double top, double width, double points,
              Qt::Alignment alignment, double height) {
    auto *text = band.add<ReportDataText>(field, left, top, width, height);
    text->setFont(ReportFonts::arial(points));
    text->setAlignment(alignment);
}

void horizontalLine(ReportBand &band, double left, double top, double width) {
    band.add<ReportShape>(ReportShape::Kind::HorizontalLine, left, top - 0.1, width, 0.2);
}

void verticalLine(ReportBand &band, double left, double top, double height) {
    band.add<ReportShape>(ReportShape::Kind::VerticalLine, left - 0.1, top, 0.2, height);
}

}  // namespace kalvero::LayoutParts
