#pragma once

#include "ReportControl.h"

namespace kalvero {

// A caption; a band event may replace it before the band prints. With
// autoSize the width follows the text (the edge the alignment names stays
// put); without it the width is fixed and the text wraps at blanks.
class ReportLabel : public ReportControl {
public:
    ReportLabel(double left, double top, double width, double height, const QString &caption = QString());

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }

    // A text that sizes itself but is wider than the frame is printed
    // smaller, down to minimumPoints, and cut at the frame beyond that: it
    // never runs over what stands beside it. 0, the default, lets it run.
    void setShrinkToFit(double minimumPoints) { m_minimumPoints = minimumPoints; }

    double layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) override;

protected:
    // The frame of a text this wide, its edge put where the alignment says.
    QRectF alignedBox(const QRectF &frame, double width) const;
    virtual QString textToPrint(const ReportContext &context) const { return m_caption; }

private:
    QString m_caption;
    bool m_autoSize = true;
    double m_minimumPoints = 0;
};

}  // namespace kalvero
