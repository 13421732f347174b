#include "ShellFixture.h"

#include "access/TFrmSenha.h"
#include "access/Tdm2.h"
#include "data/ProgramPaths.h"
#include "data/modules/TDM.h"
#include "data/session/SessionState.h"
#include "ui/ProgramExit.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kalvero;
using Answer = MessageService::Answer;
using Icon = MessageService::Icon;

// The path label: the unit's folder on the test server, or the folder alone
// on the embedded engine (no leading colon).
static QString shownFolder(const QString &folder) {
    const QString server = qEnvironmentVariable("KALVERO_TEST_SERVER");
    return server.isEmpty() ? folder : server + QLatin1Char(':') + folder;
}

class LoginTest : public QObject {
    Q_OBJECT

    // A shown login window, as the main window opens it.
    struct Window {
        TFrmSenha login;
        Window() {
            login.show();
            QApplication::setActiveWindow(&login);
            QVERIFY(QTest::qWaitForWindowActive(&login));
        }
        void logIn(const QString &user, const QString &password) {
            login.edtUsuario->setText(user);
            login.edtSenha->setText(password);
            login.btnOK->click();
        }
        void pick(const QString &itemStart) {
            const int index = login.cbUnidade->findText(itemStart, Qt::MatchStartsWith);
            QVERIFY(index >= 0);
            login.cbUnidade->setCurrentIndex(index);
            login.unitPicked();
        }
    };

    static void compareMessage(const MessageService::Message &m, const QString &caption, const QString &text, Icon icon) {
        QCOMPARE(m.caption, caption);
        QCOMPARE(m.text, text);
        QCOMPARE(m.icon, icon);
    }

private slots:
    void acceptsTheOperatorAndOpensTheUnit() {
        test::ShellFixture f;
        Window w;
        QCOMPARE(w.login.size(), QSize(464, 300));
        QCOMPARE(w.login.lblVersao->text(), QStringLiteral("Kalvero - V.") + Session.ProgramVersion);
        QVERIFY(!w.login.cbUnidade->isEnabled());
        QVERIFY(w.login.btnOK->isEnabled());

        w.logIn(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QVERIFY(f.messages().isEmpty());
        QVERIFY(w.login.LoginAccepted);
        QVERIFY(w.login.cbUnidade->isEnabled() && w.login.btnDefinirUnidade->isEnabled());
        QCOMPARE(w.login.cbUnidade->count(), 1);
        QCOMPARE(w.login.cbUnidade->itemText(0), QStringLiteral("01-PREFEITURA MUNICIPAL DE EXEMPLO"));
        QCOMPARE(w.login.cbUnidade->currentIndex(), -1);
        QCOMPARE(Session.OperatorCode, QStringLiteral("ADM1"));
        QCOMPARE(Session.OperatorName, QStringLiteral("ADMINISTRADOR"));
        QVERIFY(!f.access->MDatabaseSenha.isConnected());

        const QString unitFolder = ProgramPaths::unitFolder(f.folder(), QStringLiteral("01"));
        w.pick(QStringLiteral("01"));
        QCOMPARE(w.login.lblCaminho->text(), shownFolder(unitFolder));
        QVERIFY(w.login.UnitChosen);
        w.login.btnDefinirUnidade->click();

        QVERIFY(f.messages().isEmpty());
        QVERIFY(!w.login.isVisible());
        QCOMPARE(w.login.result(), int(QDialog::Accepted));
        QVERIFY(!ProgramExit::requested());
        QCOMPARE(Session.UnitCode, QStringLiteral("01"));
        QCOMPARE(Session.UnitLabel, QStringLiteral("01-PREFEITURA MUNICIPAL DE EXEMPLO"));
        QCOMPARE(Session.UnitFolder, unitFolder);
        QCOMPARE(Session.ProgramFolder, f.folder());
        QVERIFY(f.unit->MDatabasePrincipal.isConnected());
        QVERIFY(!f.access->MDatabaseSenha.isConnected());
    }

    void refusesAWrongUserOrPassword_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("user in other letter case") << "adm1" << "12345";
        QTest::newRow("wrong password") << "ADM1" << "12346";
        QTest::newRow("empty boxes") << "" << "";
    }
    void refusesAWrongUserOrPassword() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        test::ShellFixture f;
        Window w;
        w.logIn(user, password);
        QCOMPARE(f.messages().size(), 1);
        compareMessage(f.messages().first(), QStringLiteral("Acesso ao Sistema"),
                       QStringLiteral("Operador e/ou SENHA inválidos !"), Icon::Warning);
        QVERIFY(!w.login.LoginAccepted);
        QVERIFY(!w.login.cbUnidade->isEnabled());
        QVERIFY(w.login.edtUsuario->hasFocus());
        QVERIFY(!f.access->MDatabaseSenha.isConnected());
    }

    void levelOneAloneReachesTheRegistries_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("withRegistries");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("level 1") << 1 << true << true;
        QTest::newRow("level 2") << 2 << true << false;
        QTest::newRow("level 3") << 3 << true << false;
        QTest::newRow("level 1, registries not installed") << 1 << false << false;
    }
    void levelOneAloneReachesTheRegistries() {
        QFETCH(int, level);
        QFETCH(bool, withRegistries);
        QFETCH(bool, enabled);
        test::ShellFixture f;
        f.addOperator(QStringLiteral("OPER"), QStringLiteral("ab#de"), level, QStringLiteral("OPERADOR"));
        Window w;
        int opened = 0;
        if (withRegistries) {
            w.login.openOperatorRegistry = [&](QWidget *) { ++opened; };
            w.login.openUnitRegistry = [&](QWidget *) { ++opened; };
        } else {
            w.login.openOperatorRegistry = nullptr;
            w.login.openUnitRegistry = nullptr;
        }
        w.logIn(QStringLiteral("OPER"), QStringLiteral("ab#de"));
        QVERIFY(w.login.LoginAccepted);
        QCOMPARE(w.login.btnCadastroSenha->isEnabled(), enabled);
        QCOMPARE(w.login.btnCadastroUnidade->isEnabled(), enabled);
        if (!enabled)
            return;

        // Back from a registry the window waits for a new login.
        w.pick(QStringLiteral("01"));
        w.login.btnCadastroUnidade->click();
        QCOMPARE(opened, 1);
        QVERIFY(!w.login.LoginAccepted && !w.login.UnitChosen);
        QVERIFY(!w.login.btnCadastroSenha->isEnabled() && !w.login.btnCadastroUnidade->isEnabled());
        QVERIFY(!w.login.cbUnidade->isEnabled() && !w.login.btnDefinirUnidade->isEnabled());
        QCOMPARE(w.login.cbUnidade->currentIndex(), -1);
        QCOMPARE(w.login.lblCaminho->text(), QStringLiteral("..."));
        QVERIFY(w.login.edtUsuario->text().isEmpty() && w.login.edtSenha->text().isEmpty());
        QVERIFY(w.login.isVisible());
    }

    void aFailedSecondAttemptKeepsTheUnitListButEndsTheProgram() {
        test::ShellFixture f;
        Window w;
        w.logIn(QStringLiteral("ADM1"), QStringLiteral("12345"));
        w.logIn(QStringLiteral("ADM1"), QStringLiteral("xxxxx"));
        QVERIFY(!w.login.LoginAccepted);
        QVERIFY(w.login.cbUnidade->isEnabled() && w.login.btnDefinirUnidade->isEnabled());
        QCOMPARE(w.login.cbUnidade->count(), 1);

        w.pick(QStringLiteral("01"));
        w.login.btnDefinirUnidade->click();
        QVERIFY(!w.login.isVisible());
        QVERIFY(ProgramExit::requested());
    }

    void aUnitWithoutItsDatabaseAsksForAnother() {
        test::ShellFixture f;
        const QString emptyFolder = f.folder() + QStringLiteral("UN02/");
        QVERIFY(QDir().mkpath(emptyFolder));
        f.addUnit(QStringLiteral("02"), QStringLiteral("CAMARA MUNICIPAL"), emptyFolder);
        Window w;
        w.logIn(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QCOMPARE(w.login.cbUnidade->count(), 2);

        w.pick(QStringLiteral("02"));
        QCOMPARE(w.login.lblCaminho->text(), shownFolder(emptyFolder));
        w.login.btnDefinirUnidade->click();
        QCOMPARE(f.messages().size(), 2);
        compareMessage(f.messages().at(0), QStringLiteral("Aviso"), QStringLiteral("Banco de dados não localizado!"),
                       Icon::Warning);
        compareMessage(f.messages().at(1), QStringLiteral("Acesso ao Sistema"),
                       QStringLiteral("Selecione uma unidade de trabalho!"), Icon::Warning);
        QCOMPARE(w.login.cbUnidade->currentIndex(), -1);
        QCOMPARE(w.login.lblCaminho->text(), QStringLiteral("..."));
        QVERIFY(!w.login.UnitChosen);
        QVERIFY(w.login.isVisible());
        QVERIFY(!ProgramExit::requested());

        // Another unit opens as usual.
        w.pick(QStringLiteral("01"));
        w.login.btnDefinirUnidade->click();
        QVERIFY(!w.login.isVisible());
        QVERIFY(!ProgramExit::requested());
        QCOMPARE(Session.UnitCode, QStringLiteral("01"));
    }

    void aMissingServerAddressFileIsShownAndTheWindowStays() {
        test::ShellFixture f;
        QVERIFY(QFile::remove(ProgramPaths::serverAddressFile(f.folder())));
        Window w;
        w.logIn(QStringLiteral("ADM1"), QStringLiteral("12345"));
        QCOMPARE(f.messages().size(), 1);
        const MessageService::Message &m = f.messages().first();
        QCOMPARE(m.icon, Icon::Error);
        QCOMPARE(m.caption, QCoreApplication::applicationName());
        QVERIFY2(m.text.contains(QStringLiteral("ipServidor.ini")), qPrintable(m.text));
        QVERIFY(w.login.isVisible());
        QVERIFY(!w.login.LoginAccepted);
        QVERIFY(!ProgramExit::requested());
    }

    void theKeyboardWorksAsOnTheDesk() {
        test::ShellFixture f;
        f.addUnit(QStringLiteral("02"), QStringLiteral("CAMARA MUNICIPAL"), f.folder() + QStringLiteral("UN02/"));
        Window w;
        // Enter moves on like Tab; leaving the password box enables OK and focuses it.
        QTest::mouseClick(w.login.edtUsuario, Qt::LeftButton);
        QVERIFY(!w.login.btnOK->isEnabled());
        QTest::keyClicks(w.login.edtUsuario, QStringLiteral("ADM1"));
        QTest::keyClick(w.login.edtUsuario, Qt::Key_Return);
        QVERIFY(w.login.edtSenha->hasFocus());
        QTest::keyClicks(w.login.edtSenha, QStringLiteral("123456"));
        QCOMPARE(w.login.edtSenha->text(), QStringLiteral("12345"));
        QCOMPARE(w.login.edtSenha->displayText(), QStringLiteral("*****"));
        QTest::keyClick(w.login.edtSenha, Qt::Key_Return);
        QVERIFY(w.login.btnOK->isEnabled());
        QTRY_VERIFY(w.login.btnOK->hasFocus());
        QTest::keyClick(w.login.btnOK, Qt::Key_Return);  // Enter presses the focused button
        QVERIFY(w.login.LoginAccepted);
        QVERIFY(w.login.cbUnidade->hasFocus());

        // Typing in the unit list picks nothing; the arrows do.
        QTest::keyClicks(w.login.cbUnidade, QStringLiteral("0C"));
        QCOMPARE(w.login.cbUnidade->currentIndex(), -1);
        QVERIFY(f.messages().isEmpty());
        QTest::keyClick(w.login.cbUnidade, Qt::Key_Down);
        QCOMPARE(w.login.cbUnidade->currentIndex(), 0);
        QVERIFY(w.login.UnitChosen);
        QTest::keyClick(w.login.cbUnidade, Qt::Key_Return);
        QVERIFY(w.login.btnDefinirUnidade->hasFocus());
    }

    void closingWithoutAUnitEndsTheProgram() {
        test::ShellFixture f;
        Window w;
        w.logIn(QStringLiteral("ADM1"), QStringLiteral("12345"));
        w.login.btnFechar->click();
        QVERIFY(!w.login.isVisible());
        QVERIFY(ProgramExit::requested());
    }
};

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
