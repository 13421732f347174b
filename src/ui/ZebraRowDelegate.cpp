#include "ZebraRowDelegate.h"

#include "RecordSetModel.h"

#include <QPainter>

namespace kalvero {

QColor ZebraRowDelegate::background(int recordNumber, bool current, const QPalette &palette) {
    if (current)
        return QColor(128, 128, 128);
    return recordNumber % 2 == 1 ? QColor(230, 242, 255) : palette.color(QPalette::Base);
}

QColor ZebraRowDelegate::text(bool current, bool marked, const QPalette &palette) {
    if (marked)
        return QColor(255, 0, 0);
    return current ? QColor(Qt::black) : palette.color(QPalette::Text);
}

void ZebraRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const {
    QStyleOptionViewItem opt(option);
    const bool current = opt.state & QStyle::State_Selected;
    const QColor colour = background(index.data(RecordSetModel::RecordNumberRole).toInt(), current, opt.palette);
    painter->fillRect(opt.rect, colour);
    opt.state &= ~QStyle::State_Selected;
    opt.backgroundBrush = colour;
    const bool marked = m_marked && m_marked(index.row());
    opt.palette.setColor(QPalette::Text, text(current, marked, opt.palette));
    QStyledItemDelegate::paint(painter, opt, index);
}

}  // namespace kalvero
