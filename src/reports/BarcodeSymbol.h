#pragma once

#include <QBitArray>
#include <QString>
#include <QVector>

#include <initializer_list>
#include <utility>

namespace kalvero {

// One linear symbol as the barcode control draws and prints it: its module
// string, the guard modules that reach lower, its quiet zones and the pieces
// of its human-readable line. It depends on the text and the symbology only,
// so the control computes it once per change of either.
struct BarcodeSymbol {
    // Where a piece of the human-readable line starts: at the control's
    // LegendaPos, or a number of screen pixels after a module's left edge.
    struct LegendPiece {
        QString text;
        bool atLegendaPos = true;
        int module = 0;  // 0-based
        int pixels = 0;
    };

    // Where the symbol lands, all in one unit: pixels on the picture,
    // millimetres on the page.
    struct Placement {
        double left = 0;         // the control's left edge
        double firstModule = 0;  // the first module's left edge
        double moduleWidth = 1;
        double pixel = 1;        // one screen pixel
        int legendaPos = 0;      // in pixels from the control's left edge
    };

    QString modules;  // "P"/"B" or "1"/"0", bar/space
    QBitArray guards;
    int quietLeft = 10;  // in modules, around the symbol printed at a module width
    int quietRight = 10;
    QVector<LegendPiece> legend;

    int size() const { return int(modules.size()); }
    bool isBar(int i) const { return modules.at(i) == QLatin1Char('P') || modules.at(i) == QLatin1Char('1'); }
    bool isGuard(int i) const { return i < guards.size() && guards.testBit(i); }
    // Guard ranges, inclusive and counted from 1 as the standards count them.
    void setGuards(std::initializer_list<std::pair<int, int>> ranges);

    // The x where a piece of the legend starts, the one rule for the picture
    // and for the printed symbol alike.
    static double legendX(const LegendPiece &piece, const Placement &at);
};

}  // namespace kalvero
