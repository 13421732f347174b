#pragma once

#include "BarcodeSymbol.h"
#include "ReportImage.h"

#include <QFont>
#include <QPen>
#include <QString>
#include <QVector>

#include <algorithm>
#include <functional>
#include <optional>

namespace kalvero {

enum TBarCodeTipo {
    btCode128A,
    btCode128B,
    btCode128C,
    btCode39,
    btCodeEAN13,
    btCode2e5I,  // Interleaved 2 of 5
    btCodeEAN8,
    btCodeUPCA,
};

// The program's barcode control: a picture control that draws one linear
// symbol of its text, optionally with the human-readable digits under it.
// It is drawn in two stages: a module string (one letter per module: "P"/"B"
// for Code 128, Code 39 and 2 of 5, "1"/"0" for EAN and UPC), then stripes
// of Pen's width in pixels. Any property change re-renders it, and so does
// printing: the control takes the symbol's width at once, and the picture is
// drawn when it is next read. Sizes in pixels are screen pixels of 1/96 inch.
class TLumQRBarCode : public ReportImage {
public:
    TLumQRBarCode(double leftMm = 0, double topMm = 0);

    const QString &Texto() const { return m_texto; }
    void setTexto(const QString &texto);
    TBarCodeTipo Tipo() const { return m_tipo; }
    // Moves LegendaPos first: to 2 for EAN-13 and UPC-A, else to Esquerda.
    void setTipo(TBarCodeTipo tipo);
    int Esquerda() const { return m_esquerda; }
    void setEsquerda(int x);
    int Superior() const { return m_superior; }
    void setSuperior(int y);
    // The y where the bars end (a coordinate) and the legend begins.
    int Altura() const { return m_altura; }
    void setAltura(int y);
    bool Legenda() const { return m_legenda; }
    void setLegenda(bool on);
    const QFont &LegendaFont() const { return m_legendaFont; }
    void setLegendaFont(const QFont &font);
    int LegendaPos() const { return m_legendaPos; }
    void setLegendaPos(int x);
    const QPen &Pen() const { return m_pen; }
    void setPen(const QPen &pen);

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    void Click();
    void DblClick();

    // The control's size in pixels.
    int width() const;
    int height() const;
    void setWidth(int pixels);
    void setHeight(int pixels);

    // Renders from the properties: the control takes the symbol's width
    // (2000 pixels for a blank text, which leaves the picture empty) and the
    // picture is brought up to date.
    void Mostra();
    // The picture of the current properties and height, drawn when they
    // changed since it was last drawn.
    const QImage &picture() const override;

    // Printing at an exact module width in millimetres (at least 0.25 mm),
    // with the symbology's quiet zones, from the frame's top-left corner and
    // as tall as the frame; the legend, when on, under the bars with its
    // digits standing on the frame's bottom edge, placed across by the
    // picture's rule with modules of this width and pixels of 1/96 inch
    // from the frame's left edge. 0 prints the picture as drawn, one pixel
    // per 1/96 inch.
    void setModuleWidthMm(double mm);
    double moduleWidthMm() const { return m_moduleMm; }
    // The width the symbol prints at that module width, quiet zones included.
    double printedWidthMm() const;

    double layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) override;

    // The module string of the current text and symbology.
    QString moduleString() const;

    // The named steps. CriaBarras* build the symbol of their symbology; the
    // picture and the printed symbol are drawn from it.
    static QString SomenteNumeros(const QString &text);
    static int Posicao128(QChar c);  // -1 outside the table
    static int Digito128(int startValue, const QVector<int> &values);
    static int DigitoEAN13(const QString &digits);
    static QString PretoBranco128(const QString &texto, TBarCodeTipo tipo);
    static QString PretoBranco39(const QString &texto);
    static QString PretoBrancoEAN13(const QString &texto);
    static QString PretoBrancoI25(const QString &texto);
    static QString PretoBrancoEAN8(const QString &texto);
    static QString PretoBrancoUPCA(const QString &texto);
    static BarcodeSymbol CriaBarras128(const QString &texto, TBarCodeTipo tipo);
    static BarcodeSymbol CriaBarras39(const QString &texto);
    static BarcodeSymbol CriaBarrasEAN13(const QString &texto);
    static BarcodeSymbol CriaBarrasI25(const QString &texto);
    static BarcodeSymbol CriaBarrasEAN8(const QString &texto);
    static BarcodeSymbol CriaBarrasUPCA(const QString &texto);

    // The digits that EAN-13, EAN-8 and UPC-A carry, check digit included.
    static QString DigitosEAN13(const QString &texto);
    static QString DigitosEAN8(const QString &texto);
    static QString DigitosUPCA(const QString &texto);

private:
    // The symbol of the current text and symbology, computed once per change.
    const BarcodeSymbol &symbol() const;
    // A property changed: the picture is drawn anew when read, and the
    // control takes the symbol's width now.
    void changed();
    void takeSymbolWidth();
    int modulePixels() const { return std::max(1, qRound(m_pen.widthF())); }
    QImage draw() const;

    double layOutAtModuleWidth(const ReportContext &context, QPointF origin, std::vector<PageItem> &items);

    QString m_texto;
    TBarCodeTipo m_tipo = btCode128A;
    int m_esquerda = 10;
    int m_superior = 10;
    int m_altura = 60;
    bool m_legenda = false;
    QFont m_legendaFont;
    int m_legendaPos = 11;
    QPen m_pen;
    double m_moduleMm = 0;

    mutable std::optional<BarcodeSymbol> m_symbol;
    // The picture as last drawn, and the control height it was drawn at.
    mutable std::optional<QImage> m_drawn;
    mutable int m_drawnHeight = 0;
};

}  // namespace kalvero
