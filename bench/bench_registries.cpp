// The requester registry's name search on the benchmark database (50,000
// requesters): from a keystroke in the name search box to the list's model
// holding the new rows, against a raw fetch of the same statement; and the
// search that ignores accents and case against the plain LIKE it replaced.
// Usage: kalvero_bench_registries <database file> [server address]
#include "BenchArguments.h"
#include "BenchTiming.h"
#include "RawFetch.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "data/records/LikePattern.h"
#include "data/session/SessionState.h"
#include "registries/TCAD_Solicitantes.h"
#include "ui/RecordGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>

using namespace kalvero;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const auto arguments =
        BenchArguments::read(argc, argv, "kalvero_bench_registries <seeded database file> [server address]", true);
    if (!arguments)
        return 2;
    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(arguments->databaseName());
    TUDMCadastro cadastro(dm);
    SessionState session;
    TCAD_Solicitantes screen(cadastro, session);
    screen.show();
    QApplication::processEvents();
    RecordSet &list = cadastro.cdsTBSolicitante;
    const QAbstractItemModel *model = screen.findChild<QAbstractItemView *>(QStringLiteral("DBGrid1"))->model();
    auto *nameSearch = screen.findChild<QLineEdit *>(QStringLiteral("edtConsultaNome"));

    out << "Engine: " << arguments->engine() << "\n";
    const QString statement = RequesterStatements::nameContaining();
    const int runs = 15;
    // Each run starts from the whole list (an empty box) and types one key.
    for (const QString &typed : {QStringLiteral("M"), QStringLiteral("MARIA")}) {
        const QString before = typed.left(typed.size() - 1);
        const QChar key = typed.back();
        RawFetch raw(dm.MDatabasePrincipal, statement, LikePattern::containing(typed));
        raw.run();
        qint64 rows = 0;
        auto keystroke = [&] {
            nameSearch->setText(before);
            QApplication::processEvents();
            const double ms = elapsedMs([&] { QTest::keyClick(nameSearch, key.toLatin1()); });
            rows = model->rowCount();
            return ms;
        };
        // Alternated, so that both see the engine in the same state.
        std::vector<double> searches, fetches;
        for (int i = 0; i < runs; ++i) {
            searches.push_back(keystroke());
            fetches.push_back(elapsedMs([&] { raw.run(); }));
        }
        std::sort(searches.begin(), searches.end());
        std::sort(fetches.begin(), fetches.end());
        const double search = searches[searches.size() / 2];
        const double fetch = fetches[fetches.size() / 2];
        if (rows != list.recordCount() || rows != raw.run()) {
            out << "row counts differ\n";
            return 1;
        }
        out << QStringLiteral("Name search \"%1\" (%2 rows): keystroke to model %3 ms, raw fetch %4 ms, ratio %5\n")
                   .arg(typed)
                   .arg(rows)
                   .arg(search, 0, 'f', 1)
                   .arg(fetch, 0, 'f', 1)
                   .arg(search / fetch, 0, 'f', 2);
    }
    // Accents and case ignored (the column under UNICODE_CI_AI) against the
    // plain LIKE of before, raw fetches alternated on the same engine.
    const QString plain = QStringLiteral("select * from TBSOLICITANTE where %1 order by NOME")
                              .arg(LikePattern::condition(QStringLiteral("NOME"), 80));
    for (const QString &typed : {QStringLiteral("M"), QStringLiteral("MARIA"), QStringLiteral("JOAO")}) {
        RawFetch before(dm.MDatabasePrincipal, plain, LikePattern::containing(typed));
        RawFetch now(dm.MDatabasePrincipal, statement, LikePattern::containing(typed));
        const qint64 beforeRows = before.run(), nowRows = now.run();
        std::vector<double> plainTimes, readingTimes;
        for (int i = 0; i < runs; ++i) {
            plainTimes.push_back(elapsedMs([&] { before.run(); }));
            readingTimes.push_back(elapsedMs([&] { now.run(); }));
        }
        std::sort(plainTimes.begin(), plainTimes.end());
        std::sort(readingTimes.begin(), readingTimes.end());
        out << QStringLiteral("Name search \"%1\": accents and case ignored %2 ms (%3 rows), plain LIKE %4 ms "
                              "(%5 rows), ratio %6\n")
                   .arg(typed)
                   .arg(readingTimes[runs / 2], 0, 'f', 1)
                   .arg(nowRows)
                   .arg(plainTimes[runs / 2], 0, 'f', 1)
                   .arg(beforeRows)
                   .arg(readingTimes[runs / 2] / plainTimes[runs / 2], 0, 'f', 2);
    }
    screen.close();
    return 0;
}
