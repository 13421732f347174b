#include "ReportPagePainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace kalvero::ReportPagePainter {

void paint(QPainter &painter, const ReportPage &page) {
    const double sx = painter.device()->logicalDpiX() / 25.4;
    const double sy = painter.device()->logicalDpiY() / 25.4;
    auto rect = [sx, sy](const QRectF &r) { return QRectF(r.left() * sx, r.top() * sy, r.width() * sx, r.height() * sy); };
    auto point = [sx, sy](const QPointF &p) { return QPointF(p.x() * sx, p.y() * sy); };

    painter.save();
    painter.setPen(Qt::black);
    QFont current = painter.font();
    for (const PageItem &item : page.items) {
        if (const auto *t = std::get_if<TextItem>(&item)) {
            if (!t->font.isCopyOf(current)) {
                painter.setFont(t->font);
                current = t->font;
            }
            if (t->clipped) {
                painter.save();
                painter.setClipRect(rect(t->frame), Qt::IntersectClip);
                painter.drawText(point(t->baseline), t->text);
                painter.restore();
            } else {
                painter.drawText(point(t->baseline), t->text);
            }
        } else if (const auto *l = std::get_if<LineItem>(&item)) {
            painter.setPen(QPen(Qt::black, l->widthMm * sx, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(point(l->from), point(l->to));
            painter.setPen(Qt::black);
        } else if (const auto *i = std::get_if<ImageItem>(&item)) {
            painter.save();
            painter.setClipRect(rect(i->clip), Qt::IntersectClip);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, i->smooth);
            painter.drawImage(rect(i->target), i->image);
            painter.restore();
        } else if (const auto *b = std::get_if<BarsItem>(&item)) {
            for (const QRectF &bar : b->bars)
                painter.fillRect(rect(bar), Qt::black);
        }
    }
    painter.restore();
}

}  // namespace kalvero::ReportPagePainter
