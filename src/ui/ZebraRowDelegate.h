#pragma once

#include <QStyledItemDelegate>

namespace kalvero {

// Paints the rows of a register list: odd record numbers pale blue, even ones
// the window's colour, and the current cell grey with black text.
class ZebraRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QColor background(int recordNumber, bool current, const QPalette &palette);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

}  // namespace kalvero
