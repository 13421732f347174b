// The protocol register on the benchmark database (100,000 protocols, 99,000
// of them in 2013, 50,000 requesters), each step against its floor:
//   - opening the list (requesters, subjects, active protocols) against raw
//     fetches of the same statements;
//   - changing the status filter and the period filter against a raw fetch of
//     the new statement;
//   - the first save of a protocol (number, row and two documents in one
//     transaction) in the year of 99,000 against an empty year.
// Each step is one row of a table, so another step is one more row.
// Usage: kalvero_bench_protocols <seeded database file> [server address]
#include "BenchArguments.h"
#include "BenchTiming.h"
#include "RawFetch.h"
#include "data/Clock.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "protocols/ProtocolStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <functional>
#include <memory>

using namespace kalvero;

namespace {

struct Fetch {
    QString statement;
    QVariantList params;
};

// A step of the screen and the statements whose raw fetch is its floor.
struct ListStep {
    QString name;
    std::function<void()> prepare;  // untimed, before every run
    std::function<void()> step;
    std::vector<Fetch> floor;
};

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const auto arguments =
        BenchArguments::read(argc, argv, "kalvero_bench_protocols <seeded database file> [server address]", true);
    if (!arguments)
        return 2;
    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(arguments->databaseName());
    TUDMCadastro cadastro(dm);
    ProtocolStore store(cadastro);
    out << "Engine: " << arguments->engine() << "\n";

    const ProtocolListQuery active = ProtocolListQuery::ofStatus(QStringLiteral("0"));
    const ProtocolListQuery cancelled = ProtocolListQuery::ofStatus(QStringLiteral("1"));
    const ProtocolListQuery march =
        ProtocolListQuery::ofPeriod(QStringLiteral("0"), QDate(2013, 3, 1), QDate(2013, 3, 31));
    auto fetchOf = [](const ProtocolListQuery &q) { return Fetch{q.statement(), q.params()}; };

    const std::vector<ListStep> steps = {
        {QStringLiteral("Open the list (requesters, subjects, active protocols)"), [&] { cadastro.closeAll(); },
         [&] { store.openLists(); },
         {{RequesterStatements::orderedByName(), {}}, {SubjectStatements::orderedByDescription(), {}}, fetchOf(active)}},
        {QStringLiteral("Status filter ATIVO to CANCELADO"), [&] { store.loadList(active); },
         [&] { store.loadList(cancelled); }, {fetchOf(cancelled)}},
        {QStringLiteral("Status filter CANCELADO to ATIVO"), [&] { store.loadList(cancelled); },
         [&] { store.loadList(active); }, {fetchOf(active)}},
        {QStringLiteral("Period filter, March 2013"), [&] { store.loadList(active); },
         [&] { store.loadList(march); }, {fetchOf(march)}},
    };
    const int runs = 9;
    for (const ListStep &s : steps) {
        std::vector<std::unique_ptr<RawFetch>> raws;
        for (const Fetch &f : s.floor)
            raws.push_back(std::make_unique<RawFetch>(dm.MDatabasePrincipal, f.statement, f.params));
        // Warm the engine's page cache and the prepared statements alike.
        s.prepare();
        s.step();
        for (auto &r : raws)
            r->run();
        // Alternated, so that both see the engine in the same state.
        std::vector<double> steps, fetches;
        for (int i = 0; i < runs; ++i) {
            s.prepare();
            steps.push_back(elapsedMs(s.step));
            fetches.push_back(elapsedMs([&] {
                for (auto &r : raws)
                    r->run();
            }));
        }
        std::sort(steps.begin(), steps.end());
        std::sort(fetches.begin(), fetches.end());
        const double step = steps[steps.size() / 2];
        const double fetch = fetches[fetches.size() / 2];
        out << QStringLiteral("%1 (%2 protocols): %3 ms, raw fetch %4 ms, ratio %5\n")
                   .arg(s.name)
                   .arg(cadastro.cdsTBProtocolo.recordCount())
                   .arg(step, 0, 'f', 1)
                   .arg(fetch, 0, 'f', 1)
                   .arg(step / fetch, 0, 'f', 2);
    }

    // The first save in each year; every saved protocol is removed again
    // (untimed) so that the years stay as seeded.
    store.openLists();
    auto firstSaveMs = [&](int year, QString &number) {
        Clock::setNow(QDateTime(QDate(year, 6, 5), QTime(10, 0)));
        RecordSet &p = cadastro.cdsTBProtocolo;
        std::vector<double> saves;
        for (int i = 0; i < 31; ++i) {
            store.startNew();
            p.field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
            p.field(QStringLiteral("ASSUNTO")).setAsInteger(1);
            p.field(QStringLiteral("DESCRICAO")).setAsString(QStringLiteral("BENCH"));
            saves.push_back(elapsedMs([&] {
                number = store.saveFirst(Clock::today(), 0, {QStringLiteral("RG"), QStringLiteral("CPF")}).number;
            }));
            p.cancel();
            const QVariantList key{number, QString::number(year)};
            dm.MDatabasePrincipal.execute(QStringLiteral("delete from TBDOCUMENTOS where IDPROTOCOLO = ? and ANO = ?"), key);
            dm.MDatabasePrincipal.execute(QStringLiteral("delete from TBPROTOCOLO where IDPROTOCOLO = ? and ANO = ?"), key);
        }
        std::sort(saves.begin(), saves.end());
        return saves[saves.size() / 2];
    };
    QString full, empty;
    firstSaveMs(2013, full);  // warm
    const double fullMs = firstSaveMs(2013, full);
    const double emptyMs = firstSaveMs(2015, empty);
    out << QStringLiteral("First save with two documents: year of 99,000 (%1) %2 ms, empty year (%3) %4 ms, ratio %5\n")
               .arg(full)
               .arg(fullMs, 0, 'f', 2)
               .arg(empty)
               .arg(emptyMs, 0, 'f', 2)
               .arg(fullMs / emptyMs, 0, 'f', 2);
    return 0;
}
