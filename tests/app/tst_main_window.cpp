#include "ShellFixture.h"
#include "UpdateServer.h"
#include "WindowDriving.h"

#include "access/TFrmSenha.h"
#include "data/ProgramPaths.h"
#include "app/shell/ScreenCatalog.h"
#include "app/shell/TFrmPrincipal.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/session/ProgramIdentity.h"
#include "data/session/SessionState.h"
#include "movements/TCAD_Movimentacao.h"
#include "protocols/TCAD_Protocolo.h"
#include "registries/TCAD_Setores.h"
#include "reports/screen/TRelatorios.h"
#include "registries/TCAD_Solicitantes.h"
#include "registries/TCad_EntidadeNovo.h"
#include "backup/TFrmBakcup.h"
#include "consultation/TCON_Protocolos.h"
#include "ui/ProgramExit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace kalvero;
using Command = TFrmPrincipal::Command;
using Answer = MessageService::Answer;

class MainWindowTest : public QObject {
    Q_OBJECT

    // Acts on the login window as soon as it shows (and ready() holds).
    static QPointer<QTimer> whenLoginShows(std::function<void(TFrmSenha *)> act, std::function<bool()> ready = nullptr) {
        auto *poll = new QTimer;
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [=] {
            auto *login = qobject_cast<TFrmSenha *>(QApplication::activeModalWidget());
            if (!login || (ready && !ready()))
                return;
            poll->deleteLater();
            act(login);
        });
        poll->start();
        return poll;
    }

    // Logs in as the operator at the desk would.
    static void logInWhenAsked(const QString &user, const QString &password, std::function<bool()> ready = nullptr) {
        whenLoginShows(
            [=](TFrmSenha *login) {
                login->edtUsuario->setText(user);
                login->edtSenha->setText(password);
                login->login();
                login->cbUnidade->setCurrentIndex(0);
                login->unitPicked();
                login->defineUnit();
            },
            ready);
    }

    static QVariant scalar(const QString &databaseName, const QString &sql) {
        Connection c;
        c.setDatabaseName(databaseName);
        RecordSet q(QStringLiteral("probe"));
        q.setConnection(&c);
        q.setCommandText(sql);
        q.open();
        const QVariant v = q.isEmpty() ? QVariant() : q.field(0).value();
        q.close();
        c.close();
        return v;
    }

    // Starts the program's window; its login runs no update check unless
    // the check is pointed at a site of the test's own.
    static bool startUp(TFrmPrincipal &window, const test::UpdateServer *site = nullptr,
                        QList<QUrl> *opened = nullptr) {
        if (site) {
            window.updateCheckSettings.webSite = site->site();
            window.updateCheckSettings.updateFile = site->updateFile();
            window.updateCheckSettings.openWebSite = [opened](const QUrl &url) { *opened << url; };
        } else {
            window.loginUpdateCheck = nullptr;
        }
        window.show();
        return QTest::qWaitFor([&] { return window.startupDone() || ProgramExit::requested(); }, 20000);
    }

private slots:
    void startupRepairsTheSchemaAndReadsTheEntity() {
        test::ShellFixture f;
        const QString unitDb = f.unitDatabaseName();
        f.execute(unitDb, QStringLiteral("insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, CIDADE, ESTADO, CONFIG_SEQ_IMP) "
                                         "values ('00000000000191', 'A', 'B', 'TERESINA', 'PIAUÍ', 1)"));
        // A database of an older release: no label scratch table, no sequence column.
        if (scalar(unitDb, QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'TBREL_AUX'"))
                .toInt())
            f.execute(unitDb, QStringLiteral("drop table TBREL_AUX"));
        f.execute(unitDb, QStringLiteral("alter table TBENTIDADE drop CONFIG_SEQ_IMP"));

        TFrmPrincipal window;
        logInWhenAsked(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QVERIFY(startUp(window));
        QVERIFY(window.startupDone());
        QVERIFY2(f.messages().isEmpty(), qPrintable(f.messageTexts().join('|')));
        QVERIFY(!ProgramExit::requested());

        QCOMPARE(scalar(unitDb, QStringLiteral("select count(*) from TBREL_AUX")).toInt(), 0);
        QCOMPARE(scalar(unitDb, QStringLiteral("select CONFIG_SEQ_IMP from TBENTIDADE")).toInt(), 0);
        QVERIFY(!UDMRelatorio);
        QCOMPARE(Session.ProgramVersion, QStringLiteral("1.02.000"));
        QVERIFY(Session.RightsNotice.contains(QString::number(QDate::currentDate().year())));
        QCOMPARE(Session.EntityCity, QStringLiteral("TERESINA"));
        QCOMPARE(Session.StateText, QStringLiteral("ESTADO DO PIAUÍ"));
        QCOMPARE(Session.LabelSequence, 0);
        QVERIFY(f.unit->MDatabasePrincipal.isConnected());

        QCOMPARE(window.windowTitle(), QStringLiteral("Kalvero - Sistema de Gerenciamento Eletrônico de Protocolos"));
        QCOMPARE(window.RibbonCaption->text(),
                 QStringLiteral("Kalvero - Sistema de Gerenciamento Eletrônico de Protocolos (V1.02.000)"));
        QCOMPARE(window.lblPrefeitura->text(), Session.UnitLabel);
        QCOMPARE(window.Ribbon->currentIndex(), 0);
        QCOMPARE(window.Ribbon->tabText(0), QStringLiteral("Principal"));
        QCOMPARE(window.Ribbon->tabText(1), QStringLiteral("Manutenção do Sistema"));
        QCOMPARE(window.StatusPanels[0]->text(), QStringLiteral("01-PREFEITURA MUNICIPAL DE EXEMPLO"));
        QCOMPARE(window.StatusPanels[4]->text(), QStringLiteral("Kalvero - V 1.02.000"));
        const int widths[] = {500, 250, 200, 170, 100};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(window.StatusPanels[size_t(i)]->width(), widths[i]);

        // The resize rule keeps the title and the picture centred.
        window.resize(1000, 700);
        const QWidget *centre = window.lblPrefeitura->parentWidget();
        QTRY_COMPARE(window.imgKalvero->x(), (centre->width() - 480) / 2);
        QCOMPARE(window.lblPrefeitura->x(), (centre->width() - window.lblPrefeitura->width()) / 2);
        QCOMPARE(window.imgKalvero->y(), (centre->height() - 315) / 2 + 30);

        // A second start finds everything in place and repairs nothing.
        const QString sentinel = QStringLiteral("select 1 from RDB$DATABASE");
        f.unit->SQLExec.close();
        f.unit->SQLExec.setCommandText(sentinel);
        TFrmPrincipal second;
        logInWhenAsked(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QVERIFY(startUp(second));
        QVERIFY(second.startupDone());
        QCOMPARE(f.unit->SQLExec.commandText(), sentinel);
    }

    void aFailingStartupSaysWhyAndEnds() {
        test::ShellFixture f;
        // A unit database the program cannot work with.
        f.execute(f.unitDatabaseName(), QStringLiteral("drop table TBENTIDADE"));
        TFrmPrincipal window;
        logInWhenAsked(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QVERIFY(startUp(window));
        QVERIFY(!window.startupDone());
        QVERIFY(ProgramExit::requested());
        QCOMPARE(f.messages().size(), 1);
        QCOMPARE(f.messages().first().caption, QStringLiteral("Kalvero"));
        QCOMPARE(f.messages().first().icon, MessageService::Icon::Error);
        // Said in the desk's words; the database's own text, for the support line, under the details.
        QCOMPARE(f.messages().first().text, QStringLiteral("O banco de dados recusou a operação."));
        QVERIFY2(f.messages().first().details.contains(QStringLiteral("TBENTIDADE")), qPrintable(f.messages().first().details));
    }

    void aFailedLoginEndsWithoutTouchingTheUnit() {
        test::ShellFixture f;
        TFrmPrincipal window;
        whenLoginShows([](TFrmSenha *login) { login->btnFechar->click(); });
        QVERIFY(startUp(window));
        QVERIFY(!window.startupDone());
        QVERIFY(!f.unit->MDatabasePrincipal.isConnected());
        QVERIFY(f.messages().isEmpty());
    }

    // The update check as the login runs it: an update accepted there ends
    // the program before anybody logs in.
    void anUpdateAcceptedAtTheLoginEndsTheProgram() {
        test::ShellFixture f;
        test::UpdateServer site;
        site.body = "1.03.000\r\n";
        f.answer({Answer::Yes});
        TFrmPrincipal window;
        QList<QUrl> opened;
        // A login window still open once the end is asked for would wait for
        // an operator: it is closed here and the test fails.
        bool loginOutlivedTheAnswer = false;
        const QPointer<QTimer> watch = whenLoginShows(
            [&](TFrmSenha *login) {
                loginOutlivedTheAnswer = true;
                login->btnFechar->click();
            },
            [] { return ProgramExit::requested(); });
        QVERIFY(startUp(window, &site, &opened));
        QVERIFY(ProgramExit::requested());
        QVERIFY(!window.startupDone());
        QTRY_VERIFY(!QApplication::activeModalWidget());
        delete watch;
        QVERIFY(!loginOutlivedTheAnswer);
        QCOMPARE(opened, QList<QUrl>{site.site()});
        QCOMPARE(f.messageTexts().size(), 1);
        QVERIFY(f.messageTexts().first().startsWith(QStringLiteral("Atualize a versão do Kalvero acessando 127.0.0.1")));
        QVERIFY(f.messageTexts().first().contains(QStringLiteral("Versão Disponível: 1.03.000")));
        QVERIFY(Session.OperatorCode.isEmpty());
        QVERIFY(!f.unit->MDatabasePrincipal.isConnected());
        QVERIFY(!QFile::exists(ProgramPaths::updateFile(f.folder())));
    }

    // A site that takes the connection and never answers holds the login no
    // longer than the check's bound, and says nothing.
    void aSiteThatNeverAnswersLeavesTheLoginUsable() {
        test::ShellFixture f;
        test::UpdateServer site;
        site.silent = true;
        TFrmPrincipal window;
        QList<QUrl> opened;
        // The operator logs in once the check has given up on the site.
        logInWhenAsked(QStringLiteral("ADM1"), QStringLiteral("12345"), [&] { return site.abandoned > 0; });
        QVERIFY(startUp(window, &site, &opened));
        QVERIFY(window.startupDone());
        QVERIFY2(f.messages().isEmpty(), qPrintable(f.messageTexts().join('|')));
        QVERIFY(!ProgramExit::requested());
        QVERIFY(opened.isEmpty());
        QCOMPARE(site.requests.size(), 1);
        QVERIFY(site.requests.first().startsWith("GET /atualizacoes/kalvero.txt "));
        QCOMPARE(Session.OperatorCode, QStringLiteral("ADM1"));
        QVERIFY(!QFile::exists(ProgramPaths::updateFile(f.folder())));
    }

    void commandsOpenTheirScreensModally() {
        test::ShellFixture f;
        TFrmPrincipal window;
        logInWhenAsked(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QVERIFY(startUp(window));

        // Only the commands whose screens exist are offered.
        for (Command c : {Command::Protocolo, Command::Movimentacao, Command::Solicitante, Command::Setor,
                          Command::Relatorios, Command::Entidade, Command::Backup, Command::Consulta})
            QVERIFY(!window.commandButton(c)->isEnabled());
        QVERIFY(window.commandButton(Command::SuporteNorvale)->isEnabled());

        struct Seen {
            bool modal = false;
            bool reportModule = false;
        };
        QPointer<QDialog> last;
        auto screen = [&](Seen &seen) {
            return [&](QWidget *owner) {
                auto *d = new QDialog(owner);
                last = d;
                QTimer::singleShot(0, d, [&, d] {
                    seen.modal = QApplication::activeModalWidget() == d;
                    seen.reportModule = UDMRelatorio != nullptr;
                    d->accept();
                });
                return d;
            };
        };
        Seen protocol, sector;
        window.setScreen(Command::Protocolo, screen(protocol));
        window.setScreen(Command::Setor, screen(sector));
        QVERIFY(window.commandButton(Command::Protocolo)->isEnabled());

        window.commandButton(Command::Protocolo)->click();
        QVERIFY(protocol.modal && protocol.reportModule);
        QVERIFY(!last);  // destroyed on return
        QVERIFY(!UDMRelatorio);
        window.commandButton(Command::Setor)->click();
        QVERIFY(sector.modal && !sector.reportModule);
        QVERIFY(!last);

        // A screen that fails is reported and the window goes on.
        window.setScreen(Command::Entidade, [](QWidget *) -> QDialog * { throw std::runtime_error("tela com defeito"); });
        window.commandButton(Command::Entidade)->click();
        QCOMPARE(f.messageTexts(), QStringList{QStringLiteral("tela com defeito")});
        QVERIFY(window.isVisible());
    }

    void registryScreensOpenFromTheirCommands() {
        test::ShellFixture f;
        TFrmPrincipal window;
        installScreens(window, *f.registries, Session);
        logInWhenAsked(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QVERIFY(startUp(window));
        QVERIFY(window.commandButton(Command::Solicitante)->isEnabled());
        QVERIFY(window.commandButton(Command::Setor)->isEnabled());
        QVERIFY(window.commandButton(Command::Entidade)->isEnabled());

        QString title;
        bool listed = false;
        auto leaveWhenShown = [&](auto *typed) {
            QTimer::singleShot(0, &window, [&, typed] {
                using Screen = std::remove_pointer_t<decltype(typed)>;
                auto *screen = qobject_cast<Screen *>(QApplication::activeModalWidget());
                QVERIFY(screen);
                title = screen->windowTitle();
                listed = test::named<QAbstractItemView>(screen, QStringLiteral("DBGrid1"))->model()->rowCount() > 0;
                test::named<QPushButton>(screen, QStringLiteral("btnSair"))->click();
            });
        };
        leaveWhenShown(static_cast<TCAD_Solicitantes *>(nullptr));
        window.commandButton(Command::Solicitante)->click();
        QCOMPARE(title, QStringLiteral("Cadastro dos Solicitantes"));
        QVERIFY(!UDMCadastro->cdsTBSolicitante.isActive());

        // The protocol register opens on the list and closes its lists.
        QVERIFY(window.commandButton(Command::Protocolo)->isEnabled());
        leaveWhenShown(static_cast<TCAD_Protocolo *>(nullptr));
        window.commandButton(Command::Protocolo)->click();
        QCOMPARE(title, QStringLiteral("Cadastro de Protocolos"));
        QVERIFY(!UDMCadastro->cdsTBProtocolo.isActive());
        QVERIFY(!UDMCadastro->cdsTBSolicitante.isActive());

        // The movement register too, without the report module (its print makes its own).
        QVERIFY(window.commandButton(Command::Movimentacao)->isEnabled());
        leaveWhenShown(static_cast<TCAD_Movimentacao *>(nullptr));
        window.commandButton(Command::Movimentacao)->click();
        QCOMPARE(title, QStringLiteral("Cadastro da Movimentação dos Protocolos"));
        QVERIFY(!UDMCadastro->cdsTBProtocolo.isActive());
        QVERIFY(!UDMCadastro->cdsTBMovimentacao.isActive());

        f.execute(f.unitDatabaseName(), QStringLiteral("insert into TBSETOR (IDSETOR, NOME) values (1, 'PROTOCOLO GERAL')"));
        leaveWhenShown(static_cast<TCAD_Setores *>(nullptr));
        window.commandButton(Command::Setor)->click();
        QCOMPARE(title, QStringLiteral("Cadastro de Setores"));
        QVERIFY(listed);
        QVERIFY(!UDMCadastro->cdsTBSetor.isActive());

        // The entity screen opens on the entity's row.
        f.execute(f.unitDatabaseName(), QStringLiteral("insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, CIDADE) "
                                                       "values ('00000000000191', 'JOSE', 'ANA', 'PATOS')"));
        QString city;
        QTimer::singleShot(0, &window, [&] {
            auto *screen = qobject_cast<TCad_EntidadeNovo *>(QApplication::activeModalWidget());
            QVERIFY(screen);
            title = screen->windowTitle();
            city = test::named<QLineEdit>(screen, QStringLiteral("edtCidade"))->text();
            test::named<QPushButton>(screen, QStringLiteral("btnSair"))->click();
        });
        window.commandButton(Command::Entidade)->click();
        QCOMPARE(title, QStringLiteral("Informações da Entidade"));
        QCOMPARE(city, QStringLiteral("PATOS"));
        QVERIFY(!UDMCadastro->cdsTBEntidade.isActive());

        // The report screen opens with the report module, loads its two
        // lists and lets go of both when it closes.
        QVERIFY(window.commandButton(Command::Relatorios)->isEnabled());
        bool reportModule = false;
        QTimer::singleShot(0, &window, [&] {
            auto *screen = qobject_cast<TRelatorios *>(QApplication::activeModalWidget());
            QVERIFY(screen);
            title = screen->windowTitle();
            reportModule = UDMRelatorio && UDMCadastro->cdsTBSolicitante.isActive() && UDMCadastro->cdsTBAssunto.isActive();
            test::named<QPushButton>(screen, QStringLiteral("BitBtn3"))->click();
        });
        window.commandButton(Command::Relatorios)->click();
        QCOMPARE(title, QStringLiteral("Relatórios"));
        QVERIFY(reportModule);
        QVERIFY(!UDMRelatorio);
        QVERIFY(!UDMCadastro->cdsTBSolicitante.isActive());
        QVERIFY(!UDMCadastro->cdsTBAssunto.isActive());

        // The backup screen lets go of the unit database while it is open.
        bool unitClosed = false;
        QTimer::singleShot(0, &window, [&] {
            auto *screen = qobject_cast<TFrmBakcup *>(QApplication::activeModalWidget());
            QVERIFY(screen);
            title = screen->windowTitle();
            unitClosed = !DM->MDatabasePrincipal.isConnected();
            test::named<QPushButton>(screen, QStringLiteral("btnFechar"))->click();
        });
        window.commandButton(Command::Backup)->click();
        QCOMPARE(title, QStringLiteral("Backup ou Restauração"));
        QVERIFY(unitClosed);
        QVERIFY(DM->MDatabasePrincipal.isConnected());

        // The consultation opens from its button and from F3 anywhere in the window.
        int consulted = 0;
        auto leaveConsultation = [&] {
            QTimer::singleShot(0, &window, [&] {
                auto *screen = qobject_cast<TCON_Protocolos *>(QApplication::activeModalWidget());
                QVERIFY(screen);
                title = screen->windowTitle();
                ++consulted;
                test::named<QPushButton>(screen, QStringLiteral("btnSair"))->click();
            });
        };
        leaveConsultation();
        window.commandButton(Command::Consulta)->click();
        QVERIFY(test::showActive(&window));
        leaveConsultation();
        QTest::keyClick(window.Ribbon, Qt::Key_F3);
        QCOMPARE(consulted, 2);
        QCOMPARE(title, QStringLiteral("Consulta de Protocolos"));
        QVERIFY2(f.messages().isEmpty(), qPrintable(f.messageTexts().join('|')));
    }

    void closingAsksFirst() {
        test::ShellFixture f;
        TFrmPrincipal window;
        logInWhenAsked(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QVERIFY(startUp(window));

        f.answer({Answer::No});
        window.close();
        QVERIFY(window.isVisible());
        QVERIFY(!ProgramExit::requested());
        QCOMPARE(f.messages().size(), 1);
        QCOMPARE(f.messages().first().caption, QStringLiteral("Kalvero"));
        QCOMPARE(f.messages().first().text, QStringLiteral("Deseja sair do sistema?"));
        QCOMPARE(f.messages().first().icon, MessageService::Icon::Question);
        QCOMPARE(f.messages().first().buttons, MessageService::Buttons::YesNo);

        f.answer({Answer::Yes});
        window.MenuAplicacao->actions().first()->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(ProgramExit::requested());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
