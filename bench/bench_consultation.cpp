// "Consulta de Protocolos" over three work units of 100,000 protocols each
// (copies of the benchmark database), each search against its floor:
//   - a label's barcode and a CPF against the sum of the raw fetches of the
//     search statement in the three units (the answer needs all three);
//   - a part of a name against the raw fetch of the slowest unit (the units
//     are searched side by side).
// The searches run on the connections a screen keeps; the floor's fetches on
// connections opened beforehand. The unit copies first get the indexes of
// the schema upgrade, as the main window gives them to older databases.
// Usage: kalvero_bench_consultation <folder holding UN01, UN02, UN03> [server address]
#include "BenchTiming.h"
#include "RawFetch.h"
#include "consultation/ConsultationStore.h"
#include "data/firebird/Connection.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "reports/LumQRBarCode.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <memory>

using namespace kalvero;

namespace {

QString withoutAccents(const QString &text) {
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out;
}

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: kalvero_bench_consultation <folder holding UN01, UN02, UN03> [server address]\n";
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const QString server = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    out << "Engine: " << (server.isEmpty() ? QStringLiteral("embedded") : QStringLiteral("server ") + server) << "\n";

    QVector<WorkUnit> units;
    std::vector<std::unique_ptr<Connection>> floorConnections;
    for (const char *code : {"01", "02", "03"}) {
        WorkUnit unit;
        unit.code = QString::fromLatin1(code);
        unit.name = QStringLiteral("UNIDADE ") + unit.code;
        unit.folder = folder + QStringLiteral("UN") + unit.code + QLatin1Char('/');
        unit.databaseName = WorkUnitList::unitDatabaseName(server, unit.folder);
        if (!QFile::exists(unit.folder + QStringLiteral("DBPROTOCOLO.FDB"))) {
            out << "missing " << unit.folder << "DBPROTOCOLO.FDB\n";
            return 2;
        }
        units << unit;
        auto c = std::make_unique<Connection>();
        c->setDatabaseName(unit.databaseName);
        out << "Unit " << unit.code << ": " << EnsureTemplateIndexes(*c) << " index(es) made by the upgrade\n";
        floorConnections.push_back(std::move(c));
    }

    // A protocol of the middle of unit 02, its requester's CPF and name.
    Connection &probe = *floorConnections.at(1);
    RecordSet pick(QStringLiteral("pick"));
    pick.setConnection(&probe);
    pick.openWith(QStringLiteral("select first 1 skip 50000 p.IDPROTOCOLO, p.ANO, s.NOME from TBPROTOCOLO p "
                                 "join TBSOLICITANTE s on s.IDSOLICITANTE = p.SOLICITANTE order by p.ANO, p.IDPROTOCOLO"));
    const QString number = pick.field(QStringLiteral("IDPROTOCOLO")).asString();
    const QString year = pick.field(QStringLiteral("ANO")).asString();
    const QString name = withoutAccents(pick.field(QStringLiteral("NOME")).asString()).toLower();
    pick.openWith(QStringLiteral("select first 1 skip 100 s.CPF from TBSOLICITANTE s where s.CPF is not null and "
                                 "exists (select 1 from TBPROTOCOLO p where p.SOLICITANTE = s.IDSOLICITANTE)"));
    const QString cpf = pick.field(QStringLiteral("CPF")).asString();
    pick.close();

    const QString label = TLumQRBarCode::DigitosEAN13(number + year);
    const QString punctuatedCpf = cpf.left(3) + '.' + cpf.mid(3, 3) + '.' + cpf.mid(6, 3) + '-' + cpf.mid(9);
    struct Case {
        QString what;
        QString typed;
        bool sumOfUnits;  // floor: the sum of the units' fetches; otherwise the slowest unit's
    };
    const std::vector<Case> cases = {
        {QStringLiteral("label ") + label + QStringLiteral(" (") + number + '/' + year + ')', label, true},
        {QStringLiteral("CPF ") + punctuatedCpf, punctuatedCpf, true},
        {QStringLiteral("name part \"") + name + '"', name, false},
    };

    UnitConnections kept;
    const int runs = 9;
    out << QStringLiteral("%1 %2 %3 %4 %5\n")
               .arg(QStringLiteral("Search"), -44)
               .arg(QStringLiteral("found"), 7)
               .arg(QStringLiteral("search ms"), 10)
               .arg(QStringLiteral("floor ms"), 10)
               .arg(QStringLiteral("ratio"), 6);
    bool within = true;
    for (const Case &c : cases) {
        const ConsultationInput input = ConsultationInput::read(c.typed);
        if (!input.searchable()) {
            out << c.what << ": not searchable: " << input.message << "\n";
            return 1;
        }
        int found = 0;
        for (const UnitAnswer &a : ConsultationStore::searchUnits(units, input, &kept)) {  // warm: attach, prepare
            if (!a.failure.isEmpty()) {
                out << "unit " << a.unit.code << ": " << a.failure << "\n";
                return 1;
            }
            found += a.protocols.size();
        }
        const double search = medianMs(runs, [&] { ConsultationStore::searchUnits(units, input, &kept); });

        const auto [statement, values] = ConsultationStore::statementOf(input);
        double sum = 0;
        double slowest = 0;
        for (auto &connection : floorConnections) {
            RawFetch raw(*connection, statement, values);
            raw.run();
            const double t = medianMs(runs, [&] { raw.run(); });
            sum += t;
            slowest = std::max(slowest, t);
        }
        const double floor = c.sumOfUnits ? sum : slowest;
        const double ratio = search / floor;
        within = within && ratio <= 1.5;
        out << QStringLiteral("%1 %2 %3 %4 %5\n")
                   .arg(c.what, -44)
                   .arg(found, 7)
                   .arg(search, 10, 'f', 2)
                   .arg(floor, 10, 'f', 2)
                   .arg(ratio, 6, 'f', 2);
    }
    out << (within ? "All searches within 1.5x of their floor.\n" : "A search is beyond 1.5x of its floor.\n");
    for (auto &connection : floorConnections)
        connection->close();
    return 0;
}
