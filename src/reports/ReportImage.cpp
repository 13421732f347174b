#include "ReportImage.h"

namespace kalvero {

bool ReportImage::loadFromFile(const QString &path) {
    m_picture = QImage(path);
    return !m_picture.isNull();
}

double ReportImage::layOut(const ReportContext &, QPointF origin, std::vector<PageItem> &items) {
    if (m_picture.isNull())
        return m_frame.height();
    const QRectF frame = m_frame.translated(origin);
    // The picture's own resolution, 96 dpi when the file names none.
    const double dpmX = m_picture.dotsPerMeterX() > 0 ? m_picture.dotsPerMeterX() : 96 / 0.0254;
    const double dpmY = m_picture.dotsPerMeterY() > 0 ? m_picture.dotsPerMeterY() : 96 / 0.0254;
    QSizeF size(m_picture.width() * 1000.0 / dpmX, m_picture.height() * 1000.0 / dpmY);
    if (size.width() > frame.width() || size.height() > frame.height())
        size.scale(frame.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), size);
    target.moveCenter(frame.center());
    items.emplace_back(std::in_place_type<ImageItem>, target, frame, m_picture, true);
    return m_frame.height();
}

}  // namespace kalvero
