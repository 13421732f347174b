#pragma once

#include "ReportPage.h"

class QPainter;

namespace kalvero {

// Paints a laid-out page on any painter: the preview, a printer, a PDF.
// The painter's origin is the sheet's top-left corner; its device's logical
// resolution turns millimetres into device units, and the painter's own
// transform (the preview's zoom) applies on top.
namespace ReportPagePainter {
void paint(QPainter &painter, const ReportPage &page);
}

}  // namespace kalvero
