// Data-access benchmark on a unit database of 100,000 protocols over two
// years (99,000 in the first), 300,000 documents and 50,000 requesters:
//   - opening a record set over a year's protocols against a raw forward-only
//     fetch of the same statement through libfbclient;
//   - memory per cached row;
//   - the next protocol number in the full year against an empty year.
// Usage: kalvero_bench <database file> [server address]
#include "BenchArguments.h"
#include "BenchSeed.h"
#include "BenchTiming.h"
#include "RawFetch.h"
#include "app/install/DemoDataSeeder.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <malloc.h>
#include <vector>

using namespace kalvero;

namespace {

const QString FullYear = QStringLiteral("2013");
const QString EmptyYear = QStringLiteral("2015");
const QString YearStatement = QStringLiteral("select * from TBProtocolo where ANO = ?");

size_t heapInUse() { return mallinfo2().uordblks; }

void seed(const QString &databaseName) {
    DemoDataSeeder::Sizes sizes;
    sizes.requesters = 50000;
    sizes.companyEvery = 10;
    sizes.protocolsPerYear = {{2013, 99000}, {2014, 1000}};
    sizes.maxMovementsPerProtocol = 0;
    seedUnit(databaseName, sizes);
}

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const auto arguments = BenchArguments::read(argc, argv, "kalvero_bench <database file> [server address]");
    if (!arguments)
        return 2;
    const QString name = arguments->databaseName();
    if (!QFile::exists(arguments->file))
        seed(name);

    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(name);
    TUDMCadastro cadastro(dm);
    RecordSet &protocols = cadastro.cdsTBProtocolo;
    out << "Engine: " << arguments->engine() << "\n";

    // Warm the engine's page cache and the prepared statements alike.
    RawFetch rawFetch(dm.MDatabasePrincipal, YearStatement, FullYear);
    rawFetch.run();
    protocols.setCommandText(YearStatement, {FullYear});
    protocols.open();
    const int rows = protocols.recordCount();
    protocols.close();

    const int runs = 9;
    const double raw = medianMs(runs, [&] { rawFetch.run(); });
    const double cached = medianMs(runs, [&] {
        protocols.close();
        protocols.open();
    });
    protocols.close();
    const size_t before = heapInUse();
    protocols.open();
    const size_t after = heapInUse();
    out << QStringLiteral("Open a year's protocols (%1 rows): record set %2 ms, raw fetch %3 ms, ratio %4\n")
               .arg(rows)
               .arg(cached, 0, 'f', 1)
               .arg(raw, 0, 'f', 1)
               .arg(cached / raw, 0, 'f', 2);
    out << QStringLiteral("Memory per cached row: %1 bytes (heap growth), %2 bytes (packed rows)\n")
               .arg(double(after - before) / rows, 0, 'f', 0)
               .arg(double(protocols.cachedBytes()) / rows, 0, 'f', 0);
    protocols.close();

    const int keyRuns = 201;
    QString full, empty;
    const double fullMs = medianMs(keyRuns, [&] { full = cadastro.NextProtocolNumber(FullYear); });
    const double emptyMs = medianMs(keyRuns, [&] { empty = cadastro.NextProtocolNumber(EmptyYear); });
    out << QStringLiteral("Next protocol number: year of 99,000 (%1) %2 ms, empty year (%3) %4 ms, ratio %5\n")
               .arg(full)
               .arg(fullMs, 0, 'f', 3)
               .arg(empty)
               .arg(emptyMs, 0, 'f', 3)
               .arg(fullMs / emptyMs, 0, 'f', 2);
    return 0;
}
