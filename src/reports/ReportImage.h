#pragma once

#include "ReportControl.h"

#include <QImage>

namespace kalvero {

// A picture that a band event loads, centred in the frame at its own size,
// or shrunk to fit when it is larger.
class ReportImage : public ReportControl {
public:
    using ReportControl::ReportControl;

    virtual const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture) { m_picture = picture; }
    // False, leaving the control empty, when the file cannot be read.
    bool loadFromFile(const QString &path);

    double layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) override;

protected:
    QImage m_picture;
};

}  // namespace kalvero
