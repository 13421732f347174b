#pragma once

#include "reports/ReportLayout.h"

#include <QRectF>

namespace kalvero {

class RecordSet;
class ReportBand;
class ReportLabel;
class TLumQRBarCode;

// A 55 x 25 mm adhesive label, one per record of its dataset: the protocol's
// number, year and entry date along the top and its EAN-13 barcode. The
// detail band (51.0 x 22.6 mm) starts a new page before every label.
class LabelLayout : public ReportLayout {
public:
    static constexpr double Width = 55.0;
    static constexpr double Height = 25.0;
    static constexpr double Margin = 2.0;
    // Scanners read EAN-13 from about 80 % of its nominal 0.33 mm module;
    // 0.3 mm keeps the whole symbol and its quiet zones on the label.
    static constexpr double ModuleWidthMm = 0.3;

    // Where a symbol printedWidth wide lands for a frame placed at
    // (left, top) in the band: from the frame's left edge, moved left as far
    // as it must to stay within the printable width, and reaching down to
    // the printable area's bottom.
    static QRectF fittedBarcodeFrame(double left, double top, double printedWidth);

    ReportBand &detail() const { return *m_detail; }
    TLumQRBarCode &barcode() const { return *m_barcode; }

protected:
    // The top line with "Protocolo:" at captionLeft, captionTop and the
    // entry date from dateField; the barcode frame as the layout places it.
    LabelLayout(RecordSet &dataSet, double captionLeft, double captionTop, const QString &dateField,
                double barcodeLeft, double barcodeTop);

    // A 7 pt bold caption.
    ReportLabel *caption(double left, double top, const QString &text);
    // A data text in Arial bold.
    void dataText(const QString &field, double left, double top, double width, double height, double points,
                  Qt::Alignment alignment = Qt::AlignLeft);

private:
    ReportBand *m_detail;
    TLumQRBarCode *m_barcode;
};

}  // namespace kalvero
