// Printing benchmark: the delivery receipt of a protocol with 200 documents,
// from the command to the preview ready (its first page drawn), against the
// floor of fetching the same statement raw and writing the same page texts
// straight onto a QPdfWriter. The receipt written as PDF is timed too.
// Usage: kalvero_bench_printing [folder for the scratch database and PDFs]
#include "BenchTiming.h"
#include "RawFetch.h"
#include "StraightToPdf.h"

#include "data/firebird/Connection.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "data/schema/UnitSchema.h"
#include "data/session/SessionState.h"
#include "protocols/ProtocolPrintCommands.h"
#include "protocols/ProtocolStore.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPreviewWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kalvero;

namespace {

constexpr int Documents = 200;
constexpr int Runs = 9;

void seed(const QString &databaseName) {
    QFile::remove(databaseName);
    Connection c;
    c.setDatabaseName(databaseName);
    c.create();
    UnitSchema::createTemplateTables(c);
    c.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (1, 'ANA MARIA DE SOUSA', '12345678901')"));
    c.execute(QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (1, 'ALVARA DE CONSTRUCAO')"));
    c.execute(QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, DATADEENTRADA, STATUS, "
                             "DESCRICAO) values ('00001', '2014', 1, 1, '2014-05-02', '0', 'PEDIDO DE ALVARA')"));
    c.execute(QStringLiteral("execute block as declare i integer = 1; begin while (i <= %1) do begin "
                             "insert into TBDOCUMENTOS (IDDOCUMENTO, IDPROTOCOLO, ANO, NOMEDOCUMENTO, PAGINA) "
                             "values (:i, '00001', '2014', 'DOCUMENTO ANEXADO NUMERO ' || :i, mod(:i, 7) + 1); "
                             "i = i + 1; end end")
                  .arg(Documents));
}

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir scratch;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    QDir().mkpath(folder);
    const QString database = QDir(folder).filePath(QStringLiteral("PRINTING.FDB"));
    seed(database);

    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(database);
    TUDMCadastro data(dm);
    TUDMRelatorio reports(dm);
    EnsureLabelScratchTable(dm);
    ProtocolStore(data).openLists();
    SessionState session;
    session.OperatorName = QStringLiteral("JOSÉ DA SILVA");
    session.UnitLabel = QStringLiteral("01-PREFEITURA MUNICIPAL DE TERESINA");

    // The command to the preview ready: the window made and its first page
    // drawn, as the operator first sees it.
    int pages = 0;
    ReportDocument laidOut;
    ProtocolPrintCommands command(data, reports, session, [&](ReportLayout &layout, QWidget *) {
        ReportPreviewWindow window(layout.run());
        window.resize(1000, 800);
        (void)window.grab();
        pages = int(window.document().pages.size());
        if (laidOut.pages.empty())  // kept once, for the floor, outside the timed runs
            laidOut = window.document();
    });
    command.deliveryReceipt(nullptr);  // warms the caches, as a desk's first receipt of the day did
    const double preview = medianMs(Runs, [&] { command.deliveryReceipt(nullptr); });

    const QString pdf = QDir(folder).filePath(QStringLiteral("comprovante.pdf"));
    ProtocolPrintCommands toPdf(data, reports, session,
                                [&](ReportLayout &layout, QWidget *) { ReportOutput::writePdf(layout.run(), pdf); });
    const double receiptPdf = medianMs(Runs, [&] { toPdf.deliveryReceipt(nullptr); });

    RawFetch fetch(dm.MDatabasePrincipal, PrintStatements::receiptWithDocuments(),
                   QVariantList{QStringLiteral("00001"), QStringLiteral("2014")});
    const QString floorPdf = QDir(folder).filePath(QStringLiteral("direto.pdf"));
    qint64 rows = 0;
    const double floor = medianMs(Runs, [&] {
        rows = fetch.run();
        straightToPdf(laidOut, floorPdf);
    });

    out << QStringLiteral("Receipt of a protocol with %1 documents (%2 rows, %3 pages), median of %4 runs:\n")
               .arg(Documents)
               .arg(rows)
               .arg(pages)
               .arg(Runs);
    out << QStringLiteral("  command to preview ready:            %1 ms\n").arg(preview, 0, 'f', 1);
    out << QStringLiteral("  command to PDF written:              %1 ms\n").arg(receiptPdf, 0, 'f', 1);
    out << QStringLiteral("  raw fetch + texts straight to PDF:   %1 ms\n").arg(floor, 0, 'f', 1);
    out << QStringLiteral("  ratio preview / floor: %1x; PDF / floor: %2x\n")
               .arg(preview / floor, 0, 'f', 2)
               .arg(receiptPdf / floor, 0, 'f', 2);
    return 0;
}
