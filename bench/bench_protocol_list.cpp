// Protocol list benchmark: "Todos" over every protocol of the benchmark
// database (100,000, about 1,800 pages), from "Visualizar" to the preview's
// first page drawn, and the whole list written as PDF, each against the floor
// of fetching the same statement raw and painting the same texts straight
// onto a QPdfWriter. Gives the memory the first preview takes (VmRSS before it
// and with its first page shown, and the peak VmHWM, which with the embedded
// engine includes the engine sorting the statement) beside the PDF's size.
// Usage: kalvero_bench_protocol_list <database file> [server address]
#include "BenchArguments.h"
#include "BenchTiming.h"
#include "RawFetch.h"
#include "StraightToPdf.h"

#include "data/modules/TDM.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/session/SessionState.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPreviewWindow.h"
#include "reports/screen/ProtocolListFilters.h"
#include "reports/screen/ProtocolListReport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kalvero;

namespace {

constexpr int Runs = 3;

// The process's resident memory now (VmRSS) or at its peak (VmHWM), in MB.
double memoryMb(const QByteArray &key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const auto args =
        BenchArguments::read(argc, argv, "kalvero_bench_protocol_list <database file> [server address]", true);
    if (!args)
        return 1;
    QTemporaryDir scratch;
    QDir().mkpath(scratch.filePath(QStringLiteral("Config")));
    QImage emblem(72, 72, QImage::Format_RGB32);
    emblem.fill(Qt::darkGreen);
    emblem.save(scratch.filePath(QStringLiteral("Config/prefeitura.bmp")));

    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(args->databaseName());
    TUDMRelatorio reports(dm);
    SessionState session;
    session.ProgramFolder = scratch.path() + QLatin1Char('/');
    session.UnitLabel = QStringLiteral("01-PREFEITURA MUNICIPAL DE TERESINA");
    session.StateText = QStringLiteral("ESTADO DO PIAUÍ");
    session.RightsNotice = QStringLiteral("Kalvero - todos os direitos reservados");
    const ProtocolListFilters all;  // "Todos", nothing else ticked

    // "Visualizar" to the preview's first page drawn, as the operator first
    // sees it. The first run, in a process that holds nothing yet, gives the
    // memory: what is freed stays with the process, so later runs would not
    // tell it.
    int pages = 0;
    double shown = 0;  // resident memory with the first preview's first page shown
    ProtocolListReport toPreview(reports, session, [&](ReportLayout &layout, QWidget *) {
        // As ReportLayout::preview() shows it.
        ReportPreviewWindow window(layout.runOnDemand(), layout.title());
        window.resize(1000, 800);
        (void)window.grab();
        pages = window.document().pageCount();
        if (shown == 0)
            shown = memoryMb("VmRSS:");
    });
    const double before = memoryMb("VmRSS:");
    int listed = toPreview.run(all, ProtocolListReport::Output::Preview, nullptr);
    const double peak = memoryMb("VmHWM:");
    const double preview =
        medianMs(Runs, [&] { listed = toPreview.run(all, ProtocolListReport::Output::Preview, nullptr); });

    const QString pdf = scratch.filePath(QStringLiteral("lista.pdf"));
    ProtocolListReport toPdf(reports, session, [&](ReportLayout &layout, QWidget *) {
        ReportOutput::writePdf(layout.runOnDemand(), pdf);  // as the preview's "Salvar PDF..." writes it
    });
    const double listPdf = medianMs(Runs, [&] { toPdf.run(all, ProtocolListReport::Output::Preview, nullptr); });
    const double pdfMb = double(QFileInfo(pdf).size()) / 1048576.0;

    // The floor paints the same texts, laid out once outside its timed runs.
    ReportDocument laidOut;
    ProtocolListReport(reports, session, [&](ReportLayout &layout, QWidget *) { laidOut = layout.run(); })
        .run(all, ProtocolListReport::Output::Preview, nullptr);
    const ProtocolListFilters::Statement statement = all.statement();
    RawFetch fetch(dm.MDatabasePrincipal, statement.sql, statement.params);
    const QString floorPdf = scratch.filePath(QStringLiteral("direto.pdf"));
    qint64 rows = 0;
    const double floor = medianMs(Runs, [&] {
        rows = fetch.run();
        straightToPdf(laidOut, floorPdf);
    });

    out << QStringLiteral("Protocol list \"Todos\", %1 (%2 protocols, %3 rows fetched raw, %4 pages), median of %5 runs:\n")
               .arg(args->engine())
               .arg(listed)
               .arg(rows)
               .arg(pages)
               .arg(Runs);
    out << QStringLiteral("  Visualizar to first page shown:      %1 ms\n").arg(preview, 0, 'f', 0);
    out << QStringLiteral("  whole list written as PDF:           %1 ms\n").arg(listPdf, 0, 'f', 0);
    out << QStringLiteral("  raw fetch + texts straight to PDF:   %1 ms\n").arg(floor, 0, 'f', 0);
    out << QStringLiteral("  ratio preview / floor: %1x; PDF / floor: %2x\n")
               .arg(preview / floor, 0, 'f', 2)
               .arg(listPdf / floor, 0, 'f', 2);
    out << QStringLiteral("  memory: %1 MB before the first preview, %2 MB with its first page shown, %3 MB at its "
                          "peak (%4 MB more); PDF %5 MB\n")
               .arg(before, 0, 'f', 0)
               .arg(shown, 0, 'f', 0)
               .arg(peak, 0, 'f', 0)
               .arg(peak - before, 0, 'f', 0)
               .arg(pdfMb, 0, 'f', 1);
    return 0;
}
