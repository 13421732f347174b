// The pieces of the office set-up that need neither root nor systemd: the
// edit of firebird.conf's listener and the workstation's server address, each
// changing nothing when run a second time.
#include "app/install/FirebirdConf.h"
#include "app/install/InstallFolderBuilder.h"
#include "app/install/OfficeServerSetup.h"
#include "app/install/WorkstationAddress.h"
#include "data/ProgramPaths.h"
#include "data/session/ServerAddress.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace kalvero;

class OfficeSetupTest : public QObject {
    Q_OBJECT

private slots:
    void bindAddress_data() {
        QTest::addColumn<QString>("conf");
        QTest::addColumn<QString>("bound");
        QTest::newRow("Debian's default") << "# comment\nRemoteBindAddress = localhost\nRemoteServicePort = 3050\n"
                                          << "localhost";
        QTest::newRow("commented out") << "#RemoteBindAddress = localhost\n" << "";
        QTest::newRow("empty value") << "RemoteBindAddress =\n" << "";
        QTest::newRow("absent") << "DefaultDbCachePages = 2048\n" << "";
        QTest::newRow("trailing comment, case") << "  remotebindaddress = 10.0.0.5 # office\n" << "10.0.0.5";
        QTest::newRow("the last line wins") << "RemoteBindAddress = localhost\nRemoteBindAddress =\n" << "";
        QTest::newRow("the last line wins, bound") << "RemoteBindAddress =\nRemoteBindAddress = 127.0.0.1\n" << "127.0.0.1";
    }
    void bindAddress() {
        QFETCH(QString, conf);
        QFETCH(QString, bound);
        QCOMPARE(FirebirdConf::boundAddress(conf), bound);
        const QString edited = FirebirdConf::listenOnEveryInterface(conf);
        QCOMPARE(FirebirdConf::boundAddress(edited), QString());
        // Nothing bound: the text is left as it is; a second edit changes nothing.
        if (bound.isEmpty())
            QCOMPARE(edited, conf);
        QCOMPARE(FirebirdConf::listenOnEveryInterface(edited), edited);
        // Only the binding lines change; the others are kept in their order.
        QCOMPARE(edited.count(QLatin1Char('\n')), conf.count(QLatin1Char('\n')));
        QVERIFY(edited.contains(QStringLiteral("RemoteServicePort = 3050")) ||
                !conf.contains(QStringLiteral("RemoteServicePort")));
    }

    void workstationAddress() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/kalvero/");
        const QString file = ProgramPaths::serverAddressFile(folder);

        QVERIFY(WorkstationAddress::apply(folder, QStringLiteral("192.0.2.10")).startsWith(QStringLiteral("Wrote")));
        QCOMPARE(ReadServerAddress(folder), QStringLiteral("192.0.2.10"));
        const QDateTime written = QFileInfo(file).lastModified();

        QVERIFY(WorkstationAddress::apply(folder, QStringLiteral("192.0.2.10")).contains(QStringLiteral("nothing changed")));
        QCOMPARE(QFileInfo(file).lastModified(), written);

        // An earlier address, also one on an earlier line, gives way to the new one alone.
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("192.0.2.10\r\nservidor\r\n");
        f.close();
        QVERIFY(WorkstationAddress::apply(folder, QStringLiteral("192.0.2.10")).startsWith(QStringLiteral("Wrote")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("192.0.2.10\r\n"));
        f.close();

        QVERIFY_THROWS_EXCEPTION(InstallError, WorkstationAddress::apply(folder, QStringLiteral(" ")));
    }

    // A workstation whose network died is dropped by the server within a
    // minute (so the rows it held are free again); the settings are written
    // once and applied, and a failure to apply them is an error.
    void deadWorkstationsAreDroppedWithinAMinute() {
        QMap<QString, int> settings;
        for (const QString &line : OfficeServerSetup::keepaliveSettings().split(QLatin1Char('\n')))
            if (!line.startsWith(QLatin1Char('#')) && line.contains(QLatin1Char('=')))
                settings[line.section(QLatin1Char('='), 0, 0).trimmed()] = line.section(QLatin1Char('='), 1).trimmed().toInt();
        const int seconds = settings.value(QStringLiteral("net.ipv4.tcp_keepalive_time")) +
                            settings.value(QStringLiteral("net.ipv4.tcp_keepalive_intvl")) *
                                settings.value(QStringLiteral("net.ipv4.tcp_keepalive_probes"));
        QVERIFY2(seconds > 0 && seconds <= 60, qPrintable(QString::number(seconds)));

        QTemporaryDir dir;
        OfficeServerOptions options;
        options.sysctlFile = dir.filePath(QStringLiteral("60-kalvero.conf"));
        options.sysctlProgram = QStringLiteral("true");
        QStringList said;
        OfficeServerSetup setup(options, [&](const QString &s) { said << s; }, [](const QString &) { return true; });
        QVERIFY(setup.releaseDeadWorkstationsSoon());
        QVERIFY(!setup.releaseDeadWorkstationsSoon());
        QVERIFY(said.last().contains(QStringLiteral("unchanged")));
        QFile written(options.sysctlFile);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()), OfficeServerSetup::keepaliveSettings());

        options.sysctlFile = dir.filePath(QStringLiteral("other.conf"));
        options.sysctlProgram = QStringLiteral("false");
        OfficeServerSetup refused(options, [](const QString &) {}, [](const QString &) { return true; });
        QVERIFY_THROWS_EXCEPTION(InstallError, refused.releaseDeadWorkstationsSoon());
    }

    // The SYSDBA password probe against the test server, whose password the
    // scripts set to the program's: taken, although the server refuses the
    // security database over the network. Unanswered: an error, not a "no".
    void passwordProbe() {
        const QString server = qEnvironmentVariable("KALVERO_TEST_SERVER");
        if (server.isEmpty())
            QSKIP("the probe needs the test server: tst_office_setup_server runs it");
        QVERIFY(OfficeServerSetup::serverAcceptsPassword(server, QStringLiteral("/var/lib/firebird/3.0/system/security3.fdb")));
        QVERIFY_THROWS_EXCEPTION(InstallError, OfficeServerSetup::serverAcceptsPassword(
                                                   QStringLiteral("127.0.0.1/3999"), QStringLiteral("/nowhere.fdb")));
    }
};

QTEST_GUILESS_MAIN(OfficeSetupTest)
#include "tst_office_setup.moc"
