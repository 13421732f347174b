#include "LocalServer.h"
#include "RegistryScreens.h"
#include "Workstation.h"
#include "data/firebird/Connection.h"
#include "data/records/RecordSet.h"

#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

// The desk on the office server while the server dies and its guard brings it
// back: nothing is lost, nothing is written twice, and the first command after
// the server returns works.
class ServerRestartTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<TCAD_Solicitantes> w;
    pid_t m_guard = 0;
    pid_t m_server = 0;

    QPushButton *button(const char *name) { return named<QPushButton>(w.get(), QLatin1String(name)); }
    int count() { return f->scalar(QStringLiteral("select count(*) from TBSOLICITANTE")).toInt(); }

    // The server dies; the guard, held still when asked, does not yet start it again.
    void killServer(bool holdGuard) {
        m_server = localServerPid();
        m_guard = parentOf(m_server);
        QVERIFY2(m_server > 0 && m_guard > 0, "the local server's pid file names no running server");
        if (holdGuard)
            QCOMPARE(::kill(m_guard, SIGSTOP), 0);
        QVERIFY2(::kill(m_server, SIGKILL) == 0, "the test needs the rights to stop the local server");
        if (holdGuard)
            QTRY_VERIFY_WITH_TIMEOUT(!localServerAnswers(), 10000);
    }
    // Waits, bounded, until the guard has the server back and listening.
    void serverBack() {
        if (m_guard)
            ::kill(m_guard, SIGCONT);
        QTRY_VERIFY_WITH_TIMEOUT(localServerPid() != m_server && localServerPid() > 0 && localServerAnswers(), 20000);
    }

private slots:
    void initTestCase() {
        if (!isServerSuite())
            QSKIP("only against the local server");
    }
    void init() { f = std::make_unique<UnitFixture>(); }
    void cleanup() {
        w.reset();
        f.reset();
        if (m_guard)
            ::kill(m_guard, SIGCONT);  // never leave the guard held
        m_guard = 0;
    }

    // The day: a requester typed while the server restarts is saved
    // by the first Gravar, once.
    void theFirstSaveAfterTheServerReturnsWorks() {
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (1, 'ANA', ?)"),
                   {cpfFor(1)});
        w = std::make_unique<TCAD_Solicitantes>(*f->registries, f->session);
        QVERIFY(UnitFixture::showActive(w.get()));
        button("btnIncluir")->click();
        typeInto(named<QLineEdit>(w.get(), QStringLiteral("edtCpf")), cpfFor(2));
        typeInto(named<QLineEdit>(w.get(), QStringLiteral("edtNome")), QStringLiteral("BETO"));
        killServer(false);
        serverBack();
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação Deste Solicitante?")});
        QCOMPARE(count(), 2);
        QCOMPARE(f->session.LastSavedRequesterCode, 2);
        // And the list reads at once.
        f->registries->cdsTBSolicitante.close();
        f->registries->cdsTBSolicitante.open();
        QCOMPARE(f->registries->cdsTBSolicitante.recordCount(), 2);
    }

    // While the server is down the desk reads that it cannot be reached and
    // keeps its typing; once it is back, Gravar saves.
    void aServerThatIsDownKeepsTheTyping() {
        w = std::make_unique<TCAD_Solicitantes>(*f->registries, f->session);
        QVERIFY(UnitFixture::showActive(w.get()));
        button("btnIncluir")->click();
        typeInto(named<QLineEdit>(w.get(), QStringLiteral("edtCpf")), cpfFor(3));
        typeInto(named<QLineEdit>(w.get(), QStringLiteral("edtNome")), QStringLiteral("CARLA"));
        killServer(true);
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QCOMPARE(f->messages().size(), 2);
        QVERIFY2(f->messageTexts().last().startsWith(QStringLiteral("Não foi possível falar com o servidor")),
                 qPrintable(f->messageTexts().last()));
        QVERIFY(!f->messages().last().details.isEmpty());
        QCOMPARE(named<QLineEdit>(w.get(), QStringLiteral("edtNome"))->text(), QStringLiteral("CARLA"));
        QVERIFY(f->registries->cdsTBSolicitante.isEditing());
        serverBack();
        f->clearMessages();
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QCOMPARE(f->messages().size(), 1);
        QCOMPARE(count(), 1);
    }

    // A save made while the server is down keeps its changes pending, says
    // they were not written, and the next save writes them once.
    void aSaveWhileTheServerIsDownIsWrittenOnceItReturns() {
        Workstation desk(f->databaseName);
        RecordSet &s = desk.cadastro.cdsTBSolicitante;
        s.open();
        s.append();
        s.field(QStringLiteral("IDSOLICITANTE")).setAsInteger(7);
        s.field(QStringLiteral("NOME")).setAsString(QStringLiteral("DORA"));
        s.post();
        killServer(true);
        try {
            s.applyUpdates();
            QFAIL("written while the server was down");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.isConnectionLost(), qPrintable(e.text()));
            QCOMPARE(e.save(), DatabaseError::Save::NotWritten);
        }
        QCOMPARE(s.changeCount(), 1);
        serverBack();
        s.applyUpdates();
        QCOMPARE(s.changeCount(), 0);
        QCOMPARE(count(), 1);
    }
};

QTEST_MAIN(ServerRestartTest)
#include "tst_server_restart.moc"
