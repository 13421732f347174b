#include "RegistryScreens.h"
#include "data/records/RecordSet.h"
#include "registries/ChildListController.h"
#include "ui/RecordGrid.h"

#include <QGroupBox>
#include <QPushButton>
#include <QLabel>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

// The required documents of a subject and the responsible persons of a
// sector: entered, numbered and written at once on the parent's edit tab.
class ChildListsTest : public QObject {
    Q_OBJECT

    struct Children {
        QString parentTable, parentCode, parentName;
        QString table, code, parent, name;
        QString noChildren, deleteFailure;
        bool numberedPerParent;
    };
    static Children documents() {
        return {QStringLiteral("TBASSUNTO"), QStringLiteral("IDASSUNTO"), QStringLiteral("DESCRICAO"),
                QStringLiteral("TBASSUNTO_DOCUMENTOS"), QStringLiteral("IDASSUNTO_DOCUMENTO"), QStringLiteral("IDASSUNTO"),
                QStringLiteral("NOMEDOCUMENTO"), QStringLiteral("Não há documentos cadastrados!"),
                QStringLiteral("Não foi possível EXCLUIR este registro, pois já existe referência para ele!"), true};
    }
    static Children persons() {
        return {QStringLiteral("TBSETOR"), QStringLiteral("IDSETOR"), QStringLiteral("NOME"),
                QStringLiteral("TBRESPONSAVEISPORSETOR"), QStringLiteral("IDRESPONSAVEL"), QStringLiteral("SETOR"),
                QStringLiteral("NOME"), QStringLiteral("Não há responsáveis cadastrados!"),
                QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"), false};
    }

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<QDialog> screen;
    Children c;
    RecordSet *parents = nullptr;
    RecordSet *childSet = nullptr;

    template <typename Widget = QPushButton>
    Widget *widget(const char *name) const {
        return named<Widget>(screen.get(), QLatin1String(name));
    }
    QGroupBox *entry() const { return widget<QGroupBox>("grpEntrada"); }
    QLineEdit *childName() const { return widget<QLineEdit>("edtNomeFilho"); }
    RecordGrid *childGrid() const { return widget<RecordGrid>("DBGrid2"); }

    void open() {
        screen.reset();
        TUDMCadastro &data = *f->registries;
        if (c.table == QLatin1String("TBASSUNTO_DOCUMENTOS")) {
            screen = std::make_unique<TCAD_Assuntos>(data, f->session);
            parents = &data.cdsTBAssunto;
            childSet = &data.cdsTBAssunto_Documentos;
        } else {
            screen = std::make_unique<TCAD_Setores>(data, f->session);
            parents = &data.cdsTBSetor;
            childSet = &data.cdsTBResponsavelPorSetor;
        }
    }
    void addParent(int code) {
        f->execute(QStringLiteral("insert into %1 (%2, %3) values (?, ?)").arg(c.parentTable, c.parentCode, c.parentName),
                   {code, QStringLiteral("PAI %1").arg(code)});
    }
    void addChild(int parent, int code) {
        f->execute(QStringLiteral("insert into %1 (%2, %3, %4) values (?, ?, ?)").arg(c.table, c.code, c.parent, c.name),
                   {code, parent, QStringLiteral("FILHO %1").arg(code)});
    }
    void alterarParent(int code) {
        QVERIFY(parents->locate(c.parentCode, code));
        widget("btnAlterar")->click();
    }
    // Enters a child through the entry group; gives the code it got.
    int enterChild(const QString &name) {
        widget("btnIncluirFilho")->click();
        typeInto(childName(), name);
        widget("btnGravarFilho")->click();
        return int(f->scalar(QStringLiteral("select %1 from %2 where %3 = ?").arg(c.code, c.table, c.name), {name}).toInt());
    }
    void deleteChild(int code) {
        QVERIFY(childSet->locate(c.code, code));
        f->answer({Answer::Yes});
        widget("btnExcluirFilho")->click();
    }
    int childCount() { return f->scalar(QStringLiteral("select count(*) from %1").arg(c.table)).toInt(); }
    void both() {
        QTest::addColumn<bool>("subject");
        QTest::newRow("documents") << true;
        QTest::newRow("persons") << false;
    }
    void pick() { c = QTest::currentDataTag() == QLatin1String("documents") ? documents() : persons(); }

private slots:
    void init() { f = std::make_unique<UnitFixture>(); }
    void cleanup() {
        screen.reset();
        f.reset();
    }

    // Another desk writes the child code that this one read, in the instant
    // before the write: the child is saved under the next code, without a message.
    void aChildCodeTakenMeanwhileGivesTheNext_data() { both(); }
    void aChildCodeTakenMeanwhileGivesTheNext() {
        pick();
        addParent(1);
        addChild(1, 1);
        open();
        alterarParent(1);
        bool raced = false;
        const QMetaObject::Connection race = QObject::connect(childSet, &RecordSet::stateChanged, screen.get(), [&] {
            if (!raced && childSet->state() == RecordSet::State::Browse && childSet->changeCount() > 0) {
                raced = true;
                addChild(1, 2);
            }
        });
        const int code = enterChild(QStringLiteral("NOVO"));
        QObject::disconnect(race);
        QCOMPARE(code, 3);
        QVERIFY(raced);
        QVERIFY(f->messages().isEmpty());
        QVERIFY(!entry()->isVisibleTo(screen.get()));
        QCOMPARE(childCount(), 3);
    }

    void aNewParentTakesChildrenOnlyOnceSaved_data() { both(); }
    void aNewParentTakesChildrenOnlyOnceSaved() {
        pick();
        open();
        widget("btnIncluir")->click();
        QVERIFY(!entry()->isVisibleTo(screen.get()));
        for (QWidget *w : {widget<QWidget>("btnIncluirFilho"), widget<QWidget>("btnAlterarFilho"),
                           widget<QWidget>("btnExcluirFilho"), static_cast<QWidget *>(childGrid())})
            QVERIFY(!w->isEnabled());
        widget("btnCancelar")->click();
        addParent(1);
        open();
        alterarParent(1);
        QVERIFY(widget("btnIncluirFilho")->isEnabled());
        QVERIFY(childGrid()->isEnabled());
        widget("btnIncluirFilho")->click();
        QVERIFY(entry()->isVisibleTo(screen.get()));
        QCOMPARE(screen->findChild<ChildListController *>()->ChildEntryMode(), ChildListController::Mode::New);
        QVERIFY(!widget("btnIncluirFilho")->isEnabled());
        QVERIFY(!childGrid()->isEnabled());
        widget("btnGravarFilho")->click();  // an empty name does nothing
        QVERIFY(entry()->isVisibleTo(screen.get()));
        QCOMPARE(childCount(), 0);
        widget("btnVoltarFilho")->click();
        QVERIFY(!entry()->isVisibleTo(screen.get()));
        QVERIFY(widget("btnIncluirFilho")->isEnabled());
        QVERIFY(childSet->isEmpty());
        QVERIFY(f->messages().isEmpty());
    }

    void emptyChildListMessages_data() { both(); }
    void emptyChildListMessages() {
        pick();
        addParent(1);
        open();
        alterarParent(1);
        widget("btnAlterarFilho")->click();
        QCOMPARE(f->messageTexts(), QStringList{c.noChildren});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Error);
        QVERIFY(!entry()->isVisibleTo(screen.get()));
        f->answer({Answer::Yes});
        widget("btnExcluirFilho")->click();
        QCOMPARE(f->messageTexts().last(), c.deleteFailure);
        for (const MessageService::Message &m : f->messages())
            QCOMPARE(m.caption, QStringLiteral("Kalvero"));
    }

    void cancelarOfTheParentKeepsItsChildren_data() { both(); }
    void cancelarOfTheParentKeepsItsChildren() {
        pick();
        addParent(1);
        open();
        alterarParent(1);
        enterChild(QStringLiteral("PRIMEIRO"));
        enterChild(QStringLiteral("SEGUNDO"));
        QCOMPARE(childSet->recordCount(), 2);
        widget("btnCancelar")->click();
        QCOMPARE(childCount(), 2);
        QCOMPARE(f->scalar(QStringLiteral("select count(*) from %1 where %2 = 1").arg(c.table, c.parent)).toInt(), 2);
    }

    void aChildIsChangedInPlace_data() { both(); }
    void aChildIsChangedInPlace() {
        pick();
        addParent(1);
        addChild(1, 1);
        open();
        alterarParent(1);
        widget("btnAlterarFilho")->click();
        QCOMPARE(screen->findChild<ChildListController *>()->ChildEntryMode(), ChildListController::Mode::Change);
        QCOMPARE(childName()->text(), QStringLiteral("FILHO 1"));
        typeInto(childName(), QStringLiteral("renomeado"));
        widget("btnGravarFilho")->click();
        QCOMPARE(f->scalar(QStringLiteral("select %1 from %2 where %3 = 1").arg(c.name, c.table, c.code)).toString(),
                 QStringLiteral("RENOMEADO"));
        QCOMPARE(childCount(), 1);
        QCOMPARE(f->session.LastSavedResponsibleCode, c.numberedPerParent ? 0 : 1);

        // Changed at another desk meanwhile: refused, then taken again with
        // this desk's typing kept, and saved.
        widget("btnAlterarFilho")->click();
        typeInto(childName(), QStringLiteral("desta mesa"));
        f->execute(QStringLiteral("update %1 set %2 = 'OUTRA MESA' where %3 = 1").arg(c.table, c.name, c.code));
        f->clearMessages();
        f->answer({Answer::Yes});
        widget("btnGravarFilho")->click();
        QCOMPARE(f->messageTexts().size(), 2);
        QVERIFY(f->messageTexts().at(0).contains(QStringLiteral("outra estação de trabalho")));
        QVERIFY(f->messageTexts().at(1).startsWith(QStringLiteral("Deseja trazer para a tela o registro")));
        QVERIFY(entry()->isVisibleTo(screen.get()));
        QCOMPARE(childName()->text().toUpper(), QStringLiteral("DESTA MESA"));
        // Changed at both desks: the other name shows beside the box, and
        // the save asks before replacing it; No keeps the entry.
        auto *other = screen->findChild<QLabel *>(QStringLiteral("lblOutraEstacao_edtNomeFilho"));
        QVERIFY(other && other->isVisibleTo(screen.get()));
        QCOMPARE(other->text(), QStringLiteral("Na outra estação:\nOUTRA MESA"));
        f->clearMessages();
        widget("btnGravarFilho")->click();
        QCOMPARE(f->messageTexts().size(), 1);
        QVERIFY(f->messageTexts().at(0).contains(QStringLiteral("Deseja substituí-lo")));
        QVERIFY(entry()->isVisibleTo(screen.get()));
        QCOMPARE(f->scalar(QStringLiteral("select %1 from %2 where %3 = 1").arg(c.name, c.table, c.code)).toString(),
                 QStringLiteral("OUTRA MESA"));
        f->answer({Answer::Yes});
        widget("btnGravarFilho")->click();
        QVERIFY(!entry()->isVisibleTo(screen.get()));
        QVERIFY(!other->isVisibleTo(screen.get()));
        QCOMPARE(f->scalar(QStringLiteral("select %1 from %2 where %3 = 1").arg(c.name, c.table, c.code)).toString(),
                 QStringLiteral("DESTA MESA"));
    }

    void documentsAreNumberedWithinTheirSubject() {
        c = documents();
        addParent(1);
        addParent(2);
        for (int d = 1; d <= 3; ++d)
            addChild(1, d);
        open();
        alterarParent(2);
        QCOMPARE(enterChild(QStringLiteral("RG")), 1);
        QCOMPARE(childGrid()->model()->index(0, 0).data().toString(), QStringLiteral("001"));
        widget("btnCancelar")->click();

        alterarParent(1);
        deleteChild(3);
        QCOMPARE(enterChild(QStringLiteral("CPF")), 3);
        deleteChild(2);
        QCOMPARE(enterChild(QStringLiteral("COMPROVANTE")), 4);
        QCOMPARE(childSet->recordCount(), 3);
        QCOMPARE(f->session.LastSavedResponsibleCode, 0);
    }

    void personsAreNumberedOverAllSectors() {
        c = persons();
        addParent(1);
        addParent(2);
        addChild(1, 1);
        addChild(1, 2);
        open();
        alterarParent(2);
        QCOMPARE(enterChild(QStringLiteral("MARIA")), 3);
        QCOMPARE(f->scalar(QStringLiteral("select SETOR from TBRESPONSAVEISPORSETOR where IDRESPONSAVEL = 3")).toInt(), 2);
        QCOMPARE(f->session.LastSavedResponsibleCode, 3);
        deleteChild(3);
        widget("btnCancelar")->click();
        alterarParent(1);
        QCOMPARE(enterChild(QStringLiteral("JOSE")), 3);
        QCOMPARE(childSet->recordCount(), 3);
    }

    void aSectorWithPersonsCannotBeDeleted() {
        c = persons();
        addParent(1);
        addChild(1, 1);
        open();
        f->answer({Answer::Yes});
        widget("btnExcluir")->click();
        QCOMPARE(f->messageTexts().last(),
                 QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"));
        QCOMPARE(childCount(), 1);
        QCOMPARE(parents->recordCount(), 1);
    }
};

QTEST_MAIN(ChildListsTest)
#include "tst_child_lists.moc"
