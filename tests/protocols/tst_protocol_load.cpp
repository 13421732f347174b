#include "TestDatabase.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <memory>
#include <vector>

using namespace kalvero;

// Four desks, each a process with its own connection, save protocols of one
// year at the same time: every save succeeds and the year's numbers run
// without a gap or a repeat.
class ProtocolLoadTest : public QObject {
    Q_OBJECT

private slots:
    void fourDesksNumberOneYearWithoutGapOrRepeat() {
        constexpr int Desks = 4;
        constexpr int EachDesk = 250;
        test::ScratchFolder folder;
        const QString database = test::createUnitDatabase(folder);
        test::executeOn(database, "insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')");
        test::executeOn(database, "insert into TBASSUNTO values (1, 'ALVARA')");
        test::executeOn(database, "insert into TBASSUNTO_DOCUMENTOS values (1, 'RG', 1)");
        test::executeOn(database, "insert into TBASSUNTO_DOCUMENTOS values (2, 'CPF', 1)");

        QElapsedTimer clock;
        clock.start();
        std::vector<std::unique_ptr<QProcess>> desks;
        for (int d = 1; d <= Desks; ++d) {
            auto process = std::make_unique<QProcess>();
            process->start(QStringLiteral(PROTOCOL_LOAD_WORKER),
                           {database, QString::number(d), QString::number(EachDesk)});
            QVERIFY2(process->waitForStarted(), qPrintable(process->errorString()));
            desks.push_back(std::move(process));
        }
        int retries = 0;
        int mostInOneSave = 0;
        for (int d = 0; d < Desks; ++d) {
            QProcess &process = *desks[size_t(d)];
            QVERIFY2(process.waitForFinished(15 * 60 * 1000), "a desk did not finish");
            const QStringList figures = QString::fromUtf8(process.readAllStandardOutput()).split(' ');
            QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
            QCOMPARE(figures.value(0).trimmed().toInt(), EachDesk);
            retries += figures.value(1).trimmed().toInt();
            mostInOneSave = std::max(mostInOneSave, figures.value(2).trimmed().toInt());
        }
        const qint64 elapsed = clock.elapsed();

        const QString counts = test::scalarOn(database,
                                              "select count(*) || ' ' || count(distinct IDPROTOCOLO) || ' ' || "
                                              "min(IDPROTOCOLO) || ' ' || max(IDPROTOCOLO) from TBPROTOCOLO where ANO = '2014'")
                                   .toString();
        QCOMPARE(counts, "1000 1000 00001 01000");
        for (int d = 1; d <= Desks; ++d)
            QCOMPARE(test::scalarOn(database, "select count(*) from TBPROTOCOLO where DESCRICAO starting with ?",
                                    {QStringLiteral("MESA %1 ").arg(d)})
                         .toInt(),
                     EachDesk);
        QCOMPARE(test::scalarOn(database, "select count(*) from TBDOCUMENTOS").toInt(), 2 * Desks * EachDesk);
        qInfo("%d protocols by %d desks in %.1f s; numbers found taken and retried: %d, at most %d in one save",
              Desks * EachDesk, Desks, elapsed / 1000.0, retries, mostInOneSave);
    }
};

QTEST_GUILESS_MAIN(ProtocolLoadTest)
#include "tst_protocol_load.moc"
