#include "TestDatabase.h"

#include "data/ProgramPaths.h"
#include "data/session/ServerAddress.h"
#include "data/session/StateNames.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace kalvero;

class SessionRulesTest : public QObject {
    Q_OBJECT

private slots:
    void serverAddressIsTheLastLine_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("address");
        QTest::newRow("one line") << QByteArray("10.0.0.1\r\n") << "10.0.0.1";
        QTest::newRow("no final line ending") << QByteArray("servidor") << "servidor";
        QTest::newRow("two lines, CR LF") << QByteArray("10.0.0.1\r\n10.0.0.2\r\n") << "10.0.0.2";
        QTest::newRow("two lines, LF") << QByteArray("10.0.0.1\n10.0.0.2") << "10.0.0.2";
        QTest::newRow("empty line at the end") << QByteArray("10.0.0.1\r\n\r\n") << "";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("blanks kept") << QByteArray(" localhost \r\n") << " localhost ";
    }
    void serverAddressIsTheLastLine() {
        QFETCH(QByteArray, content);
        QFETCH(QString, address);
        test::ScratchFolder scratch;
        QVERIFY(QDir().mkpath(ProgramPaths::configFolder(scratch.path())));
        QFile file(ProgramPaths::serverAddressFile(scratch.path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(ReadServerAddress(scratch.path()), address);
    }

    void aMissingFileRaisesWithTheSystemsText() {
        test::ScratchFolder scratch;
        try {
            ReadServerAddress(scratch.path());
            QFAIL("no failure");
        } catch (const FileError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("ipServidor.ini")), qPrintable(e.text()));
            QVERIFY2(e.text().contains(QStringLiteral("No such file")), qPrintable(e.text()));
        }
    }

    void stateWording_data() {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("wording");  // "-" for none
        QTest::newRow("da") << "PARAÍBA" << "ESTADO DA PARAÍBA";
        QTest::newRow("da, Bahia") << "BAHIA" << "ESTADO DA BAHIA";
        QTest::newRow("de") << "SÃO PAULO" << "ESTADO DE SÃO PAULO";
        QTest::newRow("de, as the list writes it") << "RODÔNIA" << "ESTADO DE RODÔNIA";
        QTest::newRow("do") << "PIAUÍ" << "ESTADO DO PIAUÍ";
        QTest::newRow("do, longest name") << "MATO GROSSO DO SUL" << "ESTADO DO MATO GROSSO DO SUL";
        QTest::newRow("federal district") << "DISTRITO FEDERAL" << "DISTRITO FEDERAL";
        QTest::newRow("empty") << "" << "ESTADO DE ";
        QTest::newRow("lower case") << "piauí" << "-";
        QTest::newRow("without accent") << "PIAUI" << "-";
        QTest::newRow("trailing blank") << "BAHIA " << "-";
    }
    void stateWording() {
        QFETCH(QString, estado);
        QFETCH(QString, wording);
        const auto text = StateTextFor(estado);
        if (wording == QLatin1String("-"))
            QVERIFY(!text.has_value());
        else
            QCOMPARE(text.value_or(QStringLiteral("<none>")), wording);
    }
};

QTEST_GUILESS_MAIN(SessionRulesTest)
#include "tst_session_rules.moc"
