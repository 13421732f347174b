#include <QProcess>
#include <QtTest>
#include <unistd.h>

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QString m_name = QStringLiteral("kalvero-test-%1").arg(getpid());

    static void start(QProcess &p, const QString &name) {
        p.start(QStringLiteral(SINGLE_INSTANCE_PROBE), {name});
        QVERIFY(p.waitForStarted());
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
