#include "AccessFixture.h"
#include "data/records/RecordSet.h"

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
    template <typename Widget>
    Widget *widget(const char *name) const {
        return named<Widget>(w.get(), QLatin1String(name));
    }

    const QString fillIn = QStringLiteral("Preencha todos os campos corretamente.");
    const QString taken = QStringLiteral("Usuário já Cadastrado no Sistema...");

    void openActive() {
        w = std::make_unique<TFrmCadSenha>(*f->access);
        QVERIFY(showActive(w.get()));
    }
    bool editing() const { return widget<QTabWidget>("PageGeral")->currentWidget() == widget<QWidget>("tabManutencao"); }
    bool browsingWithFocusOnIncluir() const {
        return widget<QTabWidget>("PageGeral")->currentWidget() == widget<QWidget>("tabConsulta") &&
               !widget<QTabWidget>("PageGeral")->isTabVisible(widget<QTabWidget>("PageGeral")->indexOf(widget<QWidget>("tabManutencao"))) &&
               QApplication::focusWidget() == widget<QPushButton>("btnIncluir");
    }
    void enter(const QString &user, const QString &password, const QString &name) {
        typeInto(widget<QLineEdit>("edtUsuario"), user);
        typeInto(widget<QLineEdit>("edtSenha"), password);
        typeInto(widget<QLineEdit>("edtNome"), name);
    }
    QString current(const char *field) { return f->access->tbOperacao.field(QLatin1String(field)).asString(); }
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
        QAbstractItemModel *model = widget<RecordGrid>("DBGrid1")->model();
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
        widget<QPushButton>("btnIncluir")->click();
        QVERIFY(editing());
        QCOMPARE(widget<QTabWidget>("PageGeral")->tabText(widget<QTabWidget>("PageGeral")->currentIndex()), QStringLiteral("Manutenção das Senhas"));
        QVERIFY(widget<QRadioButton>("rbAdministrador")->isChecked());
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtUsuario"));

        enter(QStringLiteral("op01"), QStringLiteral("aB3$e"), QStringLiteral("jose maria"));
        widget<QRadioButton>("rbBasico")->click();
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirmar a Gravação deste Usuário?")});
        QCOMPARE(f->messages().first().caption, QStringLiteral("Kalvero"));
        QCOMPARE(f->messages().first().icon, Icon::Question);
        QVERIFY(browsingWithFocusOnIncluir());
        // The user code and password as typed, the name in upper case.
        QCOMPARE(f->scalar(QStringLiteral("select SENHA || '/' || ACESSO || '/' || NOME from OPERACAO where USUARIO = 'op01'")),
                 QVariant(QStringLiteral("aB3$e/3/JOSE MARIA")));
        QVERIFY(!f->access->qrLocaliza.isActive());
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
        widget<QPushButton>("btnIncluir")->click();
        enter(user, password, name);
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{fillIn});
        QCOMPARE(f->messages().first().icon, Icon::Warning);
        QVERIFY(editing());
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtUsuario"));
        QCOMPARE(stored().size(), 2);
    }

    void anExistingCodeShowsThatOperator() {
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        enter(QStringLiteral("1234"), QStringLiteral("outra"), QStringLiteral("OUTRO NOME"));
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messageTexts().last(), taken);
        QCOMPARE(f->messages().last().icon, Icon::Error);
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(current("NOME"), QStringLiteral("MARIA"));
        QCOMPARE(f->access->tbOperacao.recordCount(), 2);
        QCOMPARE(f->scalar(QStringLiteral("select NOME from OPERACAO where USUARIO = '1234'")), QVariant(QStringLiteral("MARIA")));
    }

    // Another workstation registers the same code between the check and the
    // write: the code really is registered, and is said so as by the check.
    void aCodeRegisteredMeanwhileIsSaidRegistered() {
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        enter(QStringLiteral("OP09"), QStringLiteral("12345"), QStringLiteral("DESTA ESTACAO"));
        RecordSet &operators = f->access->tbOperacao;
        bool raced = false;
        const QMetaObject::Connection race = QObject::connect(&operators, &RecordSet::stateChanged, w.get(), [&] {
            if (!raced && operators.state() == RecordSet::State::Browse && operators.changeCount() > 0) {
                raced = true;
                f->addOperator(QStringLiteral("OP09"), QStringLiteral("54321"), 3, QStringLiteral("DA OUTRA"));
            }
        });
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QObject::disconnect(race);
        QVERIFY(raced);
        QCOMPARE(f->messageTexts().last(), taken);
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(current("NOME"), QStringLiteral("DA OUTRA"));
        QCOMPARE(f->scalar(QStringLiteral("select NOME from OPERACAO where USUARIO = 'OP09'")),
                 QVariant(QStringLiteral("DA OUTRA")));
    }

    void noWritesNothingAndALaterSaveOnlyItsOwn() {
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        enter(QStringLiteral("OP01"), QStringLiteral("12345"), QStringLiteral("PRIMEIRO"));
        widget<QPushButton>("btnGravar")->click();  // answered No
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(f->access->tbOperacao.recordCount(), 2);

        widget<QPushButton>("btnIncluir")->click();
        enter(QStringLiteral("OP02"), QStringLiteral("12345"), QStringLiteral("SEGUNDO"));
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(stored(), (QStringList{QStringLiteral("1234"), QStringLiteral("ADM1"), QStringLiteral("OP02")}));
    }

    void alterarChangesTheCurrentOperatorCodeIncluded() {
        openActive();
        QVERIFY(f->access->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        widget<QPushButton>("btnAlterar")->click();
        QVERIFY(editing());
        QVERIFY(widget<QRadioButton>("rbAvancado")->isChecked());
        QCOMPARE(widget<QLineEdit>("edtSenha")->displayText(), QStringLiteral("*****"));
        typeInto(widget<QLineEdit>("edtUsuario"), QStringLiteral("4321"));
        widget<QRadioButton>("rbAdministrador")->click();
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(f->scalar(QStringLiteral("select ACESSO || NOME from OPERACAO where USUARIO = '4321'")),
                 QVariant(QStringLiteral("1MARIA")));
        QCOMPARE(stored().size(), 2);
    }

    // Changed into another operator's code, the database refuses the write:
    // its message is shown and what was typed stays for Cancelar.
    void aRefusedWriteKeepsTheEntry() {
        openActive();
        QVERIFY(f->access->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        widget<QPushButton>("btnAlterar")->click();
        typeInto(widget<QLineEdit>("edtUsuario"), QStringLiteral("ADM1"));
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messages().size(), 2);
        QCOMPARE(f->messages().last().icon, Icon::Error);
        QVERIFY(editing());
        QCOMPARE(widget<QLineEdit>("edtUsuario")->text(), QStringLiteral("ADM1"));
        QVERIFY(!f->access->qrLocaliza.isActive());
        widget<QPushButton>("btnCancelar")->click();
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(stored(), (QStringList{QStringLiteral("1234"), QStringLiteral("ADM1")}));
    }

    // Another workstation changed this operator meanwhile: refused, then
    // taken again with the name typed here kept and its level shown.
    void anOperatorChangedElsewhereIsTakenWithTheTypingKept() {
        openActive();
        QVERIFY(f->access->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        widget<QPushButton>("btnAlterar")->click();
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("MARIA JOSE"));
        f->execute(f->accessDatabaseName(), QStringLiteral("update OPERACAO set ACESSO = 1 where USUARIO = '1234'"));
        f->answer({Answer::Yes, Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messages().size(), 3);
        QVERIFY(f->messages().at(1).text.contains(QStringLiteral("outra estação de trabalho")));
        QVERIFY(editing());
        QCOMPARE(widget<QLineEdit>("edtNome")->text(), QStringLiteral("MARIA JOSE"));
        QVERIFY(widget<QRadioButton>("rbAdministrador")->isChecked());
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QVERIFY(browsingWithFocusOnIncluir());
        QCOMPARE(f->scalar(QStringLiteral("select ACESSO || NOME from OPERACAO where USUARIO = '1234'")),
                 QVariant(QStringLiteral("1MARIA JOSE")));
    }

    void excluirDeletesAtOnceWithoutReloading() {
        openActive();
        f->addOperator(QStringLiteral("LATE"), QStringLiteral("12345"), 3, QStringLiteral("OUTRA ESTAÇÃO"));
        QVERIFY(f->access->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        widget<QPushButton>("btnExcluir")->click();  // answered No
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Deleção deste Usuário?")});
        QCOMPARE(f->messages().first().icon, Icon::Warning);
        QCOMPARE(stored().size(), 3);

        f->answer({Answer::Yes});
        widget<QPushButton>("btnExcluir")->click();
        QCOMPARE(stored(), (QStringList{QStringLiteral("ADM1"), QStringLiteral("LATE")}));
        // The list is as it was loaded, less the deleted operator.
        QCOMPARE(f->access->tbOperacao.recordCount(), 1);
    }

    void localizarNeedsFourDigits() {
        openActive();
        f->access->tbOperacao.first();
        QCOMPARE(current("USUARIO"), QStringLiteral("1234"));
        f->access->tbOperacao.last();
        QTest::keyClicks(widget<QLineEdit>("edtConsultaUsuario"), QStringLiteral("12a3"));
        QCOMPARE(widget<QLineEdit>("edtConsultaUsuario")->text(), QStringLiteral("123"));
        widget<QToolButton>("btnLocalizar")->click();
        QVERIFY(f->messages().isEmpty());
        QCOMPARE(current("USUARIO"), QStringLiteral("ADM1"));

        QTest::keyClicks(widget<QLineEdit>("edtConsultaUsuario"), QStringLiteral("45"));
        QCOMPARE(widget<QLineEdit>("edtConsultaUsuario")->text(), QStringLiteral("1234"));
        widget<QToolButton>("btnLocalizar")->click();
        QCOMPARE(current("USUARIO"), QStringLiteral("1234"));

        typeInto(widget<QLineEdit>("edtConsultaUsuario"), QStringLiteral("9999"));
        widget<QToolButton>("btnLocalizar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Usuário não cadastrado no Sistema!")});
        QCOMPARE(f->messages().first().icon, Icon::Question);
        QCOMPARE(widget<QToolButton>("btnLocalizar")->text(), QStringLiteral("Localizar"));
    }

    void enterMovesOnAndEscDoesNothing() {
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtSenha"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtNome"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QVERIFY(editing());
        // Enter on a button presses it.
        widget<QPushButton>("btnCancelar")->setFocus();
        QTest::keyClick(widget<QPushButton>("btnCancelar"), Qt::Key_Return);
        QVERIFY(browsingWithFocusOnIncluir());
        QTest::keyClick(widget<QPushButton>("btnIncluir"), Qt::Key_Escape);
        QVERIFY(w->isVisible());
    }

    // Enter, Tab and Shift+Tab pass the level group in one stop, its choice
    // unchanged; Enter on the level it stops at does not choose it.
    void theKeysPassTheLevelGroup_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
    }
    void theKeysPassTheLevelGroup() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        openActive();
        QVERIFY(f->access->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
        widget<QPushButton>("btnAlterar")->click();
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtUsuario"));
        auto *level = widget<QRadioButton>("rbAvancado")->parentWidget();
        auto press = [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers)); };
        press();
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtSenha"));
        press();
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtNome"));
        press();
        QVERIFY(qobject_cast<QRadioButton *>(QApplication::focusWidget()));
        QCOMPARE(QApplication::focusWidget()->parentWidget(), level);
        press();
        QCOMPARE(QApplication::focusWidget(), widget<QPushButton>("btnGravar"));
        QVERIFY(widget<QRadioButton>("rbAvancado")->isChecked());
        // Back from Gravar, Shift+Tab stops once in the group too.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->parentWidget(), level);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtNome"));
        QVERIFY(editing());
        QVERIFY(f->messages().isEmpty());
        QCOMPARE(f->access->tbOperacao.field(QStringLiteral("ACESSO")).asInteger(), 2);
    }

    // Without a close box the window is left through Sair; closed by other
    // means while an operator is entered, it writes nothing either.
    void closingDiscardsAndClosesTheRecordSet() {
        openActive();
        widget<QPushButton>("btnSair")->click();
        QVERIFY(!w->isVisible());
        QVERIFY(!f->access->tbOperacao.isActive());

        openActive();
        widget<QPushButton>("btnIncluir")->click();
        enter(QStringLiteral("OP01"), QStringLiteral("12345"), QStringLiteral("NOVO"));
        w->close();
        QVERIFY(!f->access->tbOperacao.isActive());
        QCOMPARE(stored().size(), 2);
    }
};

QTEST_MAIN(OperatorRegistryTest)
#include "tst_operator_registry.moc"
