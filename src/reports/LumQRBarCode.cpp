#include "LumQRBarCode.h"

#include "ReportContext.h"
#include "TextMetrics.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace kalvero {

namespace {

constexpr double MmPerPixel = 25.4 / 96;
constexpr int DrawingWidth = 2000;

// Code 128 bar and space widths of the values 0 to 106 (106: stop).
const char *const Code128Widths[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};
constexpr int Code128Shift = 98;
constexpr int Code128CodeB = 100;
constexpr int Code128Stop = 106;

// Bars first, alternating; each width in modules.
QString modulesOfWidths(const char *widths, QChar bar, QChar space) {
    QString out;
    bool isBar = true;
    for (const char *w = widths; *w; ++w, isBar = !isBar)
        out += QString(*w - '0', isBar ? bar : space);
    return out;
}

// Which of five elements are wide, for the digits 0 to 9 (2 of 5, and the
// bars of Code 39).
const char *const TwoOfFive[] = {"00110", "10001", "01001", "11000", "00101",
                                 "10100", "01100", "00011", "10010", "01010"};

// Code 39: nine elements, bar space bar ... bar, "1" wide.
QString code39Elements(QChar c) {
    static const QString digitsGroup = QStringLiteral("1234567890");
    static const QString groups[] = {QStringLiteral("1234567890"), QStringLiteral("ABCDEFGHIJ"),
                                     QStringLiteral("KLMNOPQRST"), QStringLiteral("UVWXYZ-. *")};
    // The wide space of each group of ten.
    static const char *const groupSpaces[] = {"0100", "0010", "0001", "1000"};
    auto interleave = [](const char *bars, const char *spaces) {
        QString e;
        for (int i = 0; i < 5; ++i) {
            e += QLatin1Char(bars[i]);
            if (i < 4)
                e += QLatin1Char(spaces[i]);
        }
        return e;
    };
    for (int g = 0; g < 4; ++g) {
        const int pos = groups[g].indexOf(c);
        if (pos >= 0)
            return interleave(TwoOfFive[(pos + 1) % 10], groupSpaces[g]);
    }
    // The four characters with three wide spaces and no wide bar.
    static const QString others = QStringLiteral("$/+%");
    static const char *const otherSpaces[] = {"1110", "1101", "1011", "0111"};
    const int pos = others.indexOf(c);
    return pos < 0 ? QString() : interleave("00000", otherSpaces[pos]);
}

const char *const EanL[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                            "0110001", "0101111", "0111011", "0110111", "0001011"};
// L or G for the 2nd to 7th digits of EAN-13, by the first digit.
const char *const EanParity[] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                 "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

QString eanL(int d) { return QString::fromLatin1(EanL[d]); }
QString eanR(int d) {
    QString r = eanL(d);
    for (QChar &c : r)
        c = c == QLatin1Char('1') ? QLatin1Char('0') : QLatin1Char('1');
    return r;
}
QString eanG(int d) {
    QString r = eanR(d);
    std::reverse(r.begin(), r.end());
    return r;
}

// The digits of a text, the first count of them, padded on the left with
// zeros to count, and the check digit appended.
QString eanDigits(const QString &texto, int count) {
    QString digits = TLumQRBarCode::SomenteNumeros(texto).left(count);
    digits = digits.rightJustified(count, QLatin1Char('0'));
    return digits + QString::number(TLumQRBarCode::DigitoEAN13(digits));
}

int digitAt(const QString &digits, int i) { return digits.at(i).unicode() - '0'; }

}  // namespace

TLumQRBarCode::TLumQRBarCode(double leftMm, double topMm)
    : ReportImage(leftMm, topMm, 260 * MmPerPixel, 75 * MmPerPixel),
      m_texto(QStringLiteral("789123456789")),
      m_legendaFont(QGuiApplication::font()),
      m_pen(QPen(Qt::black, 1)) {
    changed();
}

void TLumQRBarCode::setTexto(const QString &texto) {
    m_texto = texto;
    m_symbol.reset();
    changed();
}

void TLumQRBarCode::setTipo(TBarCodeTipo tipo) {
    m_legendaPos = (tipo == btCodeEAN13 || tipo == btCodeUPCA) ? 2 : m_esquerda;
    m_tipo = tipo;
    m_symbol.reset();
    changed();
}

void TLumQRBarCode::setEsquerda(int x) {
    m_esquerda = x;
    changed();
}

void TLumQRBarCode::setSuperior(int y) {
    m_superior = y;
    changed();
}

void TLumQRBarCode::setAltura(int y) {
    m_altura = y;
    changed();
}

void TLumQRBarCode::setLegenda(bool on) {
    m_legenda = on;
    changed();
}

void TLumQRBarCode::setLegendaFont(const QFont &font) {
    m_legendaFont = font;
    changed();
}

void TLumQRBarCode::setLegendaPos(int x) {
    m_legendaPos = x;
    changed();
}

void TLumQRBarCode::setPen(const QPen &pen) {
    m_pen = pen;
    changed();
}

void TLumQRBarCode::Click() {
    if (OnClick)
        OnClick();
    Mostra();
}

void TLumQRBarCode::DblClick() {
    if (OnDblClick)
        OnDblClick();
    Mostra();
}

int TLumQRBarCode::width() const { return qRound(m_frame.width() / MmPerPixel); }
int TLumQRBarCode::height() const { return qRound(m_frame.height() / MmPerPixel); }
void TLumQRBarCode::setWidth(int pixels) { m_frame.setWidth(pixels * MmPerPixel); }
void TLumQRBarCode::setHeight(int pixels) { m_frame.setHeight(pixels * MmPerPixel); }

void TLumQRBarCode::setModuleWidthMm(double mm) { m_moduleMm = mm <= 0 ? 0 : std::max(mm, 0.25); }

double TLumQRBarCode::printedWidthMm() const {
    const BarcodeSymbol &s = symbol();
    return (s.quietLeft + s.size() + s.quietRight) * m_moduleMm;
}

// ------------------------------------------------------------ named steps

QString TLumQRBarCode::SomenteNumeros(const QString &text) {
    QString out;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    return out;
}

int TLumQRBarCode::Posicao128(QChar c) {
    const ushort u = c.unicode();
    return u >= 32 && u <= 126 ? u - 32 : -1;
}

int TLumQRBarCode::Digito128(int startValue, const QVector<int> &values) {
    int sum = startValue;
    for (int i = 0; i < values.size(); ++i)
        sum += values[i] * (i + 1);
    return sum % 103;
}

int TLumQRBarCode::DigitoEAN13(const QString &digits) {
    int sum = 0;
    int weight = 3;
    for (int i = digits.size() - 1; i >= 0; --i, weight = 4 - weight)
        sum += digitAt(digits, i) * weight;
    const int check = 10 - sum % 10;
    return check == 10 ? 0 : check;
}

QString TLumQRBarCode::PretoBranco128(const QString &texto, TBarCodeTipo tipo) {
    QVector<int> values;
    int start = 104;
    if (tipo == btCode128C) {
        start = 105;
        const QString digits = SomenteNumeros(texto);
        for (int i = 0; i + 1 < digits.size(); i += 2)
            values << digitAt(digits, i) * 10 + digitAt(digits, i + 1);
        // An odd last digit goes in code set B, so that a reader returns
        // the digit itself and not "0" and the digit.
        if (digits.size() % 2)
            values << Code128CodeB << Posicao128(digits.back());
    } else {
        start = tipo == btCode128A ? 103 : 104;
        for (QChar c : texto) {
            const int v = Posicao128(c);
            if (v < 0)
                continue;
            // Code set A has no lowercase letters nor ` { | } ~: each is
            // shifted into code set B rather than read as a control character.
            if (tipo == btCode128A && v >= 64)
                values << Code128Shift;
            values << v;
        }
    }
    const QChar bar = QLatin1Char('P'), space = QLatin1Char('B');
    QString out = modulesOfWidths(Code128Widths[start], bar, space);
    for (int v : values)
        out += modulesOfWidths(Code128Widths[v], bar, space);
    out += modulesOfWidths(Code128Widths[Digito128(start, values)], bar, space);
    out += modulesOfWidths(Code128Widths[Code128Stop], bar, space);
    return out;
}

QString TLumQRBarCode::PretoBranco39(const QString &texto) {
    QString out;
    auto add = [&out](QChar c) {
        const QString e = code39Elements(c);
        if (e.isEmpty())
            return;
        out += QLatin1Char('B');
        for (int i = 0; i < 9; ++i)
            out += QString(e.at(i) == QLatin1Char('1') ? 3 : 1, i % 2 ? QLatin1Char('B') : QLatin1Char('P'));
        out += QLatin1Char('B');
    };
    add(QLatin1Char('*'));
    for (QChar c : texto)
        if (c != QLatin1Char('*'))  // only the start and stop character is "*"
            add(c);
    add(QLatin1Char('*'));
    return out;
}

QString TLumQRBarCode::PretoBrancoI25(const QString &texto) {
    QString digits = SomenteNumeros(texto);
    if (digits.size() % 2)
        digits.prepend(QLatin1Char('0'));
    QString out = QStringLiteral("PBPB");
    for (int i = 0; i + 1 < digits.size(); i += 2) {
        const char *bars = TwoOfFive[digitAt(digits, i)];
        const char *spaces = TwoOfFive[digitAt(digits, i + 1)];
        for (int e = 0; e < 5; ++e) {
            out += QString(bars[e] == '1' ? 3 : 1, QLatin1Char('P'));
            out += QString(spaces[e] == '1' ? 3 : 1, QLatin1Char('B'));
        }
    }
    return out + QStringLiteral("PPPBP");
}

QString TLumQRBarCode::DigitosEAN13(const QString &texto) { return eanDigits(texto, 12); }
QString TLumQRBarCode::DigitosEAN8(const QString &texto) { return eanDigits(texto, 7); }
QString TLumQRBarCode::DigitosUPCA(const QString &texto) { return eanDigits(texto, 11); }

namespace {

// The guards around two halves: "101", the left half, "01010", the right
// half, "101".
QString guarded(const QString &left, const QString &right) {
    return QStringLiteral("101") + left + QStringLiteral("01010") + right + QStringLiteral("101");
}

// Digits [from, to) in the R code.
QString rCodes(const QString &d, int from, int to) {
    QString out;
    for (int i = from; i < to; ++i)
        out += eanR(digitAt(d, i));
    return out;
}

// EAN-8 and UPC-A: the left half in the L code, the right half in the R code.
QString plainHalves(const QString &d, int half) {
    QString left;
    for (int i = 0; i < half; ++i)
        left += eanL(digitAt(d, i));
    return guarded(left, rCodes(d, half, 2 * half));
}

}  // namespace

QString TLumQRBarCode::PretoBrancoEAN13(const QString &texto) {
    const QString d = DigitosEAN13(texto);
    // The first digit is carried by the parities of the next six.
    const char *parity = EanParity[digitAt(d, 0)];
    QString left;
    for (int i = 1; i <= 6; ++i)
        left += parity[i - 1] == 'L' ? eanL(digitAt(d, i)) : eanG(digitAt(d, i));
    return guarded(left, rCodes(d, 7, 13));
}

QString TLumQRBarCode::PretoBrancoEAN8(const QString &texto) { return plainHalves(DigitosEAN8(texto), 4); }

QString TLumQRBarCode::PretoBrancoUPCA(const QString &texto) { return plainHalves(DigitosUPCA(texto), 6); }

// ------------------------------------------------------------ symbols

namespace {

using Piece = BarcodeSymbol::LegendPiece;

// A piece of the legend that starts a number of pixels after a module.
Piece afterModule(int module, int pixels, const QString &text) { return Piece{text, false, module, pixels}; }

}  // namespace

BarcodeSymbol TLumQRBarCode::CriaBarras128(const QString &texto, TBarCodeTipo tipo) {
    BarcodeSymbol s;
    s.modules = PretoBranco128(texto, tipo);
    s.legend = {Piece{tipo == btCode128C ? SomenteNumeros(texto) : texto}};
    return s;
}

BarcodeSymbol TLumQRBarCode::CriaBarras39(const QString &texto) {
    BarcodeSymbol s;
    s.modules = PretoBranco39(texto);
    s.legend = {Piece{texto}};
    return s;
}

BarcodeSymbol TLumQRBarCode::CriaBarrasI25(const QString &texto) {
    BarcodeSymbol s;
    s.modules = PretoBrancoI25(texto);
    s.legend = {Piece{SomenteNumeros(texto)}};
    return s;
}

BarcodeSymbol TLumQRBarCode::CriaBarrasEAN13(const QString &texto) {
    const QString d = DigitosEAN13(texto);
    BarcodeSymbol s;
    s.modules = PretoBrancoEAN13(texto);
    s.setGuards({{1, 3}, {46, 50}, {93, 95}});
    s.quietLeft = 11, s.quietRight = 7;
    s.legend = {Piece{d.left(1)}, afterModule(2, 3, d.mid(1, 6)), afterModule(49, 2, d.mid(7, 6))};
    return s;
}

BarcodeSymbol TLumQRBarCode::CriaBarrasEAN8(const QString &texto) {
    const QString d = DigitosEAN8(texto);
    BarcodeSymbol s;
    s.modules = PretoBrancoEAN8(texto);
    s.setGuards({{1, 3}, {33, 36}, {65, 67}});
    s.quietLeft = s.quietRight = 7;
    s.legend = {afterModule(2, 3, d.left(4)), afterModule(35, 2, d.mid(4, 4))};
    return s;
}

BarcodeSymbol TLumQRBarCode::CriaBarrasUPCA(const QString &texto) {
    const QString d = DigitosUPCA(texto);
    BarcodeSymbol s;
    s.modules = PretoBrancoUPCA(texto);
    s.setGuards({{1, 3}, {46, 50}, {93, 95}});
    s.quietLeft = s.quietRight = 9;
    s.legend = {Piece{d.left(1)}, afterModule(2, 3, d.mid(1, 5)), afterModule(49, 2, d.mid(6, 5)),
                afterModule(95, 1, d.mid(11, 1))};
    return s;
}

const BarcodeSymbol &TLumQRBarCode::symbol() const {
    if (!m_symbol) {
        switch (m_tipo) {
        case btCode128A:
        case btCode128B:
        case btCode128C:
            m_symbol = CriaBarras128(m_texto, m_tipo);
            break;
        case btCode39:
            m_symbol = CriaBarras39(m_texto);
            break;
        case btCodeEAN13:
            m_symbol = CriaBarrasEAN13(m_texto);
            break;
        case btCode2e5I:
            m_symbol = CriaBarrasI25(m_texto);
            break;
        case btCodeEAN8:
            m_symbol = CriaBarrasEAN8(m_texto);
            break;
        case btCodeUPCA:
            m_symbol = CriaBarrasUPCA(m_texto);
            break;
        }
    }
    return *m_symbol;
}

QString TLumQRBarCode::moduleString() const { return symbol().modules; }

// ------------------------------------------------------------ drawing

void TLumQRBarCode::changed() {
    m_drawn.reset();
    takeSymbolWidth();
}

void TLumQRBarCode::takeSymbolWidth() {
    // The right margin equals the left one.
    setWidth(m_texto.trimmed().isEmpty() ? DrawingWidth : 2 * m_esquerda + symbol().size() * modulePixels());
}

void TLumQRBarCode::Mostra() {
    takeSymbolWidth();
    picture();
}

const QImage &TLumQRBarCode::picture() const {
    if (!m_drawn || m_drawnHeight != height()) {
        m_drawnHeight = height();
        m_drawn = draw();
    }
    return *m_drawn;
}

QImage TLumQRBarCode::draw() const {
    if (m_texto.trimmed().isEmpty())
        return QImage();
    const BarcodeSymbol &s = symbol();
    QImage bitmap(DrawingWidth, std::max(1, height()), QImage::Format_RGB32);
    QPainter painter(&bitmap);
    painter.fillRect(QRect(0, 0, DrawingWidth, height()), Qt::white);
    const int w = modulePixels();
    for (int i = 0; i < s.size(); ++i) {
        const int bottom = s.isGuard(i) ? m_altura + 12 : m_altura;
        painter.fillRect(QRect(m_esquerda + i * w, m_superior, w, bottom - m_superior),
                         s.isBar(i) ? Qt::black : Qt::white);
    }
    if (m_legenda) {
        painter.setFont(m_legendaFont);
        painter.setPen(Qt::black);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::white);
        const BarcodeSymbol::Placement at{0, double(m_esquerda), double(w), 1, m_legendaPos};
        for (const Piece &p : s.legend)
            painter.drawText(QRectF(BarcodeSymbol::legendX(p, at), m_altura, DrawingWidth, DrawingWidth),
                             Qt::AlignLeft | Qt::AlignTop, p.text);
    }
    return bitmap;
}

// ------------------------------------------------------------ printing

double TLumQRBarCode::layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) {
    Mostra();
    if (picture().isNull())
        return m_frame.height();
    if (m_moduleMm > 0)
        return layOutAtModuleWidth(context, origin, items);
    // Unscaled, from the frame's top-left corner, cut at the frame.
    const QRectF frame = m_frame.translated(origin);
    const QImage shown = picture().copy(0, 0, std::min(width(), picture().width()), picture().height());
    const QRectF target(frame.topLeft(), QSizeF(shown.width() * MmPerPixel, shown.height() * MmPerPixel));
    items.push_back(ImageItem{target, frame, shown, false});
    return m_frame.height();
}

double TLumQRBarCode::layOutAtModuleWidth(const ReportContext &context, QPointF origin,
                                          std::vector<PageItem> &items) {
    const BarcodeSymbol &s = symbol();
    const double w = m_moduleMm;
    const QRectF frame = m_frame.translated(origin);
    const TextMetrics &m = context.metrics;
    // Digits have no descenders: they stand on the frame's bottom edge, one
    // module under the bars, which keeps the bars as long as a small label
    // allows.
    const double digits = m_legenda ? m.capHeightMm(m_legendaFont) + w : 0;
    const double barsTop = frame.top();
    const double barsBottom = std::max(barsTop + w, frame.bottom() - digits);
    const double guardBottom = barsBottom + digits / 2;
    const double x0 = frame.left() + s.quietLeft * w;  // first module

    BarsItem bars;
    bars.frame = QRectF(frame.left(), frame.top(), (s.quietLeft + s.size() + s.quietRight) * w, frame.height());
    // Adjacent bar modules of the same length make one rectangle, so that
    // no hairline seam shows between them.
    for (int i = 0; i < s.size();) {
        if (!s.isBar(i)) {
            ++i;
            continue;
        }
        const bool guard = s.isGuard(i);
        int j = i + 1;
        while (j < s.size() && s.isBar(j) && s.isGuard(j) == guard)
            ++j;
        bars.bars << QRectF(x0 + i * w, barsTop, (j - i) * w, (guard ? guardBottom : barsBottom) - barsTop);
        i = j;
    }
    items.push_back(bars);

    if (m_legenda) {
        const double ascent = m.ascentMm(m_legendaFont);
        const double textHeight = m.lineHeightMm(m_legendaFont);
        const double baseline = barsBottom + digits;
        const BarcodeSymbol::Placement at{frame.left(), x0, w, MmPerPixel, m_legendaPos};
        for (const Piece &p : s.legend) {
            const double x = BarcodeSymbol::legendX(p, at);
            items.push_back(TextItem{QRectF(x, baseline - ascent, m.widthMm(m_legendaFont, p.text), textHeight),
                                     QPointF(x, baseline), p.text, m_legendaFont, false});
        }
    }
    return m_frame.height();
}

}  // namespace kalvero
