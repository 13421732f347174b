#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <variant>

namespace kalvero {

// What a laid-out page holds: positioned items in millimetres from the
// sheet's top-left corner.

// One line of text, drawn at its baseline.
struct TextItem {
    QRectF frame;       // the box the line belongs to
    QPointF baseline;   // where the line starts, on its baseline
    QString text;
    QFont font;
    bool clipped = false;  // cut at the frame (a box that does not grow)
};

struct LineItem {
    QPointF from;
    QPointF to;
    double widthMm = 0.2;
};

struct ImageItem {
    QRectF target;  // where the whole picture lands
    QRectF clip;    // what of it shows
    QImage image;
    bool smooth = true;  // false for pictures of bars, which must stay sharp
};

// Bars of a symbol drawn as rectangles at an exact module width.
struct BarsItem {
    QRectF frame;
    QVector<QRectF> bars;
};

using PageItem = std::variant<TextItem, LineItem, ImageItem, BarsItem>;

// Moves an item down the page.
void moveItem(PageItem &item, double dyMm);

}  // namespace kalvero
