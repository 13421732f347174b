// Report benchmark: a 500-page list (50 rows a page, a data text per column)
// laid out and written to PDF by the report engine, against painting the
// same texts straight onto a QPdfWriter.
// Usage: kalvero_bench_reports [folder for the scratch database and PDFs]
#include "BenchTiming.h"
#include "data/firebird/Connection.h"
#include "data/records/RecordSet.h"
#include "reports/ReportDataText.h"
#include "reports/ReportFonts.h"
#include "reports/ReportLabel.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/ReportSystemData.h"
#include "reports/TextMetrics.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

using namespace kalvero;

namespace {

constexpr int Pages = 500;
constexpr int RowsPerPage = 50;
constexpr int Rows = Pages * RowsPerPage;

// Columns: left and width in millimetres, field.
struct Column {
    double left, width;
    const char *field, *title;
};
const Column Columns[] = {{0, 20, "N", "Nº"},
                          {22, 25, "PROTOCOLO", "Protocolo"},
                          {49, 22, "ENTRADA", "Entrada"},
                          {73, 117, "SOLICITANTE", "Solicitante"}};

// Page: A4, 10 mm margins; header 15, column header 8, footer 6 leave 248 mm
// for 50 rows of 4.9 mm.
constexpr double HeaderHeight = 15, ColumnHeight = 8, FooterHeight = 6, RowHeight = 4.9;

void buildList(ReportLayout &layout, RecordSet &set) {
    layout.setPaper(ReportPaper::a4());
    layout.setDataSet(&set);
    ReportBand *header = layout.addBand(BandKind::PageHeader, HeaderHeight);
    header->add<ReportLabel>(0, 0, 190, 10, QStringLiteral("RELAÇÃO DE PROTOCOLOS"))->setFont(ReportFonts::arial(16, true));
    ReportBand *columns = layout.addBand(BandKind::ColumnHeader, ColumnHeight);
    columns->setFrameLines(false, true);
    for (const Column &c : Columns)
        columns->add<ReportLabel>(c.left, 2, c.width, 5, QString::fromUtf8(c.title))->setFont(ReportFonts::arial(8, true));
    ReportBand *detail = layout.addBand(BandKind::Detail, RowHeight);
    for (const Column &c : Columns)
        detail->add<ReportDataText>(QString::fromLatin1(c.field), c.left, 0.5, c.width, 4)->setFont(ReportFonts::arial(8));
    ReportBand *footer = layout.addBand(BandKind::PageFooter, FooterHeight);
    footer->add<ReportSystemData>(ReportSystemData::Kind::PageNumber, 0, 1, 50, 5)->setFont(ReportFonts::arial(8));
}

int engineToPdf(RecordSet &set, const QString &path) {
    ReportLayout layout;
    buildList(layout, set);
    const ReportDocument doc = layout.run();
    ReportOutput::writePdf(doc, path);
    return int(doc.pages.size());
}

// The floor: the same texts at the same places, straight onto the writer.
int directToPdf(RecordSet &set, const QString &path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p(&writer);
    const double s = writer.logicalDpiX() / 25.4;
    TextMetrics m;
    const QFont title = ReportFonts::arial(16, true), bold = ReportFonts::arial(8, true), plain = ReportFonts::arial(8);
    const double titleAscent = m.ascentMm(title), boldAscent = m.ascentMm(bold), ascent = m.ascentMm(plain);
    std::vector<int> fields;
    for (const Column &c : Columns)
        fields.push_back(set.fieldIndex(QString::fromLatin1(c.field)));
    int page = 0;
    for (int row = 0; row < set.recordCount(); ++page) {
        if (page > 0)
            writer.newPage();
        p.setFont(title);
        p.drawText(QPointF(10 * s, (10 + titleAscent) * s), QStringLiteral("RELAÇÃO DE PROTOCOLOS"));
        p.setFont(bold);
        for (const Column &c : Columns)
            p.drawText(QPointF((10 + c.left) * s, (10 + HeaderHeight + 2 + boldAscent) * s), QString::fromUtf8(c.title));
        const double rule = 10 + HeaderHeight + ColumnHeight;
        p.setPen(QPen(Qt::black, 0.2 * s));
        p.drawLine(QPointF(10 * s, rule * s), QPointF(200 * s, rule * s));
        p.setFont(plain);
        for (int r = 0; r < RowsPerPage && row < set.recordCount(); ++r, ++row) {
            const double y = (rule + r * RowHeight + 0.5 + ascent) * s;
            for (size_t c = 0; c < fields.size(); ++c)
                p.drawText(QPointF((10 + Columns[c].left) * s, y), set.displayTextAt(row, fields[c]));
        }
        p.drawText(QPointF(10 * s, (297 - 10 - FooterHeight + 1 + ascent) * s),
                   QStringLiteral("Página : %1").arg(page + 1));
    }
    p.end();
    return page;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/kv-bench-XXXXXX"));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    QDir().mkpath(folder);

    const QString database = folder + QStringLiteral("/BENCH_REPORTS.FDB");
    QFile::remove(database);
    Connection connection;
    connection.setDatabaseName(database);
    connection.create();
    connection.execute(QStringLiteral("create table LISTA (N integer, PROTOCOLO varchar(10), ENTRADA date, "
                                      "SOLICITANTE varchar(60))"));
    connection.execute(QStringLiteral(
        "execute block (n integer = ?) as declare i integer = 1; begin while (i <= n) do begin "
        "insert into LISTA values (:i, lpad(mod(:i, 99999), 5, '0') || '/2014', dateadd(mod(:i, 365) day to date "
        "'2014-01-01'), 'SOLICITANTE DE NUMERO ' || :i || ' DA SILVA'); i = i + 1; end end"),
        {Rows});
    RecordSet set(QStringLiteral("cdsLista"));
    set.setConnection(&connection);
    set.setCommandText(QStringLiteral("select * from LISTA order by N"));
    set.open();

    const QString enginePdf = folder + QStringLiteral("/engine.pdf"), directPdf = folder + QStringLiteral("/direct.pdf");
    int enginePages = 0, directPages = 0;
    // One warm-up each (fonts, glyph caches), then the median of three.
    engineToPdf(set, enginePdf);
    directToPdf(set, directPdf);
    const double engineMs = medianMs(3, [&] { enginePages = engineToPdf(set, enginePdf); });
    const double directMs = medianMs(3, [&] { directPages = directToPdf(set, directPdf); });
    ReportLayout layout;
    buildList(layout, set);
    const double layoutMs = medianMs(3, [&] { layout.run(); });

    out << "List of " << Rows << " rows, " << RowsPerPage << " a page, 4 data texts a row\n";
    out << QStringLiteral("  report engine -> PDF:   %1 ms, %2 pages, %3 KB\n")
               .arg(engineMs, 0, 'f', 0).arg(enginePages).arg(QFileInfo(enginePdf).size() / 1024);
    out << QStringLiteral("  straight to QPdfWriter: %1 ms, %2 pages, %3 KB\n")
               .arg(directMs, 0, 'f', 0).arg(directPages).arg(QFileInfo(directPdf).size() / 1024);
    out << QStringLiteral("  of which the layout step: %1 ms\n").arg(layoutMs, 0, 'f', 0);
    out << QStringLiteral("  ratio: %1x\n").arg(engineMs / directMs, 0, 'f', 2);
    connection.close();
    Connection::dropDatabase(database);
    return enginePages == Pages && directPages == Pages ? 0 : 1;
}
