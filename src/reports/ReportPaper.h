#pragma once

#include <QMarginsF>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>

namespace kalvero {

// The sheet a layout prints on, portrait, one page per sheet; millimetres.
struct ReportPaper {
    QSizeF size;
    QMarginsF margins;

    static ReportPaper letter() { return {QSizeF(215.9, 279.4), QMarginsF(10, 10, 10, 10)}; }
    static ReportPaper a4() { return {QSizeF(210, 297), QMarginsF(10, 10, 10, 10)}; }
    static ReportPaper custom(double widthMm, double heightMm, double marginMm) {
        return {QSizeF(widthMm, heightMm), QMarginsF(marginMm, marginMm, marginMm, marginMm)};
    }

    QRectF printableRect() const { return QRectF(QPointF(0, 0), size).marginsRemoved(margins); }
    QPageSize pageSize() const {
        // An exact match keeps Letter and A4 known by name to the printer.
        return QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }
};

}  // namespace kalvero
