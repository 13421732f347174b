#include "AccessFixture.h"

#include "access/TFrmCadUnidadeTrabalho.h"
#include "access/TFrmSenha.h"
#include "data/ProgramPaths.h"
#include "data/records/RecordSet.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;
using Icon = MessageService::Icon;

// The work-unit registry, and the folders and database a new unit gets.
class UnitRegistryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AccessFixture> f;
    std::unique_ptr<TFrmCadUnidadeTrabalho> w;
    template <typename Widget>
    Widget *widget(const char *name) const {
        return named<Widget>(w.get(), QLatin1String(name));
    }

    const QString fillIn = QStringLiteral("Preencha todos os campos corretamente!");

    void openActive() {
        w = std::make_unique<TFrmCadUnidadeTrabalho>(*f->access, Session);
        QVERIFY(showActive(w.get()));
    }
    bool editing() const { return widget<QTabWidget>("PageGeral")->currentWidget() == widget<QWidget>("tabManutencao"); }
    bool browsing() const { return widget<QTabWidget>("PageGeral")->currentWidget() == widget<QWidget>("tabConsulta"); }
    void addUnits(std::initializer_list<const char *> codes) {
        for (const char *code : codes)
            f->addUnit(QLatin1String(code), QStringLiteral("PREFEITURA MUNICIPAL DE TESTE"),
                       ProgramPaths::unitFolder(f->folder(), QLatin1String(code)));
    }
    QString current(const char *field) { return f->access->tbAcesso.field(QLatin1String(field)).asString(); }
    QString unitFolder(const QString &code) const { return ProgramPaths::unitFolder(f->folder(), code); }
    QString unitDatabase(const QString &code) const { return ProgramPaths::unitDatabase(unitFolder(code)); }
    // Incluir, the municipality typed, Grava answered Yes.
    void saveNewUnit(const QString &year = {}) {
        widget<QPushButton>("btnIncluir")->click();
        typeInto(widget<QLineEdit>("edtAno"), year);
        typeInto(widget<QLineEdit>("edtMunicipio"), QStringLiteral("nova cidade"));
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
    }

private slots:
    void init() { f = std::make_unique<AccessFixture>(); }
    void cleanup() {
        w.reset();
        f.reset();
    }

    void zeroPadKeepsTheLastDigits_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("padded");
        QTest::newRow("7") << 7 << 2 << "07";
        QTest::newRow("42") << 42 << 2 << "42";
        QTest::newRow("100") << 100 << 2 << "00";
        QTest::newRow("0") << 0 << 2 << "00";
        QTest::newRow("5 in 4") << 5 << 4 << "0005";
    }
    void zeroPadKeepsTheLastDigits() {
        QFETCH(int, number);
        QFETCH(int, width);
        QFETCH(QString, padded);
        QCOMPARE(ZeroPad(number, width), padded);
    }

    void incluirProposesTheNextCodeNameAndFolder() {
        addUnits({"02", "03"});
        openActive();
        QCOMPARE(w->windowTitle(), QStringLiteral("Cadastro de Unidade De Trabalho"));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(widget<QPushButton>("btnGravar")->text(), QStringLiteral("&Grava"));
        widget<QPushButton>("btnIncluir")->click();
        QVERIFY(editing());
        QCOMPARE(widget<QLineEdit>("edtCodigo")->text(), QStringLiteral("04"));
        QCOMPARE(widget<QLineEdit>("edtPrefeitura")->text(), QStringLiteral("PREFEITURA MUNICIPAL DE "));
        QCOMPARE(widget<QLineEdit>("edtCaminho")->text(), f->folder() + QStringLiteral("UN04/"));
        QVERIFY(!widget<QLineEdit>("edtCaminho")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtPrefeitura"));

        // Leaving the code box points the unit at its folder in the program folder.
        widget<QLineEdit>("edtCodigo")->setFocus(Qt::MouseFocusReason);
        typeInto(widget<QLineEdit>("edtCodigo"), QStringLiteral("05"));
        QTest::keyClick(widget<QLineEdit>("edtCodigo"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtAno"));
        QCOMPARE(widget<QLineEdit>("edtCaminho")->text(), f->folder() + QStringLiteral("UN05/"));
    }

    void afterUnit99TheProposedCodeIs00() {
        addUnits({"99"});
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        QCOMPARE(widget<QLineEdit>("edtCodigo")->text(), QStringLiteral("00"));
    }

    void aNewUnitGetsItsFoldersAndDatabase_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("backup");
        QTest::newRow("no year") << "" << "Backup/UN02/";
        QTest::newRow("year 2015") << "2015" << "Backup/UN02/2015";
    }
    void aNewUnitGetsItsFoldersAndDatabase() {
        QFETCH(QString, year);
        QFETCH(QString, backup);
        openActive();
        saveNewUnit(year);
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação Desta UNIDADE DE TRABALHO?")});
        QVERIFY(browsing());
        QCOMPARE(QApplication::focusWidget(), widget<QPushButton>("btnIncluir"));
        QCOMPARE(f->units(), (QStringList{QStringLiteral("01"), QStringLiteral("02")}));
        QCOMPARE(f->scalar(QStringLiteral("select PREFEITURA || '|' || CAMINHO || '|' || MUNICIPIO from ACESSO "
                                          "where CODIGO = '02'")),
                 QVariant(QStringLiteral("PREFEITURA MUNICIPAL DE |%1|NOVA CIDADE").arg(unitFolder("02"))));
        QVERIFY(QFileInfo(f->folder() + backup).isDir());
        QCOMPARE(QFileInfo(unitDatabase("02")).size(),
                 QFileInfo(ProgramPaths::templateDatabase(f->folder())).size());
        // The year box keeps its text until the window closes.
        QCOMPARE(widget<QLineEdit>("edtAno")->text(), year);
    }

    // Logged into at once: the new unit's database opens and is the template's.
    void theNewUnitCanBeLoggedInto() {
        openActive();
        saveNewUnit();
        w.reset();
        TFrmSenha login;
        QVERIFY(showActive(&login));
        login.edtUsuario->setText(QStringLiteral("ADM1"));
        login.edtSenha->setText(QStringLiteral("12345"));
        login.btnOK->click();
        login.cbUnidade->setCurrentIndex(login.cbUnidade->findText(QStringLiteral("02-"), Qt::MatchStartsWith));
        login.unitPicked();
        login.btnDefinirUnidade->click();
        QVERIFY(login.UnitChosen);
        QCOMPARE(Session.UnitCode, QStringLiteral("02"));
        QCOMPARE(f->scalar(QStringLiteral("select count(*) from ACESSO")).toInt(), 2);
        QCOMPARE(scalarOn(f->unitDatabaseName(QStringLiteral("02")),
                                      QStringLiteral("select count(*) from TBSOLICITANTE")).toInt(), 0);
    }

    // A unit deleted from the list and added again finds its register where it left it.
    void anExistingDatabaseIsKept() {
        QDir().mkpath(unitFolder("02"));
        QVERIFY(QFile::copy(ProgramPaths::unitDatabase(unitFolder("01")), unitDatabase("02")));
        executeOn(f->unitDatabaseName(QStringLiteral("02")),
                              QStringLiteral("insert into TBSETOR (IDSETOR, NOME) values (1, 'PROTOCOLO')"));
        openActive();
        saveNewUnit();
        QCOMPARE(f->messages().size(), 2);
        QCOMPARE(f->messages().last().icon, Icon::Information);
        QVERIFY(f->messages().last().text.contains(unitDatabase("02")));
        QCOMPARE(f->units().size(), 2);
        QCOMPARE(scalarOn(f->unitDatabaseName(QStringLiteral("02")),
                                      QStringLiteral("select NOME from TBSETOR")),
                 QVariant(QStringLiteral("PROTOCOLO")));
    }

    void aFailedCopyOrFolderIsReported() {
        const QString templatePath = ProgramPaths::templateDatabase(f->folder());
        QVERIFY(QFile::rename(templatePath, templatePath + QStringLiteral(".away")));
        openActive();
        saveNewUnit();
        QCOMPARE(f->messages().size(), 2);
        const MessageService::Message &copy = f->messages().last();
        QCOMPARE(copy.caption, QStringLiteral("Kalvero"));
        QCOMPARE(copy.icon, Icon::Error);
        QVERIFY(copy.text.contains(templatePath));
        QVERIFY(copy.text.contains(unitDatabase("02")));
        QVERIFY2(copy.text.contains(QStringLiteral("No such file")), qPrintable(copy.text));
        QVERIFY(!QFile::exists(unitDatabase("02")));
        QCOMPARE(f->units().size(), 2);  // registered all the same

        // A unit folder that cannot be made: a file stands in its place.
        QFile blocker(f->folder() + QStringLiteral("UN03"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f->answer({Answer::Yes});
        saveNewUnit();
        const MessageService::Message &folder = f->messages().last();
        QCOMPARE(folder.icon, Icon::Error);
        QVERIFY2(folder.text.startsWith(QStringLiteral("Não foi possível criar a pasta %1").arg(unitFolder("03"))),
                 qPrintable(folder.text));
    }

    void refusedEntriesWriteAndMakeNothing() {
        openActive();
        // A one-character code.
        widget<QPushButton>("btnIncluir")->click();
        widget<QLineEdit>("edtCodigo")->setFocus(Qt::MouseFocusReason);
        typeInto(widget<QLineEdit>("edtCodigo"), QStringLiteral("7"));
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{fillIn});
        QCOMPARE(f->messages().first().icon, Icon::Warning);
        QVERIFY(editing());
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtPrefeitura"));
        widget<QPushButton>("btnCancelar")->click();
        QVERIFY(browsing());

        // No at the question.
        f->clearMessages();
        widget<QPushButton>("btnIncluir")->click();
        typeInto(widget<QLineEdit>("edtMunicipio"), QStringLiteral("CIDADE"));
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messages().size(), 1);
        QVERIFY(browsing());

        // A code that exists: that unit is shown.
        widget<QPushButton>("btnIncluir")->click();
        widget<QLineEdit>("edtCodigo")->setFocus(Qt::MouseFocusReason);
        typeInto(widget<QLineEdit>("edtCodigo"), QStringLiteral("01"));
        typeInto(widget<QLineEdit>("edtMunicipio"), QStringLiteral("CIDADE"));
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messageTexts().last(), QStringLiteral("Código da Unidade de Trabalho já cadastrada no Sistema..."));
        QCOMPARE(f->messages().last().icon, Icon::Error);
        QVERIFY(browsing());
        QCOMPARE(current("CODIGO"), QStringLiteral("01"));
        QCOMPARE(f->access->tbAcesso.recordCount(), 1);

        QCOMPARE(f->units(), QStringList{QStringLiteral("01")});
        QVERIFY(!QFileInfo::exists(unitFolder("02")));
        QVERIFY(!QFileInfo::exists(unitFolder("07")));
    }

    void alterarWritesWithoutTouchingTheDisk() {
        addUnits({"05"});
        openActive();
        QVERIFY(f->access->tbAcesso.locate(QStringLiteral("CODIGO"), QStringLiteral("05")));
        widget<QPushButton>("btnAlterar")->click();
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtPrefeitura"));
        typeInto(widget<QLineEdit>("edtPrefeitura"), QStringLiteral("camara municipal"));
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QVERIFY(browsing());
        QCOMPARE(f->scalar(QStringLiteral("select PREFEITURA from ACESSO where CODIGO = '05'")),
                 QVariant(QStringLiteral("CAMARA MUNICIPAL")));
        QVERIFY(!QFileInfo::exists(unitFolder("05")));
    }

    void excluirLeavesTheFilesAndLocalizarFindsByTwoDigits() {
        addUnits({"05"});
        openActive();
        typeInto(widget<QLineEdit>("edtConsultaCodigo"), QStringLiteral("5"));
        widget<QToolButton>("btnLocalizar")->click();
        QVERIFY(f->messages().isEmpty());
        QCOMPARE(current("CODIGO"), QStringLiteral("01"));
        typeInto(widget<QLineEdit>("edtConsultaCodigo"), QStringLiteral("09"));
        widget<QToolButton>("btnLocalizar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("UNIDADE DE TRABALHO não Cadastrada no Sistema!")});
        QCOMPARE(f->messages().first().icon, Icon::Warning);

        typeInto(widget<QLineEdit>("edtConsultaCodigo"), QStringLiteral("01"));
        widget<QToolButton>("btnLocalizar")->click();
        QCOMPARE(current("CODIGO"), QStringLiteral("01"));
        f->answer({Answer::Yes});
        widget<QPushButton>("btnExcluir")->click();
        QCOMPARE(f->messages().last().text, QStringLiteral("Confirma a Deleção Desta UNIDADE DE TRABALHO?"));
        QCOMPARE(f->messages().last().icon, Icon::Question);
        QCOMPARE(f->units(), QStringList{QStringLiteral("05")});
        QVERIFY(QFile::exists(unitDatabase("01")));
    }

    // The login's registry buttons open these windows; back from one, the
    // login waits for a new operator.
    void theLoginOpensBothRegistries() {
        TFrmSenha login;
        QVERIFY(showActive(&login));
        QStringList titles;
        for (QPushButton *button : {login.btnCadastroSenha, login.btnCadastroUnidade}) {
            login.edtUsuario->setText(QStringLiteral("ADM1"));
            login.edtSenha->setText(QStringLiteral("12345"));
            login.btnOK->click();
            QVERIFY(button->isEnabled());
            QTimer::singleShot(0, [&] {
                QWidget *registry = QApplication::activeModalWidget();
                titles << (registry ? registry->windowTitle() : QString());
                if (auto *sair = registry ? registry->findChild<QPushButton *>(QStringLiteral("btnSair")) : nullptr)
                    sair->click();
            });
            button->click();
            QVERIFY(!login.LoginAccepted);
            QVERIFY(!login.btnCadastroSenha->isEnabled() && !login.btnCadastroUnidade->isEnabled());
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("Cadastro de Senha"), QStringLiteral("Cadastro de Unidade De Trabalho")}));
    }
};

QTEST_MAIN(UnitRegistryTest)
#include "tst_unit_registry.moc"
