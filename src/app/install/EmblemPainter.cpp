#include "EmblemPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace kalvero::EmblemPainter {

QImage paint() {
    QImage image(180, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath shield;
    shield.moveTo(20, 15);
    shield.lineTo(160, 15);
    shield.lineTo(160, 100);
    shield.cubicTo(160, 150, 120, 175, 90, 190);
    shield.cubicTo(60, 175, 20, 150, 20, 100);
    shield.closeSubpath();
    p.fillPath(shield, QColor(0, 122, 61));
    p.setPen(QPen(QColor(0, 39, 118), 6));
    p.drawPath(shield);

    // A yellow band across and a blue disc with a white star, after the
    // colours of the national flag.
    p.setClipPath(shield);
    p.fillRect(QRectF(20, 80, 140, 30), QColor(254, 221, 0));
    p.setClipping(false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 39, 118));
    p.drawEllipse(QPointF(90, 95), 34, 34);

    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? 26 : 10;
        const double a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF point(90 + r * qCos(a), 95 + r * qSin(a));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    p.fillPath(star, Qt::white);
    p.end();
    return image;
}

}  // namespace kalvero::EmblemPainter
