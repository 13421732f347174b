// The protocol register opening on a unit of 99,000 active protocols and
// 50,000 requesters: from the command to the list painted (the report module
// made, the screen built, requesters, subjects and protocols loaded, the
// window shown and its grid drawn), against a raw fetch of the list's
// statement.
// Usage: kalvero_bench_protocol_screen <database file> [server address]
// A missing file is seeded first.
#include "BenchArguments.h"
#include "BenchSeed.h"
#include "BenchTiming.h"
#include "PaintWatch.h"
#include "RawFetch.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/modules/UnitStatements.h"
#include "data/session/SessionState.h"
#include "protocols/TCAD_Protocolo.h"
#include "ui/RecordGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

using namespace kalvero;

namespace {

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const auto arguments = BenchArguments::read(argc, argv, "kalvero_bench_protocol_screen <database file> [server address]");
    if (!arguments)
        return 2;
    const QString name = arguments->databaseName();
    if (!QFile::exists(arguments->file))
        seedScreenBenchUnit(name);

    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(name);
    TUDMCadastro cadastro(dm);
    SessionState session;
    out << "Engine: " << arguments->engine() << "\n";

    RawFetch raw(dm.MDatabasePrincipal, ProtocolStatements::ofStatus(), QStringLiteral("0"));
    qint64 listed = 0;
    // As the main window runs the command: the report module, then the
    // screen, shown; the clock stops when the list has been painted.
    auto openScreen = [&] {
        return elapsedMs([&] {
            TUDMRelatorio reports(dm);
            TCAD_Protocolo screen(cadastro, session);
            auto *grid = screen.findChild<QAbstractItemView *>(QStringLiteral("DBGrid1"));
            PaintWatch watch(grid->viewport());
            screen.show();
            watch.wait();
            listed = grid->model()->rowCount();
            screen.close();
        });
    };
    openScreen();  // the first opening warms the engine's cache, as a day's first use does
    std::vector<double> opens, fetches;
    const int runs = 7;
    qint64 fetched = 0;
    for (int i = 0; i < runs; ++i) {
        opens.push_back(openScreen());
        fetches.push_back(elapsedMs([&] { fetched = raw.run(); }));
    }
    std::sort(opens.begin(), opens.end());
    std::sort(fetches.begin(), fetches.end());
    if (listed != fetched) {
        out << "row counts differ: " << listed << " listed, " << fetched << " fetched\n";
        return 1;
    }
    const double open = opens[opens.size() / 2];
    const double fetch = fetches[fetches.size() / 2];
    out << QStringLiteral("Protocolo to the list painted (%1 active protocols): %2 ms, raw fetch of the list %3 ms, "
                          "ratio %4\n")
               .arg(listed)
               .arg(open, 0, 'f', 1)
               .arg(fetch, 0, 'f', 1)
               .arg(open / fetch, 0, 'f', 2);
    return 0;
}
