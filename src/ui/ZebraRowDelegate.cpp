#include "ZebraRowDelegate.h"

#include "RecordSetModel.h"

#include <QPainter>

namespace kalvero {

QColor ZebraRowDelegate::background(int recordNumber, bool current, const QPalette &palette) {
    if (current)
        return QColor(128, 128, 128);
    return recordNumber % 2 == 1 ? QColor(230, 242, 255) : palette.color(QPalette::Base);
}

void ZebraRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const {
    QStyleOptionViewItem opt(option);
    const bool current = opt.state & QStyle::State_Selected;
    const QColor colour = background(index.data(RecordSetModel::RecordNumberRole).toInt(), current, opt.palette);
    painter->fillRect(opt.rect, colour);
    opt.state &= ~QStyle::State_Selected;
    opt.backgroundBrush = colour;
    if (current)
        opt.palette.setColor(QPalette::Text, Qt::black);
    QStyledItemDelegate::paint(painter, opt, index);
}

}  // namespace kalvero
