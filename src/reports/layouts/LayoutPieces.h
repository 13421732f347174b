#pragma once

#include <QString>
#include <Qt>

namespace kalvero {

class ReportBand;
class ReportDataText;
class ReportLabel;

// The controls the Letter layouts place again and again, in Arial, by left,
// top and width in millimetres within their band.
namespace LayoutPieces {

constexpr double LineHeight = 3.6;  // of an 8 pt line

// A caption whose width follows its text.
ReportLabel *caption(ReportBand &band, double left, double top, const QString &text, double points = 8,
                     bool bold = true);
// A label whose text the events set, aligned within a fixed frame.
ReportLabel *slot(ReportBand &band, double left, double top, double width, Qt::Alignment alignment,
                  double points = 8, bool bold = false, double height = LineHeight);
// A field of the layout's dataset; a text wider than its frame is cut at it.
ReportDataText *dataText(ReportBand &band, const QString &field, double left, double top, double width,
                         double points = 8, Qt::Alignment alignment = Qt::AlignLeft, double height = LineHeight);
// Thin rules centred on the line given.
void horizontalLine(ReportBand &band, double left, double top, double width);
void verticalLine(ReportBand &band, double left, double top, double height);

}  // namespace LayoutPieces

}  // namespace kalvero
