#include "TestDatabase.h"
#include "UpdateServer.h"

#include "app/shell/SupportCommand.h"
#include "app/shell/UpdateCheck.h"
#include "data/ProgramPaths.h"
#include "ui/MessageService.h"
#include "ui/ProgramExit.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QWidget>
#include <QtTest>

using namespace kalvero;
using Outcome = UpdateCheck::Outcome;
using Answer = MessageService::Answer;
using kalvero::test::UpdateServer;

namespace {

// A port on which nobody listens.
quint16 closedPort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort();
}

}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

    test::ScratchFolder *m_scratch = nullptr;
    QList<QUrl> m_opened;

    UpdateCheck check(quint16 port) {
        UpdateCheck::Settings s;
        s.webSite = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
        s.updateFile = QUrl(QStringLiteral("http://127.0.0.1:%1/atualizacoes/kalvero.txt").arg(port));
        s.programFolder = m_scratch->path();
        s.programVersion = QStringLiteral("1.02.000");
        s.openWebSite = [this](const QUrl &url) { m_opened << url; };
        return UpdateCheck(s, nullptr);
    }
    QString localCopy() const { return ProgramPaths::updateFile(m_scratch->path()); }

private slots:
    void init() {
        m_scratch = new test::ScratchFolder;
        QVERIFY(QDir().mkpath(ProgramPaths::configFolder(m_scratch->path())));
        m_opened.clear();
        ProgramExit::reset();
        ProgramExit::setHandler([] {});
        MessageService::clearShown();
        MessageService::setResponder([](const MessageService::Message &) { return Answer::No; });
    }
    void cleanup() {
        delete m_scratch;
        MessageService::clearResponder();
        MessageService::clearShown();
        ProgramExit::setHandler(nullptr);
        ProgramExit::reset();
    }

    void comparesTheFirstLineWithOurVersion_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("outcome");
        QTest::newRow("same version") << QByteArray("1.02.000\r\n") << int(Outcome::SameVersion);
        QTest::newRow("same version, LF, more lines") << QByteArray("1.02.000\nnotas da versão\n")
                                                    << int(Outcome::SameVersion);
        QTest::newRow("newer version") << QByteArray("1.03.000\r\n") << int(Outcome::Declined);
        QTest::newRow("older version") << QByteArray("1.01.000\r\n") << int(Outcome::Declined);
        QTest::newRow("trailing space") << QByteArray("1.02.000 \r\n") << int(Outcome::Declined);
    }
    void comparesTheFirstLineWithOurVersion() {
        QFETCH(QByteArray, file);
        QFETCH(int, outcome);
        UpdateServer server;
        server.body = file;
        QCOMPARE(int(check(server.port()).run()), outcome);
        QVERIFY(!QFile::exists(localCopy()));
        QVERIFY(!ProgramExit::requested());
        QVERIFY(m_opened.isEmpty());
        if (outcome == int(Outcome::SameVersion)) {
            QVERIFY(MessageService::shown().isEmpty());
            return;
        }
        QCOMPARE(MessageService::shown().size(), 1);
        const MessageService::Message &m = MessageService::shown().first();
        QCOMPARE(m.caption, QStringLiteral("Kalvero"));
        QCOMPARE(m.icon, MessageService::Icon::Information);
        QCOMPARE(m.buttons, MessageService::Buttons::YesNo);
        const QString available = QString::fromLatin1(file.left(file.indexOf('\r')));
        QCOMPARE(m.text, QStringLiteral("Atualize a versão do Kalvero acessando 127.0.0.1\r\rSua Versão: 1.02.000\r"
                                        "Versão Disponível: ") +
                             available + QStringLiteral("\r\rDeseja atualizar agora?"));
    }

    void yesOpensTheSiteAndEndsTheProgram() {
        UpdateServer server;
        server.body = "1.03.000\r\n";
        MessageService::setResponder([](const MessageService::Message &) { return Answer::Yes; });
        UpdateCheck c = check(server.port());
        QCOMPARE(c.run(), Outcome::Accepted);
        QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.port()))});
        QVERIFY(ProgramExit::requested());
        QVERIFY(!QFile::exists(localCopy()));
    }

    void everyFetchGoesToTheServer() {
        UpdateServer server;
        server.body = "1.02.000\r\n";
        QCOMPARE(check(server.port()).run(), Outcome::SameVersion);
        server.body = "1.04.000\r\n";
        QCOMPARE(check(server.port()).run(), Outcome::Declined);
        QCOMPARE(server.requests.size(), 2);
        QVERIFY(server.requests.last().contains("Cache-Control: no-cache"));
    }

    void failuresPassInSilence_data() {
        QTest::addColumn<bool>("listening");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("outcome");
        QTest::newRow("site unreachable") << false << 200 << false << int(Outcome::Unreachable);
        QTest::newRow("no update file on the server") << true << 404 << false << int(Outcome::Failed);
        QTest::newRow("server error") << true << 500 << false << int(Outcome::Failed);
        QTest::newRow("server that never answers") << true << 200 << true << int(Outcome::Failed);
    }
    void failuresPassInSilence() {
        QFETCH(bool, listening);
        QFETCH(int, status);
        QFETCH(bool, silent);
        QFETCH(int, outcome);
        UpdateServer server;
        server.status = status;
        server.silent = silent;
        QCOMPARE(int(check(listening ? server.port() : closedPort()).run()), outcome);
        QVERIFY(MessageService::shown().isEmpty());
        QVERIFY(!QFile::exists(localCopy()));
        QVERIFY(!ProgramExit::requested());
    }

    void supportNeedsItsProgram() {
        QWidget window;
        window.show();
        QStringList started;
        SupportCommand missing(m_scratch->file(QStringLiteral("SuporteNorvale")), &window);
        missing.startProgram = [&](const QString &p) {
            started << p;
            return true;
        };
        QVERIFY(!missing.run());
        QCOMPARE(MessageService::shown().size(), 1);
        QCOMPARE(MessageService::shown().first().caption, QStringLiteral("Atenção"));
        QCOMPARE(MessageService::shown().first().icon, MessageService::Icon::Error);
        QVERIFY(MessageService::shown().first().text.startsWith(
            QStringLiteral("O programa de suporte da Norvale ainda não foi instalado nesta máquina.\r\rLigue para ")));
        QVERIFY(MessageService::shown().first().text.endsWith(QStringLiteral(" e solicite o suporte via telefone.")));

        const QString program = m_scratch->file(QStringLiteral("SuporteNorvale"));
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SupportCommand present(program, &window);
        present.startProgram = missing.startProgram;
        QVERIFY(!present.run());  // answered No
        QVERIFY(started.isEmpty());
        QVERIFY(!window.isMinimized());
        QCOMPARE(MessageService::shown().last().text,
                 QStringLiteral("Para ter acesso ao suporte da Norvale, este programa será minimizado e após alguns "
                                "instantes o programa do suporte será iniciado.\r\rDeseja continuar?"));
        QCOMPARE(MessageService::shown().last().icon, MessageService::Icon::Question);

        MessageService::setResponder([](const MessageService::Message &) { return Answer::Yes; });
        QVERIFY(present.run());
        QCOMPARE(started, QStringList{program});
        QTRY_VERIFY(window.isMinimized());
    }
};

QTEST_MAIN(UpdateCheckTest)
#include "tst_update_check.moc"
