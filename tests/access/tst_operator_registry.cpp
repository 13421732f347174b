#include "AccessFixture.h"

#include "access/TFrmCadSenha.h"
#include "ui/RecordGrid.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;
using Icon = MessageService::Icon;

// The operator registry on the access database.
class OperatorRegistryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AccessFixture> f;
    std::unique_ptr<TFrmCadSenha> w;

    const QString fillIn = QStringLiteral("Preencha todos os campos corretamente.");
    const QString taken = QStringLiteral("Usuário já Cadastrado no Sistema...");

    void openActive() {
        w = std::make_unique<TFrmCadSenha>();
        QVERIFY(showActive(w.get()));
    }
    bool editing() const { return w->form.PageGeral->currentWidget() == w->form.tabManutencao; }
    bool browsingWithFocusOnIncluir() const {
        return w->form.PageGeral->currentWidget() == w->form.tabConsulta &&
               !w->form.PageGeral->isTabVisible(w->form.PageGeral->indexOf(w->form.tabManutencao)) &&
               QApplication::focusWidget() == w->form.btnIncluir;
    }
    void enter(const QString &user, const QString &password, const QString &name) {
        typeInto(w->edtUsuario, user);
        typeInto(w->edtSenha, password);
        typeInto(w->edtNome, name);
    }
    QString current(const char *field) { return dm2->tbOperacao.field(QLatin1String(field)).asString(); }
    QStringList stored() { return f->operators(); }

private slots:
    void init() {
        f = std::make_unique<AccessFixture>();
        f->addOperator(QStringLiteral("1234"), QStringLiteral("senha"), 2, QStringLiteral("MARIA"));
    }
    void cleanup() {
        w.reset();
        f.reset();
    }

    void listsOperatorsWithoutTheirPasswords() {
        openActive();
        QCOMPARE(w->windowTitle(), QStringLiteral("Cadastro de Senha"));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(browsingWithFocusOnIncluir());
        QAbstractItemModel *model = w->form.grid->model();
        QStringList titles;
        for (int c = 0; c < model->columnCount(); ++c)
            titles << model->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{QStringLiteral("Usuário"), QStringLiteral("Nível de Acesso"), QStringLiteral("Nome")}));
        QCOMPARE(model->rowCount(), 2);
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                QVERIFY(!QStringList({QStringLiteral("12345"), QStringLiteral("senha")})
                             .contains(model->index(r, c).data().toString()));
    }

    void aNewOperatorStartsAsAdministratorAndIsWritten() {
        openActive();
        w->form.btnIncluir->click();
        QVERIFY(editing());
        QCOMPARE(w->form.PageGeral->tabText(w->form.PageGeral->currentIndex()), QStringLiteral("Manutenção das Senhas"));
        QVERIFY(w->rbAdministrador->isChecked());
        QCOMPARE(QApplication::focusWidget(), w->edtUsuario);

        enter(QStringLiteral("op01"), QStringLiteral("aB3$e"), QStringLiteral("jose maria"));
        w->rbBasico->click();
        f->answer({Answer::Yes});
        w->form.btnGravar->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirmar a Gravação deste Usuário?")});
        QCOMPARE(f->messages().first().caption, QStringLiteral("Kalvero"));
        QCOMPARE(f->messages().first().icon, Icon::Question);
        QVERIFY(browsingWithFocusOnIncluir());
        // The user code and password as typed, the name in upper case.
        QCOMPARE(f->scalar(QStringLiteral("select SENHA || '/' || ACESSO || '/' || NOME from OPERACAO where USUARIO = 'op01'")),
                 QVariant(QStringLiteral("aB3$e/3/JOSE MARIA")));
        QVERIFY(!dm2->qrLocaliza.isActive());
    }

    void incompleteDataIsRefused_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("name");
        QTest::newRow("user code of 3") << "OP1" << "12345" << "JOSE";
        QTest::newRow("password of 4") << "OP01" << "1234" << "JOSE";
        QTest::newRow("name of 2") << "OP01" << "12345" << "JO";
    }
    void incompleteDataIsRefused() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, name);
        openActive();
        w->form.btnIncluir->click();
        enter(user, password, name);
        w->form.btnGravar->click();
        QCOMPARE(f->messageTexts(), QStringList{fillIn});
        QCOMPARE(f->messages().first().icon, Icon::Warning);
        QVERIFY(editing());
        QCOMPARE(QApplication::focusWidget(), w->edtUsuario);
        QCOMPARE(stored().size(), 2);
    }

    void anExistingCodeShowsThatOperator() {
        openActive();
        w->form.btnIncluir->click();
        enter(QStringLiteral("1234"), QStringLiteral("outra"), QStringLiteral("OUTRO NOME"));
        f->answer({Answer::Yes});
        w->form.btnGravar->click();
        QCOMPARE(f->messageTexts().last(), taken);
        QCOMPARE(f->messages().last().icon, Icon::Error);
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(current("NOME"), QStringLiteral("MARIA"));
        QCOMPARE(dm2->tbOperacao.recordCount(), 2);
        QCOMPARE(f->scalar(QStringLiteral("select NOME from OPERACAO where USUARIO = '1234'")), QVariant(QStringLiteral("MARIA")));
    }

    void noWritesNothingAndALaterSaveOnlyItsOwn() {
        openActive();
        w->form.btnIncluir->click();
        enter(QStringLiteral("OP01"), QStringLiteral("12345"), QStringLiteral("PRIMEIRO"));
        w->form.btnGravar->click();  // answered No
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(dm2->tbOperacao.recordCount(), 2);

        w->form.btnIncluir->click();
        enter(QStringLiteral("OP02"), QStringLiteral("12345"), QStringLiteral("SEGUNDO"));
        f->answer({Answer::Yes});
        w->form.btnGravar->click();
        QCOMPARE(stored(), (QStringList{QStringLiteral("1234"), QStringLiteral("ADM1"), QStringLiteral("OP02")}));
    }

    void alterarChangesTheCurrentOperatorCodeIncluded() {
        openActive();
        QVERIFY(dm2->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        w->form.btnAlterar->click();
        QVERIFY(editing());
        QVERIFY(w->rbAvancado->isChecked());
        QCOMPARE(w->edtSenha->echoMode(), QLineEdit::Password);
        typeInto(w->edtUsuario, QStringLiteral("4321"));
        w->rbAdministrador->click();
        f->answer({Answer::Yes});
        w->form.btnGravar->click();
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(f->scalar(QStringLiteral("select ACESSO || NOME from OPERACAO where USUARIO = '4321'")),
                 QVariant(QStringLiteral("1MARIA")));
        QCOMPARE(stored().size(), 2);
    }

    // Changed into another operator's code, the database refuses the write:
    // its message is shown and what was typed stays for Cancelar.
    void aRefusedWriteKeepsTheEntry() {
        openActive();
        QVERIFY(dm2->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        w->form.btnAlterar->click();
        typeInto(w->edtUsuario, QStringLiteral("ADM1"));
        f->answer({Answer::Yes});
        w->form.btnGravar->click();
        QCOMPARE(f->messages().size(), 2);
        QCOMPARE(f->messages().last().icon, Icon::Error);
        QVERIFY(editing());
        QCOMPARE(w->edtUsuario->text(), QStringLiteral("ADM1"));
        QVERIFY(!dm2->qrLocaliza.isActive());
        w->form.btnCancelar->click();
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(stored(), (QStringList{QStringLiteral("1234"), QStringLiteral("ADM1")}));
    }

    void excluirDeletesAtOnceWithoutReloading() {
        openActive();
        f->addOperator(QStringLiteral("LATE"), QStringLiteral("12345"), 3, QStringLiteral("OUTRA ESTAÇÃO"));
        QVERIFY(dm2->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        w->form.btnExcluir->click();  // answered No
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Deleção deste Usuário?")});
        QCOMPARE(f->messages().first().icon, Icon::Warning);
        QCOMPARE(stored().size(), 3);

        f->answer({Answer::Yes});
        w->form.btnExcluir->click();
        QCOMPARE(stored(), (QStringList{QStringLiteral("ADM1"), QStringLiteral("LATE")}));
        // The list is as it was loaded, less the deleted operator.
        QCOMPARE(dm2->tbOperacao.recordCount(), 1);
    }

    void localizarNeedsFourDigits() {
        openActive();
        dm2->tbOperacao.first();
        QCOMPARE(current("USUARIO"), QStringLiteral("1234"));
        dm2->tbOperacao.last();
        QTest::keyClicks(w->edtConsultaUsuario, QStringLiteral("12a3"));
        QCOMPARE(w->edtConsultaUsuario->text(), QStringLiteral("123"));
        w->btnLocalizar->click();
        QVERIFY(f->messages().isEmpty());
        QCOMPARE(current("USUARIO"), QStringLiteral("ADM1"));

        QTest::keyClicks(w->edtConsultaUsuario, QStringLiteral("45"));
        QCOMPARE(w->edtConsultaUsuario->text(), QStringLiteral("1234"));
        w->btnLocalizar->click();
        QCOMPARE(current("USUARIO"), QStringLiteral("1234"));

        typeInto(w->edtConsultaUsuario, QStringLiteral("9999"));
        w->btnLocalizar->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Usuário não cadastrado no Sistema!")});
        QCOMPARE(f->messages().first().icon, Icon::Question);
        QCOMPARE(w->btnLocalizar->text(), QStringLiteral("Localizar"));
    }

    void enterMovesOnAndEscDoesNothing() {
        openActive();
        w->form.btnIncluir->click();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->edtSenha);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), w->edtNome);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QVERIFY(editing());
        // Enter on a button presses it.
        w->form.btnCancelar->setFocus();
        QTest::keyClick(w->form.btnCancelar, Qt::Key_Return);
        QVERIFY(browsingWithFocusOnIncluir());
        QTest::keyClick(w->form.btnIncluir, Qt::Key_Escape);
        QVERIFY(w->isVisible());
    }

    // Without a close box the window is left through Sair; closed by other
    // means while an operator is entered, it writes nothing either.
    void closingDiscardsAndClosesTheRecordSet() {
        openActive();
        w->form.btnSair->click();
        QVERIFY(!w->isVisible());
        QVERIFY(!dm2->tbOperacao.isActive());

        openActive();
        w->form.btnIncluir->click();
        enter(QStringLiteral("OP01"), QStringLiteral("12345"), QStringLiteral("NOVO"));
        w->close();
        QVERIFY(!dm2->tbOperacao.isActive());
        QCOMPARE(stored().size(), 2);
    }
};

QTEST_MAIN(OperatorRegistryTest)
#include "tst_operator_registry.moc"
