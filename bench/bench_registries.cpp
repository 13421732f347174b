// The requester registry's name search on the benchmark database (50,000
// requesters): from a keystroke in the name search box to the list's model
// holding the new rows, against a raw fetch of the same statement.
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
    screen.close();
    return 0;
}
