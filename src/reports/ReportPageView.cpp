#include "ReportPageView.h"

#include "ReportDocument.h"
#include "ReportPagePainter.h"

#include <QPainter>

#include <algorithm>
#include <exception>

namespace kalvero {

ReportPageView::ReportPageView(const ReportDocument &document, QWidget *parent)
    : QWidget(parent), m_document(document) {
    setFixedSize(sizeHint());
}

void ReportPageView::setPageIndex(int index) {
    m_index = std::clamp(index, 0, std::max(0, m_document.pageCount() - 1));
    update();
}

void ReportPageView::setZoom(double zoom) {
    m_zoom = std::clamp(zoom, MinZoom, MaxZoom);
    setFixedSize(sizeHint());
    update();
}

QSizeF ReportPageView::sheetPixels() const {
    return QSizeF(m_document.paper.size.width() * logicalDpiX() / 25.4 * m_zoom,
                  m_document.paper.size.height() * logicalDpiY() / 25.4 * m_zoom);
}

double ReportPageView::zoomToWidth(int width) const {
    const double sheet = m_document.paper.size.width() * logicalDpiX() / 25.4;
    return sheet > 0 ? std::clamp((width - 2) / sheet, MinZoom, MaxZoom) : 1.0;
}

double ReportPageView::zoomToFit(QSize room) const {
    const double height = m_document.paper.size.height() * logicalDpiY() / 25.4;
    const double byHeight = height > 0 ? (room.height() - 2) / height : 1.0;
    return std::clamp(std::min(zoomToWidth(room.width()), byHeight), MinZoom, MaxZoom);
}

QSize ReportPageView::sizeHint() const { return sheetPixels().toSize() + QSize(2, 2); }

void ReportPageView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QRectF sheet(QPointF(0, 0), sheetPixels());
    painter.fillRect(sheet, Qt::white);
    painter.setPen(Qt::darkGray);
    painter.drawRect(sheet.adjusted(0, 0, 1, 1));
    if (m_document.pageCount() == 0)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(m_zoom, m_zoom);
    painter.setClipRect(QRectF(QPointF(0, 0), sheetPixels() / m_zoom));
    // A page laid out when it is shown: a layout that fails there must not
    // take the window down with it; the sheet says what went wrong.
    try {
        ReportPagePainter::paint(painter, m_document.page(m_index));
    } catch (const std::exception &failure) {
        painter.setPen(Qt::darkRed);
        painter.drawText(QRectF(QPointF(0, 0), sheetPixels() / m_zoom).adjusted(20, 20, -20, -20),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromUtf8(failure.what()));
    }
}

}  // namespace kalvero
