#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace kalvero {

// Paints the rows of a register list: odd record numbers pale blue, even ones
// the window's colour, and the current cell grey with black text. Rows that
// the list marks (a cancelled movement) have red text, in the current cell
// too.
class ZebraRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QColor background(int recordNumber, bool current, const QPalette &palette);
    static QColor text(bool current, bool marked, const QPalette &palette);

    // row is 0-based.
    void setMarkedRows(std::function<bool(int row)> marked) { m_marked = std::move(marked); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    std::function<bool(int row)> m_marked;
};

}  // namespace kalvero
