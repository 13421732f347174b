#include "app/shell/SingleInstance.h"

#include <QProcess>
#include <QtTest>
#include <unistd.h>

using kalvero::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QString m_name = QStringLiteral("kalvero-test-%1").arg(getpid());

    static void start(QProcess &p, const QString &name) {
        p.start(QStringLiteral(SINGLE_INSTANCE_PROBE), {name});
        QVERIFY(p.waitForStarted());
    }
    // The program's own name, in a desktop session of the test's own, so
    // that a program the user runs is never met.
    static void startInSession(QProcess &p, const QString &session) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_SESSION_ID"), session);
        p.setProcessEnvironment(environment);
        start(p, QStringLiteral("--standard"));
    }
    static QProcessEnvironment environmentOf(const QString &assignments) {
        QProcessEnvironment environment;
        for (const QString &assignment : assignments.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            environment.insert(assignment.section(QLatin1Char('='), 0, 0), assignment.section(QLatin1Char('='), 1));
        return environment;
    }

private slots:
    void aSecondStartRaisesTheFirstAndEnds() {
        QProcess first;
        start(first, m_name);
        QVERIFY(first.waitForReadyRead(10000));
        QCOMPARE(first.readLine().trimmed(), QByteArray("first"));

        QProcess second;
        start(second, m_name);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("second"));
        QCOMPARE(second.exitCode(), 3);

        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("raised"));
        QCOMPARE(first.exitCode(), 0);
    }

    // The same user in two desktop sessions runs a program in each; a second
    // start in one session raises that session's program only.
    void oneProgramPerDesktopSession() {
        const QString one = QStringLiteral("kvtest%1a").arg(getpid());
        const QString other = QStringLiteral("kvtest%1b").arg(getpid());
        QProcess first;
        startInSession(first, one);
        QVERIFY(first.waitForReadyRead(10000));
        QCOMPARE(first.readLine().trimmed(), QByteArray("first"));

        QProcess otherSession;
        startInSession(otherSession, other);
        QVERIFY(otherSession.waitForReadyRead(10000));
        QCOMPARE(otherSession.readLine().trimmed(), QByteArray("first"));

        QProcess second;
        startInSession(second, one);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("second"));
        QCOMPARE(second.exitCode(), 3);
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("raised"));

        QCOMPARE(otherSession.state(), QProcess::Running);  // not raised, still running
        otherSession.kill();
        otherSession.waitForFinished(10000);
    }

    // Which environments are one desktop session: the login session decides;
    // without one, the display does.
    void theSessionComesFromTheEnvironment_data() {
        QTest::addColumn<QString>("one");
        QTest::addColumn<QString>("other");
        QTest::addColumn<bool>("same");
        QTest::newRow("two login sessions") << "XDG_SESSION_ID=3 DISPLAY=:0" << "XDG_SESSION_ID=4 DISPLAY=:0" << false;
        QTest::newRow("one session, X and Wayland beside")
            << "XDG_SESSION_ID=3 DISPLAY=:0" << "XDG_SESSION_ID=3 WAYLAND_DISPLAY=wayland-0 DISPLAY=:1" << true;
        QTest::newRow("no session, two X displays") << "DISPLAY=:0" << "DISPLAY=:1" << false;
        QTest::newRow("no session, two Wayland displays")
            << "WAYLAND_DISPLAY=wayland-0 DISPLAY=:0" << "WAYLAND_DISPLAY=wayland-1 DISPLAY=:0" << false;
        QTest::newRow("a session and a display of the same text") << "XDG_SESSION_ID=0" << "DISPLAY=0" << false;
        QTest::newRow("no desktop at all") << "" << "" << true;
        QTest::newRow("a display given as a path")
            << "WAYLAND_DISPLAY=/run/user/1000/wayland-0" << "WAYLAND_DISPLAY=/run/user/1000/wayland-1" << false;
    }
    void theSessionComesFromTheEnvironment() {
        QFETCH(QString, one);
        QFETCH(QString, other);
        QFETCH(bool, same);
        const QString a = SingleInstance::standardName(environmentOf(one));
        const QString b = SingleInstance::standardName(environmentOf(other));
        QCOMPARE(a == b, same);
        for (const QString &name : {a, b}) {
            QVERIFY2(name.startsWith(QStringLiteral("kalvero-protocolo-%1").arg(getuid())), qPrintable(name));
            QVERIFY2(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char(':')), qPrintable(name));
        }
    }

    void aStartAfterAnUncleanEndRunsAlone() {
        QProcess crashed;
        start(crashed, m_name);
        QVERIFY(crashed.waitForReadyRead(10000));
        crashed.kill();  // leaves its socket behind
        QVERIFY(crashed.waitForFinished(10000));

        QProcess next;
        start(next, m_name);
        QVERIFY(next.waitForReadyRead(10000));
        QCOMPARE(next.readLine().trimmed(), QByteArray("first"));
        next.kill();
        next.waitForFinished(10000);
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
