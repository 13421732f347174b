#pragma once

#include <Qt>
#include <QString>

namespace kalvero {

class ReportBand;
class ReportLabel;

// The pieces the printed layouts place, in millimetres within their band,
// in Arial.
namespace LayoutParts {

constexpr double LineHeight = 3.6;  // of an 8 pt line

// A fixed caption that sizes itself to its text.
ReportLabel *caption(ReportBand &band, double left, double top, const QString &text, double points = 8,
                     bool bold = true);
// A label whose text the events set, aligned within a fixed frame.
ReportLabel *slot(ReportBand &band, double left, double top, double width, Qt::Alignment alignment,
                  double points = 8, bool bold = false, double height = LineHeight);
// A field of the layout's dataset.
void dataText(ReportBand &band, const QString &field, double left, double top, double width, double points = 8,
              Qt::Alignment alignment = Qt::AlignLeft, double height = LineHeight);
// Rules 0.2 mm thick, centred on the position given.
void horizontalLine(ReportBand &band, double left, double top, double width);
void verticalLine(ReportBand &band, double left, double top, double height);

}  // namespace LayoutParts

}  // namespace kalvero
