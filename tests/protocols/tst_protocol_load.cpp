#include "TestDatabase.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace kalvero;

namespace {

int fromEnvironment(const char *name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

double quantile(std::vector<double> sorted, double q) {
    if (sorted.empty())
        return 0;
    std::sort(sorted.begin(), sorted.end());
    const size_t at = std::min(sorted.size() - 1, size_t(q * double(sorted.size() - 1) + 0.5));
    return sorted[at];
}

struct Desk {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QStringList lines() const {
        return QString::fromUtf8(process->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

}  // namespace

// Eight desks, each a process with its own connection, save protocols of one
// year at the same time while a ninth cancels protocols at random: every save
// succeeds, the year's numbers run without a gap or a repeat, every protocol
// has its documents, and every cancellation stays. The time of each save is
// printed (median, p99, slowest): the figures of the many-desks claim.
//
// KALVERO_LOAD_SAVES (default 100) saves per desk flat out and
// KALVERO_LOAD_PACED_SAVES (default 10) at a clerk's pace (0-2 s between
// saves); scripts/load.sh runs the long form.
class ProtocolLoadTest : public QObject {
    Q_OBJECT

    void runDesks(const char *title, int desks, int eachDesk, const QString &pause) {
        test::ScratchFolder folder;
        const QString database = test::createUnitDatabase(folder);
        test::executeOn(database, "insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')");
        test::executeOn(database, "insert into TBASSUNTO values (1, 'ALVARA')");
        test::executeOn(database, "insert into TBASSUNTO_DOCUMENTOS values (1, 'RG', 1)");
        test::executeOn(database, "insert into TBASSUNTO_DOCUMENTOS values (2, 'CPF', 1)");
        const QString stopFile = folder.file(QStringLiteral("stop"));

        QElapsedTimer clock;
        clock.start();
        std::vector<Desk> saving(static_cast<size_t>(desks));
        for (int d = 0; d < desks; ++d) {
            QStringList args{database, QString::number(d + 1), QString::number(eachDesk)};
            if (!pause.isEmpty())
                args << QStringLiteral("--pause-ms") << pause;
            saving[size_t(d)].process->start(QStringLiteral(PROTOCOL_LOAD_WORKER), args);
            QVERIFY2(saving[size_t(d)].process->waitForStarted(), qPrintable(saving[size_t(d)].process->errorString()));
        }
        Desk cancelling;
        cancelling.process->start(QStringLiteral(PROTOCOL_LOAD_WORKER),
                                  {database, QStringLiteral("C"), QStringLiteral("--cancel"), stopFile});
        QVERIFY(cancelling.process->waitForStarted());

        std::vector<double> times;
        int turns = 0;
        for (Desk &desk : saving) {
            QVERIFY2(desk.process->waitForFinished(30 * 60 * 1000), "a desk did not finish");
            QVERIFY2(desk.process->exitCode() == 0, desk.process->readAllStandardError().constData());
            int saved = 0;
            for (const QString &line : desk.lines()) {
                const QStringList f = line.split(QLatin1Char(' '));
                if (f.value(0) == QLatin1String("SAVE")) {
                    times.push_back(f.value(2).toDouble());
                    turns += f.value(3).toInt();
                    ++saved;
                }
            }
            QCOMPARE(saved, eachDesk);
        }
        const double wall = clock.elapsed() / 1000.0;
        QFile stop(stopFile);
        QVERIFY(stop.open(QIODevice::WriteOnly));
        stop.close();
        QVERIFY(cancelling.process->waitForFinished(60 * 1000));
        QCOMPARE(cancelling.process->exitCode(), 0);
        QStringList cancelled;
        for (const QString &line : cancelling.lines())
            if (line.startsWith(QLatin1String("CANCEL ")))
                cancelled << line.mid(7);

        const int total = desks * eachDesk;
        const QString counts = test::scalarOn(database,
                                              "select count(*) || ' ' || count(distinct IDPROTOCOLO) || ' ' || "
                                              "min(IDPROTOCOLO) || ' ' || max(IDPROTOCOLO) from TBPROTOCOLO where ANO = '2014'")
                                   .toString();
        QCOMPARE(counts, QStringLiteral("%1 %1 00001 %2").arg(total).arg(total, 5, 10, QLatin1Char('0')));
        for (int d = 1; d <= desks; ++d)
            QCOMPARE(test::scalarOn(database, "select count(*) from TBPROTOCOLO where DESCRICAO starting with ?",
                                    {QStringLiteral("MESA %1 ").arg(d)})
                         .toInt(),
                     eachDesk);
        QCOMPARE(test::scalarOn(database, "select count(*) from TBDOCUMENTOS").toInt(), 2 * total);
        QCOMPARE(test::scalarOn(database, "select count(*) from TBPROTOCOLO p where (select count(*) from TBDOCUMENTOS d "
                                          "where d.IDPROTOCOLO = p.IDPROTOCOLO and d.ANO = p.ANO) <> 2")
                     .toInt(),
                 0);
        QCOMPARE(test::scalarOn(database, "select count(*) from TBPROTOCOLO where STATUS = '1'").toInt(),
                 int(cancelled.size()));
        for (const QString &number : cancelled)
            QVERIFY2(test::scalarOn(database, "select STATUS from TBPROTOCOLO where IDPROTOCOLO = ? and ANO = '2014'",
                                    {number})
                             .toString() == QLatin1String("1"),
                     qPrintable(number));

        qInfo("%s: %d desks x %d saves (+1 desk cancelling, %d cancelled): wall %.1f s, median %.1f ms, p99 %.1f ms, "
              "slowest %.1f ms; turns waited %d",
              title, desks, eachDesk, int(cancelled.size()), wall, quantile(times, 0.5), quantile(times, 0.99),
              quantile(times, 1.0), turns);
    }

private slots:
    void eightDesksFlatOut() {
        runDesks("flat out", 8, fromEnvironment("KALVERO_LOAD_SAVES", 100), QString());
    }
    void eightDesksAtAClerksPace() {
        runDesks("desk pace", 8, fromEnvironment("KALVERO_LOAD_PACED_SAVES", 10), QStringLiteral("0-2000"));
    }
};

QTEST_GUILESS_MAIN(ProtocolLoadTest)
#include "tst_protocol_load.moc"
