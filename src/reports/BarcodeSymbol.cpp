#include "BarcodeSymbol.h"

namespace kalvero {

void BarcodeSymbol::setGuards(std::initializer_list<std::pair<int, int>> ranges) {
    guards = QBitArray(size());
    for (const auto &[from, to] : ranges)
        for (int i = from; i <= to; ++i)
            guards.setBit(i - 1);
}

double BarcodeSymbol::legendX(const LegendPiece &piece, const Placement &at) {
    if (piece.atLegendaPos)
        return at.left + at.legendaPos * at.pixel;
    return at.firstModule + piece.module * at.moduleWidth + piece.pixels * at.pixel;
}

}  // namespace kalvero
