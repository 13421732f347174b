// The movement register on a unit of 99,000 active protocols (the database of
// the protocol screen's benchmark), each step against the raw fetch of its
// statements:
//   - from the command to the protocol list painted (requesters, subjects and
//     the active protocols loaded, the window shown and its grid drawn);
//   - the period filter (one month, then the whole year), to the list drawn
//     again;
//   - "Movimentar Protocolo" on a protocol with 500 movements, to its history
//     drawn (the movements, the sectors and the persons loaded).
// Usage: kalvero_bench_movement_screen <database file> [server address]
// A missing file is seeded first; the 500 movements are added once.
#include "BenchArguments.h"
#include "BenchSeed.h"
#include "BenchTiming.h"
#include "PaintWatch.h"
#include "RawFetch.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "movements/TCAD_Movimentacao.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QPushButton>
#include <QTextStream>
#include <QTime>

#include <vector>

using namespace kalvero;

namespace {

constexpr int Runs = 7;
constexpr int Movements = 500;
const QString Number = QStringLiteral("00001");
const QString Year = QStringLiteral("2013");

// Protocol 00001/2013 gets its 500 movements once.
QVariant scalar(Connection &c, const QString &sql, const QVariantList &params = {}) {
    RecordSet query(QStringLiteral("query"));
    query.setConnection(&c);
    query.openWith(sql, params);
    return query.isEmpty() ? QVariant() : query.field(0).value();
}

void addMovements(const QString &databaseName) {
    Connection c;
    c.setDatabaseName(databaseName);
    const qint64 present =
        scalar(c, QStringLiteral("select count(*) from TBMOVIMENTACAO where IDPROTOCOLO = ? and ANO = ?"), {Number, Year})
            .toLongLong();
    if (present >= Movements)
        return;
    c.execute(QStringLiteral("delete from TBMOVIMENTACAO where IDPROTOCOLO = ? and ANO = ?"), {Number, Year});
    const QVariant person = scalar(c, QStringLiteral("select first 1 IDRESPONSAVEL from TBRESPONSAVEISPORSETOR"));
    const QVariant sector =
        scalar(c, QStringLiteral("select SETOR from TBRESPONSAVEISPORSETOR where IDRESPONSAVEL = ?"), {person});
    for (int id = 1; id <= Movements; ++id)
        c.execute(QStringLiteral("insert into TBMOVIMENTACAO values (?, ?, ?, ?, ?, ?, ?, ?, ?, 'ADM1', ?)"),
                  {id, Number, Year, sector, person, QDate(2013, 1, 2).addDays(id / 2), QTime(8 + id % 9, id % 60),
                   id % 25 == 0 ? QStringLiteral("1") : QStringLiteral("0"),
                   QStringLiteral("ENCAMINHADO PARA ANÁLISE %1").arg(id), QDate(2013, 1, 2).addDays(id / 2)});
}

struct Result {
    double step = 0;
    double floor = 0;
};

Result median(std::vector<double> steps, std::vector<double> floors) {
    std::sort(steps.begin(), steps.end());
    std::sort(floors.begin(), floors.end());
    return {steps[steps.size() / 2], floors[floors.size() / 2]};
}

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const auto arguments =
        BenchArguments::read(argc, argv, "kalvero_bench_movement_screen <database file> [server address]");
    if (!arguments)
        return 2;
    const QString name = arguments->databaseName();
    if (!QFile::exists(arguments->file))
        seedScreenBenchUnit(name);
    addMovements(name);

    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(name);
    TUDMCadastro cadastro(dm);
    SessionState session;
    out << "Engine: " << arguments->engine() << "\n";
    Connection &c = dm.MDatabasePrincipal;

    // Opening: the clock stops when the protocol list has been painted.
    RawFetch rawList(c, ProtocolStatements::ofStatusByNumber(), QStringLiteral("0"));
    RawFetch rawRequesters(c, RequesterStatements::orderedByName(), QVariantList{});
    RawFetch rawSubjects(c, SubjectStatements::orderedByDescription(), QVariantList{});
    qint64 listed = 0;
    auto openScreen = [&] {
        TCAD_Movimentacao screen(cadastro, session);
        auto *grid = screen.findChild<QAbstractItemView *>(QStringLiteral("DBGrid1"));
        PaintWatch watch(grid->viewport());
        screen.show();
        watch.wait();
        listed = grid->model()->rowCount();
    };
    openScreen();  // warms the engine's cache, as a day's first use does
    std::vector<double> opens, listFloors, allFloors;
    qint64 fetched = 0;
    for (int i = 0; i < Runs; ++i) {
        opens.push_back(elapsedMs(openScreen));
        listFloors.push_back(elapsedMs([&] { fetched = rawList.run(); }));
        allFloors.push_back(elapsedMs([&] { rawRequesters.run(), rawSubjects.run(), rawList.run(); }));
    }
    if (listed != fetched) {
        out << "row counts differ: " << listed << " listed, " << fetched << " fetched\n";
        return 1;
    }
    const Result opening = median(opens, listFloors);
    const double allFloor = median(opens, allFloors).floor;
    out << QStringLiteral("Movimentação to the list painted (%1 active protocols): %2 ms; raw fetch of the list "
                          "%3 ms, ratio %4; of the list, the requesters and the subjects %5 ms, ratio %6\n")
               .arg(listed)
               .arg(opening.step, 0, 'f', 1)
               .arg(opening.floor, 0, 'f', 1)
               .arg(opening.step / opening.floor, 0, 'f', 2)
               .arg(allFloor, 0, 'f', 1)
               .arg(opening.step / allFloor, 0, 'f', 2);

    TCAD_Movimentacao screen(cadastro, session);
    screen.show();
    auto *grid = screen.findChild<QAbstractItemView *>(QStringLiteral("DBGrid1"));
    PaintWatch(grid->viewport()).wait();

    // The period filter, to the list drawn again.
    struct Period {
        const char *name;
        QDate from, to;
    };
    for (const Period &p : {Period{"one month", QDate(2013, 5, 1), QDate(2013, 5, 31)},
                            Period{"the whole year", QDate(2013, 1, 1), QDate(2013, 12, 31)}}) {
        screen.findChild<QDateEdit *>(QStringLiteral("dtpDe"))->setDate(p.from);
        screen.findChild<QDateEdit *>(QStringLiteral("dtpAte"))->setDate(p.to);
        RawFetch raw(c, ProtocolStatements::ofStatusInPeriodByNumber(), QVariantList{QStringLiteral("0"), p.from, p.to});
        auto *filter = screen.findChild<QPushButton *>(QStringLiteral("btnFiltrar"));
        std::vector<double> steps, floors;
        for (int i = 0; i < Runs + 1; ++i) {
            const double step = elapsedMs([&] {
                PaintWatch watch(grid->viewport());
                filter->click();
                watch.wait();
            });
            const double floor = elapsedMs([&] { fetched = raw.run(); });
            if (i > 0)
                steps.push_back(step), floors.push_back(floor);
        }
        const Result r = median(steps, floors);
        out << QStringLiteral("Period filter, %1 (%2 protocols): %3 ms, raw fetch %4 ms, ratio %5\n")
                   .arg(QLatin1String(p.name))
                   .arg(grid->model()->rowCount())
                   .arg(r.step, 0, 'f', 1)
                   .arg(r.floor, 0, 'f', 1)
                   .arg(r.step / r.floor, 0, 'f', 2);
    }

    // The page of the protocol with 500 movements, to its history drawn.
    screen.findChild<QPushButton *>(QStringLiteral("btnExibirTodos"))->click();
    RecordSet &protocols = cadastro.cdsTBProtocolo;
    RawFetch rawMovements(c, MovementStatements::ofProtocol(), QVariantList{Number, Year});
    RawFetch rawSectors(c, SectorStatements::orderedByName(), QVariantList{});
    RawFetch rawPersons(c, ResponsibleStatements::orderedByCode(), QVariantList{});
    auto *history = screen.findChild<QAbstractItemView *>(QStringLiteral("DBGrid2"));
    auto *open = screen.findChild<QPushButton *>(QStringLiteral("btnMovimentar"));
    auto *leave = screen.findChild<QPushButton *>(QStringLiteral("btnSairManutencao"));
    std::vector<double> pages, pageFloors;
    int shown = 0;
    for (int i = 0; i < Runs + 1; ++i) {
        protocols.locate(QStringLiteral("IDPROTOCOLO;ANO"), {Number, Year});
        const double step = elapsedMs([&] {
            PaintWatch watch(history->viewport());
            open->click();
            watch.wait();
        });
        shown = history->model()->rowCount();
        leave->click();
        const double floor = elapsedMs([&] { rawMovements.run(), rawSectors.run(), rawPersons.run(); });
        if (i > 0)
            pages.push_back(step), pageFloors.push_back(floor);
    }
    const Result page = median(pages, pageFloors);
    out << QStringLiteral("Movimentar Protocolo to the history drawn (%1 movements): %2 ms, raw fetch of the "
                          "movements, sectors and persons %3 ms, %4 ms beyond it (a frame is 16.7 ms)\n")
               .arg(shown)
               .arg(page.step, 0, 'f', 1)
               .arg(page.floor, 0, 'f', 1)
               .arg(page.step - page.floor, 0, 'f', 1);
    return shown == Movements ? 0 : 1;
}
