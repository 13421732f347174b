#pragma once

// The floor of a report's PDF: the texts and rules of laid-out pages painted
// at their places straight onto a QPdfWriter, without the engine's painter.

#include "reports/ReportDocument.h"

#include <QPainter>
#include <QPdfWriter>

namespace kalvero {

inline void straightToPdf(const ReportDocument &doc, const QString &path) {
    QPdfWriter writer(path);
    writer.setPageSize(doc.paper.pageSize());
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p(&writer);
    const double s = writer.logicalDpiX() / 25.4;
    for (size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        for (const PageItem &item : doc.pages[i].items) {
            if (const auto *t = std::get_if<TextItem>(&item)) {
                p.setFont(t->font);
                p.drawText(t->baseline * s, t->text);
            } else if (const auto *l = std::get_if<LineItem>(&item)) {
                p.setPen(QPen(Qt::black, l->widthMm * s));
                p.drawLine(l->from * s, l->to * s);
            }
        }
    }
}

}  // namespace kalvero
