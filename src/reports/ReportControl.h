#pragma once

#include "PageItems.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

namespace kalvero {

struct ReportContext;

// A control placed in a band by left, top, width and height in millimetres.
class ReportControl {
public:
    ReportControl(double left, double top, double width, double height);
    virtual ~ReportControl();
    ReportControl(const ReportControl &) = delete;
    ReportControl &operator=(const ReportControl &) = delete;

    QRectF frame() const { return m_frame; }
    void setFrame(double left, double top, double width, double height) { m_frame = QRectF(left, top, width, height); }

    const QFont &font() const { return m_font; }
    void setFont(const QFont &font) { m_font = font; }

    // Left, right or centred; justified spreads every line but the last
    // to both edges.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment & Qt::AlignHorizontal_Mask; }

    // Lays the control out with its frame's top-left at origin and appends
    // what it prints. Gives the height it takes: its own, or more for a
    // control that grows downwards.
    virtual double layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) = 0;

    // Whether a taller control pushes the controls under it down.
    virtual bool growsDownwards() const { return false; }

protected:
    // One text item per line, aligned within the box. With clipToBox, a
    // line wider than the box is cut at its edges (only such a line is: a
    // clip costs the PDF and the printer more than the text).
    void addLines(const ReportContext &context, const QStringList &lines, QRectF box, bool clipToBox,
                  std::vector<PageItem> &items) const;
    void addLine(const ReportContext &context, const QString &line, const QRectF &box, bool clipToBox,
                 std::vector<PageItem> &items) const;
    // One item per word, the blanks between them widened to fill the box.
    bool addJustifiedLine(const ReportContext &context, const QString &line, const QRectF &box,
                          std::vector<PageItem> &items) const;

    QRectF m_frame;
    QFont m_font;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

}  // namespace kalvero
