#pragma once

#include "ExternalTools.h"
#include "TestDatabase.h"

#include "reports/ReportDocument.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/TextMetrics.h"

#include <QDir>
#include <QImage>
#include <QStringList>
#include <QtTest>

namespace kalvero::test {

// Every text of every page, in order.
inline QStringList allTexts(const ReportDocument &doc) {
    QStringList texts;
    for (const ReportPage &page : doc.pages)
        texts << page.texts();
    return texts;
}

// A coat of arms in Config/prefeitura.bmp under a program folder, as the
// standard heading loads it.
inline bool writeEmblem(const QString &programFolder) {
    QDir().mkpath(QDir(programFolder).filePath(QStringLiteral("Config")));
    QImage emblem(72, 72, QImage::Format_RGB32);
    emblem.fill(Qt::darkGreen);
    return emblem.save(QDir(programFolder).filePath(QStringLiteral("Config/prefeitura.bmp")));
}

// The pages written as a PDF file in the folder; gives its path.
inline QString pdfOf(const ReportDocument &doc, const ScratchFolder &folder, const QString &name) {
    const QString path = folder.file(name);
    ReportOutput::writePdf(doc, path);
    return path;
}

// Where an item lies on the sheet, against where the layout places it.
enum Edge { Left, Right, Centre };
struct Place {
    QString text;
    double x;  // the box's left or right edge, or its centre
    double top;
    Edge edge = Left;
};

inline void checkPlaces(const ReportPage &page, const QList<Place> &places) {
    for (const Place &p : places) {
        const TextItem *item = page.findText(p.text);
        QVERIFY2(item, qPrintable(p.text));
        const double x = p.edge == Right    ? item->frame.right()
                         : p.edge == Centre ? item->frame.center().x()
                                            : item->frame.left();
        QVERIFY2(qAbs(x - p.x) < 0.1 && qAbs(item->frame.top() - p.top) < 0.1,
                 qPrintable(QStringLiteral("%1 at %2, %3").arg(p.text).arg(x).arg(item->frame.top())));
    }
}

// The pages laid out on demand, asked for from the last to the first and then
// from the first, are the pages of a whole run: the same texts at the same
// places.
inline void checkSamePagesOnDemand(ReportLayout &layout, const ReportDocument &whole) {
    const ReportDocument onDemand = layout.runOnDemand();
    QCOMPARE(onDemand.pageCount(), whole.pageCount());
    QList<int> order;
    for (int i = whole.pageCount() - 1; i >= 0; --i)
        order << i;
    for (int i = 0; i < whole.pageCount(); ++i)
        order << i;
    for (const int i : order) {
        const ReportPage &page = onDemand.page(i);
        const ReportPage &expected = whole.page(i);
        QCOMPARE(page.number, expected.number);
        QCOMPARE(page.texts(), expected.texts());
        QCOMPARE(page.items.size(), expected.items.size());
        for (size_t n = 0; n < page.items.size(); ++n)
            if (const auto *t = std::get_if<TextItem>(&page.items[n])) {
                const auto *e = std::get_if<TextItem>(&expected.items[n]);
                QVERIFY(e);
                QCOMPARE(t->frame, e->frame);
                QCOMPARE(t->baseline, e->baseline);
            }
    }
}

// Where a line of text is inked on the sheet: from where it starts, as wide
// as its text, cut at its box when it is clipped; as high as its line.
inline QRectF inkOf(const TextItem &t) {
    static const TextMetrics metrics;
    const QRectF ink(t.baseline.x(), t.frame.top(), metrics.widthMm(t.font, t.text), t.frame.height());
    return t.clipped ? ink.intersected(t.frame) : ink;
}

// The lines of a page that are inked over one another ("A" / "B") or run
// out of the printable area; none on a sound page.
inline QStringList overlappingTexts(const ReportPage &page, const QRectF &printable) {
    QList<const TextItem *> lines;
    for (const PageItem &item : page.items)
        if (const auto *t = std::get_if<TextItem>(&item); t && !t->text.trimmed().isEmpty())
            lines << t;
    QStringList found;
    const double slack = 0.05;  // rounding of the measures
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF a = inkOf(*lines[i]).adjusted(slack, slack, -slack, -slack);
        if (!printable.contains(a))
            found << QStringLiteral("\"%1\" off the printable area").arg(lines[i]->text);
        for (int j = i + 1; j < lines.size(); ++j)
            if (a.intersects(inkOf(*lines[j]).adjusted(slack, slack, -slack, -slack)))
                found << QStringLiteral("\"%1\" / \"%2\"").arg(lines[i]->text, lines[j]->text);
    }
    return found;
}

}  // namespace kalvero::test
