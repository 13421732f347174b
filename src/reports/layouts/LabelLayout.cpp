#include "LabelLayout.h"

#include "data/records/RecordSet.h"
#include "reports/LumQRBarCode.h"
#include "reports/ReportDataText.h"
#include "reports/ReportFonts.h"
#include "reports/ReportLabel.h"
#include "reports/ReportRun.h"

#include <algorithm>

namespace kalvero {

namespace {
constexpr double DetailWidth = 51.0;
constexpr double DetailHeight = 22.6;
constexpr double TextHeight = 3.0;  // of a 7 pt line
}  // namespace

QRectF LabelLayout::fittedBarcodeFrame(double left, double top, double printedWidth) {
    const double printableWidth = Width - 2 * Margin;
    const double printableHeight = Height - 2 * Margin;
    return QRectF(std::max(0.0, std::min(left, printableWidth - printedWidth)), top, printedWidth,
                  printableHeight - top);
}

LabelLayout::LabelLayout(RecordSet &dataSet, double captionLeft, double captionTop, const QString &dateField,
                         double barcodeLeft, double barcodeTop) {
    setPaper(ReportPaper::custom(Width, Height, Margin));
    setDataSet(&dataSet);
    setTitle(QStringLiteral("Etiquetas"));
    setFileNaming(QStringLiteral("Etiquetas"), FileNaming::ByProtocol);
    m_detail = addBand(BandKind::Detail, DetailHeight);
    m_detail->setNewPageBeforeEach(true);

    caption(captionLeft, captionTop, QStringLiteral("Protocolo:"));
    dataText(QStringLiteral("IDPROTOCOLO"), 15.1, 0.4, 6.9, TextHeight, 7);
    caption(22.0, 0.3, QStringLiteral("/"));
    dataText(QStringLiteral("ANO"), 23.3, 0.4, 7.0, TextHeight, 7);
    caption(30.6, 0.3, QStringLiteral("Data:"));
    dataText(dateField, 37.4, 0.4, 13.2, TextHeight, 7);

    m_barcode = m_detail->add<TLumQRBarCode>(barcodeLeft, barcodeTop);
    TLumQRBarCode &bars = *m_barcode;
    bars.setTipo(btCodeEAN13);  // LegendaPos 2
    bars.setEsquerda(0);
    bars.setSuperior(0);
    bars.setAltura(60);
    bars.setLegendaFont(ReportFonts::tahoma(8));
    bars.setLegenda(true);
    bars.setModuleWidthMm(ModuleWidthMm);
    // Every EAN-13 symbol has the same width: the frame is fitted once.
    const QRectF frame = fittedBarcodeFrame(barcodeLeft, barcodeTop, bars.printedWidthMm());
    bars.setFrame(frame.left(), frame.top(), frame.width(), frame.height());

    // Each label carries its own protocol's number and year: the barcode
    // always matches the number printed beside it.
    m_detail->onBeforePrint = [this, &dataSet](ReportRun &) {
        m_barcode->setTexto(dataSet.field(QStringLiteral("IDPROTOCOLO")).asString() +
                            dataSet.field(QStringLiteral("ANO")).asString());
    };
}

ReportLabel *LabelLayout::caption(double left, double top, const QString &text) {
    auto *label = m_detail->add<ReportLabel>(left, top, 0, TextHeight, text);
    label->setFont(ReportFonts::arial(7, true));
    return label;
}

void LabelLayout::dataText(const QString &field, double left, double top, double width, double height, double points,
                           Qt::Alignment alignment) {
    auto *text = m_detail->add<ReportDataText>(field, left, top, width, height);
    text->setFont(ReportFonts::arial(points, true));
    text->setAlignment(alignment);
    text->setWordWrap(height > TextHeight);
}

}  // namespace kalvero
