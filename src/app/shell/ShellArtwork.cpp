#include "ShellArtwork.h"

#include "ui/ProgramFonts.h"

#include <QPainter>
#include <QPainterPath>

namespace kalvero::ShellArtwork {

namespace {

void drawSheet(QPainter &p, const QRectF &r, qreal angle) {
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF sheet(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(120, 140, 170), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, 4, 4);
    p.setPen(QPen(QColor(190, 200, 215), 3));
    for (int i = 0; i < 5; ++i) {
        const qreal y = sheet.top() + 22 + i * 14;
        p.drawLine(QPointF(sheet.left() + 14, y), QPointF(sheet.right() - (i == 4 ? 50 : 14), y));
    }
    p.restore();
}

}  // namespace

QPixmap mainPicture() {
    QPixmap pixmap(480, 315);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient panel(0, 0, 0, 315);
    panel.setColorAt(0, QColor(250, 252, 255));
    panel.setColorAt(1, QColor(214, 230, 248));
    p.setPen(QPen(QColor(90, 130, 190), 2));
    p.setBrush(panel);
    p.drawRoundedRect(QRectF(1, 1, 478, 313), 18, 18);

    // A folder of documents with its barcode label.
    drawSheet(p, QRectF(44, 70, 120, 150), -8);
    drawSheet(p, QRectF(58, 64, 120, 150), 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(27, 84, 160));
    QPainterPath folder;
    folder.addRoundedRect(QRectF(36, 140, 160, 110), 8, 8);
    p.drawPath(folder);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(62, 170, 108, 50));
    p.setBrush(Qt::black);
    const int widths[] = {2, 1, 1, 3, 1, 2, 1, 1, 2, 3, 1, 1, 2, 1, 3, 1, 2, 1, 1, 2, 1, 3, 2, 1};
    qreal x = 70;
    for (int i = 0; i < int(std::size(widths)); ++i) {
        if (i % 2 == 0)
            p.drawRect(QRectF(x, 176, widths[i] * 1.5, 32));
        x += widths[i] * 1.5 + 0.6;
        if (x > 162)
            break;
    }

    p.setPen(QColor(21, 67, 130));
    p.setFont(ProgramFonts::tahoma(54, true));
    p.drawText(QRectF(210, 70, 260, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kalvero"));
    p.setPen(QColor(60, 80, 110));
    p.setFont(ProgramFonts::tahoma(15));
    p.drawText(QRectF(214, 150, 250, 80), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Sistema de Gerenciamento Eletrônico de Protocolos"));
    return pixmap;
}

}  // namespace kalvero::ShellArtwork
