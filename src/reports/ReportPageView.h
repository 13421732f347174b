#pragma once

#include <QWidget>

namespace kalvero {

struct ReportDocument;

// Shows one page of a document at a zoom, 1.0 being the sheet's real size
// on the screen.
class ReportPageView : public QWidget {
    Q_OBJECT
public:
    ReportPageView(const ReportDocument &document, QWidget *parent = nullptr);

    int pageIndex() const { return m_index; }
    void setPageIndex(int index);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);  // held between MinZoom and MaxZoom
    // The zoom at which the sheet fills this width, or fits whole in this room.
    double zoomToWidth(int width) const;
    double zoomToFit(QSize room) const;

    static constexpr double MinZoom = 0.25;
    static constexpr double MaxZoom = 4.0;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSizeF sheetPixels() const;

    const ReportDocument &m_document;
    int m_index = 0;
    double m_zoom = 1.0;
};

}  // namespace kalvero
