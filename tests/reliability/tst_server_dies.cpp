#include "DeskJournal.h"
#include "LocalServer.h"
#include "TestDatabase.h"
#include "Workstation.h"

#include "data/Clock.h"
#include "data/Failure.h"
#include "data/firebird/Connection.h"
#include "data/firebird/FailureWords.h"
#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"
#include "protocols/ProtocolStore.h"

#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace kalvero;
using namespace kalvero::test;

namespace {

// Runs a command to its end; its output on failure.
QString run(const QString &program, const QStringList &args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
               QString::fromLocal8Bit(p.readAll());
    return QString();
}

// A network namespace for desk processes that reaches the local server
// through a virtual cable, which the test can unplug; a relay on the cable's
// server end hands the connections to the server, which listens on the
// loopback only.
struct CableToServer {
    QString ns = QStringLiteral("kalvero-cut-%1").arg(::getpid());
    QString hostEnd = QStringLiteral("kvc%1h").arg(::getpid() % 100000);
    QString deskEnd = QStringLiteral("kvc%1d").arg(::getpid() % 100000);
    bool made = false;
    QString failure;
    QProcess relay;

    CableToServer() {
        const QString ip = QStringLiteral("ip");
        if (!run(ip, {"netns", "add", ns}).isEmpty())
            return;
        made = true;
        for (const QStringList &step : {
                 QStringList{"link", "add", hostEnd, "type", "veth", "peer", "name", deskEnd},
                 QStringList{"link", "set", deskEnd, "netns", ns},
                 QStringList{"addr", "add", "10.213.7.1/30", "dev", hostEnd},
                 QStringList{"link", "set", hostEnd, "up"},
                 QStringList{"netns", "exec", ns, "ip", "addr", "add", "10.213.7.2/30", "dev", deskEnd},
                 QStringList{"netns", "exec", ns, "ip", "link", "set", deskEnd, "up"},
                 QStringList{"netns", "exec", ns, "ip", "link", "set", "lo", "up"},
             }) {
            failure = run(ip, step);
            if (!failure.isEmpty())
                return;
        }
        relay.start(QStringLiteral("socat"), {QStringLiteral("TCP-LISTEN:3050,bind=10.213.7.1,fork,reuseaddr"),
                                              QStringLiteral("TCP:127.0.0.1:3050")});
        if (!relay.waitForStarted()) {
            failure = QStringLiteral("socat is needed for the network cut");
            return;
        }
        QThread::msleep(300);
    }
    ~CableToServer() {
        if (relay.state() != QProcess::NotRunning) {
            relay.kill();
            relay.waitForFinished();
        }
        if (made) {
            run(QStringLiteral("ip"), {"link", "del", hostEnd});
            run(QStringLiteral("ip"), {"netns", "del", ns});
        }
    }
    QStringList launcher() const { return {QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("exec"), ns}; }
    QString databaseOverCable(const QString &database) const {
        return QStringLiteral("10.213.7.1:") + DatabaseTarget::parse(database).path;
    }
    bool unplug() { return run(QStringLiteral("ip"), {"link", "set", hostEnd, "down"}).isEmpty(); }
    bool plugIn() { return run(QStringLiteral("ip"), {"link", "set", hostEnd, "up"}).isEmpty(); }
};

// A desk process entering protocols and movements, and what it said.
struct Desk {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QByteArray output;

    void take() { output += process->readAllStandardOutput(); }
    int saved() {
        take();
        return int(output.count("\nSAVED ") + (output.startsWith("SAVED ") ? 1 : 0));
    }
};

}  // namespace

// The office server dies, or the network to it is cut, while desks are
// saving protocols with their documents and movements through the screens'
// own save routines. Nothing reported as saved may be missing, nothing may
// be there twice, no protocol may lack documents, every refusal has its
// message, and the desks go on once the server is back.
class ServerDiesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchFolder> folder;
    QString database;
    QString stopFile;
    std::vector<Desk> desks;

    // Starts `count` desk processes, each through `launcher` (empty: directly).
    void startDesks(int count, const QString &databaseName, const QStringList &launcher = {}) {
        for (int i = 1; i <= count; ++i) {
            Desk desk;
            QStringList args = launcher;
            args << QStringLiteral(DESK_WORKER) << databaseName << QString::number(i) << QStringLiteral("--stop-file")
                 << stopFile << QStringLiteral("--pause-ms") << QStringLiteral("0-40") << QStringLiteral("--cancel-every")
                 << QStringLiteral("4");
            desk.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            desk.process->start(args.takeFirst(), args);
            QVERIFY2(desk.process->waitForStarted(), qPrintable(desk.process->errorString()));
            desks.push_back(std::move(desk));
        }
    }
    // Waits until every desk has reported `more` saves beyond what it had.
    void eachSavesMore(int more, int timeoutMs) {
        std::vector<int> from;
        for (Desk &d : desks)
            from.push_back(d.saved());
        for (std::size_t i = 0; i < desks.size(); ++i)
            QTRY_VERIFY_WITH_TIMEOUT(desks[i].saved() >= from[i] + more, timeoutMs);
    }
    // Stops the desks after their round and sets what they said against the database.
    void stopAndAudit() {
        QFile(stopFile).open(QIODevice::WriteOnly);
        DeskJournal journal;
        for (Desk &d : desks) {
            QVERIFY2(d.process->waitForFinished(180000), "a desk did not stop");
            d.take();
            QCOMPARE(d.process->exitStatus(), QProcess::NormalExit);
            QVERIFY2(d.process->exitCode() == 0, d.output.right(2000).constData());
            journal.read(d.output);
        }
        QVERIFY2(journal.refusalsWithoutMessage.isEmpty(), qPrintable(journal.refusalsWithoutMessage.join('\n')));
        // Each refusal says that the server or the line is gone, and whether
        // the save was made, in the desk's words.
        const DatabaseError lost(QStringLiteral("lost"), {FbCode::NetworkError, FbCode::NetReadError});
        const QStringList sayings{FailureWords::of(lost).text,
                                  FailureWords::of(lost.withSave(DatabaseError::Save::NotWritten)).text,
                                  FailureWords::of(lost.withSave(DatabaseError::Save::InDoubt)).text,
                                  FailureWords::of(DatabaseError(QStringLiteral("down"), {FbCode::NetworkError, FbCode::ConnectFailed})).text};
        for (auto it = journal.refusals.constBegin(); it != journal.refusals.constEnd(); ++it) {
            qInfo("refused %d times: %s", it.value(), qPrintable(journal.refusalExamples.value(it.key())));
            QVERIFY2(sayings.contains(it.key()), qPrintable(journal.refusalExamples.value(it.key())));
        }
        const DeskAudit audit = DeskAudit::of(database, journal, 3);
        qInfo("%d operations; %s", journal.operationCount(), qPrintable(audit.summary()));
        QVERIFY2(audit.clean(), qPrintable(audit.summary()));
        QVERIFY(audit.protocolsInDatabase > 0);
    }

private slots:
    void initTestCase() {
        if (!isServerSuite())
            QSKIP("only against the local server");
    }
    void init() {
        folder = std::make_unique<ScratchFolder>();
        database = createUnitDatabase(*folder);
        stopFile = folder->file(QStringLiteral("stop"));
        executeOn(database, QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
        executeOn(database, QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
        executeOn(database, QStringLiteral("insert into TBASSUNTO_DOCUMENTOS values (1, 'RG', 1)"));
        executeOn(database, QStringLiteral("insert into TBASSUNTO_DOCUMENTOS values (2, 'CPF', 1)"));
        executeOn(database, QStringLiteral("insert into TBASSUNTO_DOCUMENTOS values (3, 'PLANTA', 1)"));
        executeOn(database, QStringLiteral("insert into TBSETOR values (1, 'GABINETE')"));
        executeOn(database, QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (1, 'JOAO', 1)"));
    }
    void cleanup() {
        for (Desk &d : desks)
            if (d.process->state() != QProcess::NotRunning) {
                d.process->kill();
                d.process->waitForFinished();
            }
        desks.clear();
        // Never leave the suite without its server.
        if (!localServerAnswers())
            run(QStringLiteral("bash"), {QStringLiteral(SERVER_SCRIPT), QStringLiteral("start")});
        folder.reset();
    }

    // Twice in a run the server and its guard are killed outright and the
    // server is started again a few seconds later.
    void serverKilledMidWork() {
        startDesks(2, database);
        eachSavesMore(6, 60000);
        // A desk of this process, attached before the server dies.
        Workstation desk(database);
        ProtocolStore store(desk.cadastro);
        store.openLists();
        const QStringList documents = store.requiredDocumentNames(1);

        for (int kill = 1; kill <= 2; ++kill) {
            const pid_t server = localServerPid();
            const pid_t guard = parentOf(server);
            QVERIFY2(server > 0 && guard > 0, "the local server's pid file names no running server");
            QVERIFY2(::kill(guard, SIGKILL) == 0 && ::kill(server, SIGKILL) == 0,
                     "the test needs the rights to kill the local server");
            QTRY_VERIFY_WITH_TIMEOUT(!localServerAnswers(), 10000);
            QTest::qWait(3000);  // the desks keep pressing "&Gravar" meanwhile
            const QString started = run(QStringLiteral("bash"), {QStringLiteral(SERVER_SCRIPT), QStringLiteral("start")});
            QVERIFY2(started.isEmpty(), qPrintable(started));

            // The first save of a desk that was attached before goes through.
            store.startNew();
            RecordSet &p = desk.cadastro.cdsTBProtocolo;
            p.field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
            p.field(QStringLiteral("ASSUNTO")).setAsInteger(1);
            p.field(QStringLiteral("DESCRICAO")).setAsString(QStringLiteral("PRIMEIRO DEPOIS DA VOLTA %1").arg(kill));
            try {
                store.saveFirst(QDate::currentDate(), 0, documents);
            } catch (const Failure &e) {
                QFAIL(qPrintable(QStringLiteral("the first save after the restart failed: ") + e.text()));
            }
            eachSavesMore(6, 120000);
        }
        stopAndAudit();
        QCOMPARE(scalarOn(database, QStringLiteral("select count(*) from TBPROTOCOLO where DESCRICAO starting with "
                                                   "'PRIMEIRO DEPOIS DA VOLTA'"))
                     .toInt(),
                 2);
    }

    // The network between the desks and the server is cut for ten seconds:
    // the desks run in a network namespace of their own that reaches the
    // server through a virtual cable, and the cable is unplugged.
    void networkCutForTenSeconds() {
        CableToServer cable;
        if (!cable.made)
            QSKIP("this machine allows no network namespace");
        QVERIFY2(cable.failure.isEmpty(), qPrintable(cable.failure));
        startDesks(2, cable.databaseOverCable(database), cable.launcher());
        eachSavesMore(6, 60000);

        QVERIFY(cable.unplug());
        std::vector<int> before;
        for (Desk &d : desks)
            before.push_back(d.saved());
        QTest::qWait(10000);
        // Nothing went through while the cable was out.
        for (std::size_t i = 0; i < desks.size(); ++i)
            QVERIFY(desks[i].saved() <= before[i] + 1);
        QVERIFY(cable.plugIn());

        eachSavesMore(6, 120000);
        stopAndAudit();
    }

    // A desk's network dies while its save holds the turn of the year's
    // numbers: another desk's save waits the bounded time at most and is
    // refused in the desk's words with what was typed kept; once the line
    // is back both protocols are there under consecutive numbers.
    void aDeskCutOffWhileHoldingTheTurnHoldsTheOthersBriefly() {
        CableToServer cable;
        if (!cable.made)
            QSKIP("this machine allows no network namespace");
        QVERIFY2(cable.failure.isEmpty(), qPrintable(cable.failure));
        QProcess holder;
        QStringList args = cable.launcher();
        args << QStringLiteral(PROTOCOL_LOAD_WORKER) << cable.databaseOverCable(database) << QStringLiteral("H")
             << QStringLiteral("--hold") << QStringLiteral("1500");
        holder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        holder.start(args.takeFirst(), args);
        QVERIFY(holder.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += holder.readAllStandardOutput()).contains("HOLDING "), 30000);
        QVERIFY(cable.unplug());  // before the holder writes and commits

        // The same year as the holding desk's.
        Clock::setNow(QDateTime(QDate(2014, 6, 5), QTime(10, 30)));
        auto systemClock = qScopeGuard([] { Clock::setNow(QDateTime()); });
        Workstation desk(database);
        ProtocolStore store(desk.cadastro);
        store.openLists();
        store.startNew();
        RecordSet &p = desk.cadastro.cdsTBProtocolo;
        p.field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
        p.field(QStringLiteral("ASSUNTO")).setAsInteger(1);
        p.field(QStringLiteral("DESCRICAO")).setAsString(QStringLiteral("BALCAO AO LADO"));
        QElapsedTimer clock;
        clock.start();
        QString refusal;
        try {
            store.saveFirst(Clock::today(), 0, store.requiredDocumentNames(1));
        } catch (const DatabaseError &e) {
            QVERIFY2(e.isLockWaitOver(), qPrintable(e.text()));
            refusal = FailureWords::of(e).text;
        }
        const qint64 waited = clock.elapsed();
        qInfo("the desk beside waited %.1f s and was %s", waited / 1000.0,
              refusal.isEmpty() ? "saved" : qPrintable(QStringLiteral("told: ") + refusal));
        QVERIFY2(waited < (Connection().lockWaitSeconds() + 3) * 1000, qPrintable(QString::number(waited)));
        if (!refusal.isEmpty()) {
            QCOMPARE(p.state(), RecordSet::State::Insert);
            QCOMPARE(p.field(QStringLiteral("DESCRICAO")).asString(), QStringLiteral("BALCAO AO LADO"));
        }

        QVERIFY(cable.plugIn());
        QVERIFY2(holder.waitForFinished(120000), "the holding desk did not finish");
        said += holder.readAllStandardOutput();
        QVERIFY2(holder.exitCode() == 0, said.constData());
        if (!refusal.isEmpty())
            store.saveFirst(Clock::today(), 0, store.requiredDocumentNames(1));
        QCOMPARE(scalarOn(database, QStringLiteral("select count(*) || ' ' || min(IDPROTOCOLO) || ' ' || max(IDPROTOCOLO) "
                                                   "from TBPROTOCOLO"))
                     .toString(),
                 QStringLiteral("2 00001 00002"));
    }
};

QTEST_GUILESS_MAIN(ServerDiesTest)
#include "tst_server_dies.moc"
