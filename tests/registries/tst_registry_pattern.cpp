#include "RegistryScreens.h"
#include "data/records/RecordSet.h"
#include "ui/RecordGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

// The behaviour the requester, subject and sector windows share, driven on
// each of them.
class RegistryPatternTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    RegistryScreen s;
    std::unique_ptr<QDialog> screen;

    QPushButton *button(const char *name) { return named<QPushButton>(screen.get(), QLatin1String(name)); }
    QTabWidget *pages() { return named<QTabWidget>(screen.get(), QStringLiteral("PageGeral")); }
    RegistryController *registry() { return s.registry(screen.get()); }
    RecordSet &records() { return s.records(*f->registries); }
    void open() {
        screen.reset();  // one window at a time, as the program opens them
        screen.reset(s.make(*f));
    }
    int count() { return f->scalar(QStringLiteral("select count(*) from %1").arg(s.table)).toInt(); }
    QString nameOf(int code) {
        return f->scalar(QStringLiteral("select %1 from %2 where %3 = ?").arg(s.nameColumn, s.table, s.codeField), {code})
            .toString();
    }
    QStringList listed() {
        QStringList names;
        RecordSet &r = records();
        const int column = r.fieldIndex(s.nameColumn);
        for (int row = 0; row < r.recordCount(); ++row)
            names << r.valueAt(row, column).toString();
        return names;
    }
    bool browsing() {
        QTabWidget *tabs = pages();
        return tabs->isTabVisible(0) && !tabs->isTabVisible(1) && tabs->currentIndex() == 0;
    }
    bool editing() {
        QTabWidget *tabs = pages();
        return !tabs->isTabVisible(0) && tabs->isTabVisible(1) && tabs->currentIndex() == 1 &&
               tabs->isTabEnabled(1) && !tabs->isTabEnabled(0);
    }
    void screens() {
        QTest::addColumn<int>("which");
        const QList<RegistryScreen> all = registryScreens();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(all.at(i).name)) << i;
    }

private slots:
    void init() {
        f = std::make_unique<UnitFixture>();
        if (QTest::currentDataTag())
            s = registryScreens().at(QTest::currentDataTag() == QLatin1String("requesters") ? 0
                                     : QTest::currentDataTag() == QLatin1String("subjects") ? 1 : 2);
    }
    void cleanup() {
        screen.reset();
        f.reset();
    }

    void newRecordTakesTheNextCodeWhenSaved_data() { screens(); }
    void newRecordTakesTheNextCodeWhenSaved() {
        open();
        QVERIFY(browsing());
        button("btnIncluir")->click();
        QVERIFY(editing());
        QCOMPARE(registry()->RegistryMode(), RegistryController::Mode::New);
        QCOMPARE(s.codeBox(screen.get())->text(), s.codeText(1));
        QVERIFY(!s.codeBox(screen.get())->isEnabled());
        s.fill(screen.get(), QStringLiteral("PRIMEIRO"));
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QVERIFY2(browsing(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(f->messageTexts(), QStringList{s.saveConfirm});
        QCOMPARE(nameOf(1), QStringLiteral("PRIMEIRO"));
        QCOMPARE(f->session.*s.handoff, 1);

        // Codes 2 and 3 written elsewhere: the next code shown is 4 and the
        // list stays in code order until it is next loaded.
        s.insert(*f, 3, QStringLiteral("AAA"));
        s.insert(*f, 2, QStringLiteral("BBB"));
        button("btnIncluir")->click();
        QCOMPARE(s.codeBox(screen.get())->text(), s.codeText(4));
        RecordSet &r = records();
        QCOMPARE(r.valueAt(0, r.fieldIndex(s.codeField)).toInt(), 1);
        QCOMPARE(r.valueAt(2, r.fieldIndex(s.codeField)).toInt(), 3);
        s.fill(screen.get(), QStringLiteral("SEGUNDO"), 60);
        // Another workstation takes a higher code meanwhile, not the one
        // shown: the record gets the next free code when it is written.
        s.insert(*f, 7, QStringLiteral("OUTRO"));
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QVERIFY(browsing());
        QCOMPARE(nameOf(8), QStringLiteral("SEGUNDO"));
        QCOMPARE(f->session.*s.handoff, 8);
    }

    // Opened from a window in a corner, the register still opens in the
    // middle of the screen; a list of many rows shows every column, each at
    // least as wide as its title, without scrolling sideways.
    void opensCentredWithEveryColumnInView_data() { screens(); }
    void opensCentredWithEveryColumnInView() {
        for (int code = 1; code <= 40; ++code)
            s.insert(*f, code, QStringLiteral("NOME %1").arg(code));
        QWidget corner;
        corner.setGeometry(0, 0, 120, 90);
        corner.show();
        open();
        screen->setParent(&corner, screen->windowFlags());
        const auto unparent = qScopeGuard([this] { screen->setParent(nullptr); });
        QVERIFY(UnitFixture::showActive(screen.get()));
        const QPoint middle = screen->screen()->availableGeometry().center();
        const QPoint centre = screen->frameGeometry().center();
        QVERIFY2((centre - middle).manhattanLength() <= 6,
                 qPrintable(QStringLiteral("window centre %1,%2, screen's %3,%4")
                                .arg(centre.x()).arg(centre.y()).arg(middle.x()).arg(middle.y())));

        auto inView = [](RecordGrid *grid) {
            QVERIFY(grid->model()->columnCount() > 0);
            int total = 0;
            const QFontMetrics titles(grid->horizontalHeader()->font());
            for (int c = 0; c < grid->model()->columnCount(); ++c) {
                const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
                QVERIFY2(grid->columnWidth(c) >= titles.horizontalAdvance(title), qPrintable(title));
                total += grid->columnWidth(c);
            }
            QVERIFY2(total <= grid->viewport()->width(),
                     qPrintable(QStringLiteral("%1 > %2").arg(total).arg(grid->viewport()->width())));
            QVERIFY(!grid->horizontalScrollBar()->isVisible());
        };
        inView(named<RecordGrid>(screen.get(), QStringLiteral("DBGrid1")));
        // The sector's persons, three columns in the edit tab.
        if (s.table == QLatin1String("TBSETOR")) {
            for (int code = 1; code <= 20; ++code)
                f->execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR (IDRESPONSAVEL, NOME, SETOR) values (?, ?, 1)"),
                           {code, QStringLiteral("PESSOA %1").arg(code)});
            QVERIFY(records().locate(s.codeField, 1));
            button("btnAlterar")->click();
            QVERIFY(editing());
            inView(named<RecordGrid>(screen.get(), QStringLiteral("DBGrid2")));
        }
    }

    // The code shown at Incluir and the one read just before the write may
    // both be taken by other workstations: the record is saved under the
    // next free code, without a message beyond the save question.
    void codesTakenMeanwhileGiveTheNext_data() { screens(); }
    void codesTakenMeanwhileGiveTheNext() {
        s.insert(*f, 1, QStringLiteral("EXISTENTE"));
        open();
        button("btnIncluir")->click();
        QCOMPARE(registry()->provisionalCode(), 2);
        s.fill(screen.get(), QStringLiteral("NOVO"), 50);
        s.insert(*f, 2, QStringLiteral("DA OUTRA ESTAÇÃO"));
        // Another desk writes code 3 in the instant between the key query and the write.
        bool raced = false;
        const QMetaObject::Connection race = QObject::connect(&records(), &RecordSet::stateChanged, screen.get(), [&] {
            if (!raced && records().state() == RecordSet::State::Browse) {
                raced = true;
                s.insert(*f, 3, QStringLiteral("NO MESMO INSTANTE"));
            }
        });
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QObject::disconnect(race);
        QVERIFY(raced);
        QCOMPARE(f->messageTexts(), QStringList{s.saveConfirm});
        QVERIFY(browsing());
        QCOMPARE(count(), 4);
        QCOMPARE(nameOf(3), QStringLiteral("NO MESMO INSTANTE"));
        QCOMPARE(nameOf(4), QStringLiteral("NOVO"));
        QCOMPARE(f->session.*s.handoff, 4);
    }

    void gravarStopsOnMissingDataAndOnNo_data() { screens(); }
    void gravarStopsOnMissingDataAndOnNo() {
        open();
        button("btnIncluir")->click();
        button("btnGravar")->click();
        QCOMPARE(f->messages().size(), 1);
        QCOMPARE(f->messages().first().caption, QStringLiteral("Kalvero"));
        QVERIFY(editing());
        f->clearMessages();
        s.fill(screen.get(), QStringLiteral("TALVEZ"));
        f->answer({Answer::No});
        button("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{s.saveConfirm});
        QVERIFY(editing());
        QCOMPARE(records().state(), RecordSet::State::Insert);
        QCOMPARE(count(), 0);
    }

    void cancelAndClosingWriteNothing_data() { screens(); }
    void cancelAndClosingWriteNothing() {
        open();
        button("btnIncluir")->click();
        s.fill(screen.get(), QStringLiteral("CANCELADO"));
        button("btnCancelar")->click();
        QVERIFY(browsing());
        QVERIFY(records().isEmpty());
        button("btnIncluir")->click();
        s.fill(screen.get(), QStringLiteral("FECHADO"));
        screen->reject();  // the title bar's close box
        QVERIFY(!records().isActive());
        QCOMPARE(count(), 0);
        QCOMPARE(f->session.*s.handoff, 0);
    }

    void alterarChangesTheCurrentRecord_data() { screens(); }
    void alterarChangesTheCurrentRecord() {
        open();
        s.textSearch(screen.get())->setText(QStringLiteral("X"));
        button("btnAlterar")->click();
        QCOMPARE(f->messageTexts(), QStringList{s.notRegisteredAlterar});
        QVERIFY(browsing());
        QVERIFY(s.textSearch(screen.get())->text().isEmpty());
        f->clearMessages();

        s.insert(*f, 1, QStringLiteral("ALFA"));
        s.insert(*f, 2, QStringLiteral("BETA"));
        open();
        QCOMPARE(listed(), (QStringList{QStringLiteral("ALFA"), QStringLiteral("BETA")}));
        QVERIFY(records().locate(s.codeField, 2));
        button("btnAlterar")->click();
        QVERIFY(editing());
        QCOMPARE(registry()->RegistryMode(), RegistryController::Mode::Change);
        QCOMPARE(s.nameBox(screen.get())->text(), QStringLiteral("BETA"));
        typeInto(s.nameBox(screen.get()), QStringLiteral("beta nova"));
        QCOMPARE(s.nameBox(screen.get())->text(), QStringLiteral("BETA NOVA"));
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QVERIFY2(browsing(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(nameOf(2), QStringLiteral("BETA NOVA"));
        QCOMPARE(nameOf(1), QStringLiteral("ALFA"));
        QCOMPARE(count(), 2);
        QCOMPARE(f->session.*s.handoff, s.handoffOnChange ? 2 : 0);
    }

    void excluirKeepsWhatOthersReferTo_data() { screens(); }
    void excluirKeepsWhatOthersReferTo() {
        const QString failure = QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!");
        open();
        f->answer({Answer::Yes});
        button("btnExcluir")->click();  // empty list
        QCOMPARE(f->messageTexts().last(), failure);
        f->clearMessages();

        s.insert(*f, 1, QStringLiteral("ALFA"));
        s.insert(*f, 2, QStringLiteral("BETA"));
        s.reference(*f, 2);
        open();
        QVERIFY(records().locate(s.codeField, 1));
        f->answer({Answer::No});
        button("btnExcluir")->click();
        QCOMPARE(count(), 2);
        f->answer({Answer::Yes});
        button("btnExcluir")->click();
        QCOMPARE(nameOf(1), QString());
        QCOMPARE(listed(), QStringList{QStringLiteral("BETA")});
        f->clearMessages();
        f->answer({Answer::Yes});
        button("btnExcluir")->click();
        QCOMPARE(f->messageTexts().last(), failure);
        QCOMPARE(f->messages().last().icon, MessageService::Icon::Error);
        QCOMPARE(nameOf(2), QStringLiteral("BETA"));
        QCOMPARE(listed(), QStringList{QStringLiteral("BETA")});
        QVERIFY(browsing());
    }

    void textSearchFindsWhatWasTyped_data() { screens(); }
    void textSearchFindsWhatWasTyped() {
        const QStringList names = {QStringLiteral("ANA"), QStringLiteral("O'BRIEN"), QStringLiteral("100% SUCO"),
                                   QStringLiteral("A_B"), QStringLiteral("AXB")};
        for (int i = 0; i < names.size(); ++i)
            s.insert(*f, i + 1, names.at(i));
        open();
        QLineEdit *search = s.textSearch(screen.get());
        QCOMPARE(search->maxLength(), s.nameWidth);
        QCOMPARE(s.nameBox(screen.get())->maxLength(), s.nameWidth);
        const QList<QPair<QString, QStringList>> cases = {
            {QStringLiteral("'"), {QStringLiteral("O'BRIEN")}},
            {QStringLiteral("%"), {QStringLiteral("100% SUCO")}},
            {QStringLiteral("_"), {QStringLiteral("A_B")}},
            {QStringLiteral("x"), {QStringLiteral("AXB")}},
            {QStringLiteral("\\"), {}},
            {QStringLiteral("a"), {QStringLiteral("ANA"), QStringLiteral("AXB"), QStringLiteral("A_B")}},
        };
        for (const auto &c : cases) {
            typeInto(search, c.first);
            QCOMPARE(listed(), c.second);
        }
        // A box full of characters that the pattern escapes.
        typeInto(search, QString(s.nameWidth, QLatin1Char('%')));
        QCOMPARE(search->text().size(), s.nameWidth);
        QCOMPARE(listed(), QStringList());
        search->clear();
        QCOMPARE(listed().size(), names.size());
        QVERIFY2(f->messages().isEmpty(), qPrintable(f->messageTexts().join('|')));
    }

    // Names are found as a person reads them: accents and case ignored,
    // by the database, whichever way the name was stored or typed.
    void textSearchIgnoresAccentsAndCase_data() { screens(); }
    void textSearchIgnoresAccentsAndCase() {
        const QStringList names = {QStringLiteral("JOÃO DA SILVA"), QStringLiteral("joana"), QStringLiteral("JOSÉ"),
                                   QStringLiteral("FINANÇAS"), QStringLiteral("ANA")};
        for (int i = 0; i < names.size(); ++i)
            s.insert(*f, i + 1, names.at(i));
        open();
        QLineEdit *search = s.textSearch(screen.get());
        const QList<QPair<QString, QStringList>> cases = {
            {QStringLiteral("JOAO"), {QStringLiteral("JOÃO DA SILVA")}},
            {QStringLiteral("joão"), {QStringLiteral("JOÃO DA SILVA")}},
            {QStringLiteral("JOSE"), {QStringLiteral("JOSÉ")}},
            {QStringLiteral("JOANA"), {QStringLiteral("joana")}},
            {QStringLiteral("financas"), {QStringLiteral("FINANÇAS")}},
            {QStringLiteral("JO"), {QStringLiteral("JOSÉ"), QStringLiteral("JOÃO DA SILVA"), QStringLiteral("joana")}},
            {QStringLiteral("ÃN"), {QStringLiteral("FINANÇAS"), QStringLiteral("joana"), QStringLiteral("ANA")}},
        };
        for (const auto &c : cases) {
            search->clear();
            search->insert(c.first);  // as typed or pasted: the test keyboard has no accents
            QStringList found = listed(), expected = c.second;
            found.sort();
            expected.sort();
            QVERIFY2(found == expected, qPrintable(c.first + QStringLiteral(": ") + listed().join('|')));
        }
        QVERIFY2(f->messages().isEmpty(), qPrintable(f->messageTexts().join('|')));
    }

    void findByCodeLooksOnlyAmongListedRecords_data() { screens(); }
    void findByCodeLooksOnlyAmongListedRecords() {
        if (s.notRegisteredFind.isEmpty())
            QSKIP("the sector list has no code search");
        s.insert(*f, 1, QStringLiteral("ANA"));
        s.insert(*f, 2, QStringLiteral("BRUNO"));
        s.insert(*f, 3, QStringLiteral("CARLA"));
        open();
        QLineEdit *code = s.codeSearch(screen.get());
        QTest::keyClicks(code, QStringLiteral("1a-"));
        QCOMPARE(code->text(), QStringLiteral("1"));
        s.findButton(screen.get())->click();
        QCOMPARE(records().field(s.codeField).asInteger(), 1);
        typeInto(s.textSearch(screen.get()), QStringLiteral("R"));
        QCOMPARE(listed(), (QStringList{QStringLiteral("BRUNO"), QStringLiteral("CARLA")}));
        s.findButton(screen.get())->click();
        QCOMPARE(f->messageTexts(), QStringList{s.notRegisteredFind});
        typeInto(code, QStringLiteral("3"));
        s.findButton(screen.get())->click();
        QCOMPARE(f->messages().size(), 1);
        QCOMPARE(records().field(s.codeField).asInteger(), 3);
        code->clear();
        s.findButton(screen.get())->click();
        QCOMPARE(f->messages().size(), 1);
    }

    void keysOfTheWindow_data() { screens(); }
    void keysOfTheWindow() {
        open();
        QVERIFY(UnitFixture::showActive(screen.get()));
        QCOMPARE(QApplication::focusWidget(), button("btnIncluir"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // Enter on a button presses it
        QVERIFY(editing());
        QLineEdit *nameBox = s.nameBox(screen.get());
        nameBox->setFocus();
        QTest::keyClick(nameBox, Qt::Key_Escape);
        QVERIFY(screen->isVisible());
        QTest::keyClick(nameBox, Qt::Key_Return);
        if (s.table == QLatin1String("TBSOLICITANTE"))
            QCOMPARE(QApplication::focusWidget(), nameBox);  // no effect of the window's own
        else
            QCOMPARE(QApplication::focusWidget(), button("btnGravar"));
        QVERIFY(editing());
        QCOMPARE(count(), 0);
    }

    void aRefusedWriteKeepsTheEntryOnTheScreen() {
        s = registryScreens().at(2);
        f->execute(QStringLiteral("alter table TBSETOR add constraint CK_SETOR_TESTE check (NOME <> 'RECUSADO')"));
        open();
        button("btnIncluir")->click();
        s.fill(screen.get(), QStringLiteral("RECUSADO"));
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        // The database's refusal is said in the desk's words, with its own
        // text under the details; the entry stays as typed and is handed to nobody.
        QCOMPARE(f->messages().size(), 2);
        QCOMPARE(f->messages().last().icon, MessageService::Icon::Error);
        QCOMPARE(f->messageTexts().last(),
                 QStringLiteral("Um valor digitado não é aceito pelo banco de dados; nada foi gravado."));
        QVERIFY(f->messages().last().details.contains(QStringLiteral("CK_SETOR_TESTE")));
        QVERIFY(editing());
        QCOMPARE(records().state(), RecordSet::State::Insert);
        QCOMPARE(s.nameBox(screen.get())->text(), QStringLiteral("RECUSADO"));
        QCOMPARE(f->session.*s.handoff, 0);
        typeInto(s.nameBox(screen.get()), QStringLiteral("ACEITO"));
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QVERIFY(browsing());
        QCOMPARE(nameOf(1), QStringLiteral("ACEITO"));
        QCOMPARE(count(), 1);

        // Cancelled after a refusal: nothing stays pending to be written later.
        button("btnIncluir")->click();
        s.fill(screen.get(), QStringLiteral("RECUSADO"));
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        button("btnCancelar")->click();
        QCOMPARE(records().changeCount(), 0);
        QVERIFY(records().locate(s.codeField, 1));
        button("btnAlterar")->click();
        f->answer({Answer::Yes});
        button("btnGravar")->click();
        QVERIFY(browsing());
        QCOMPARE(count(), 1);
    }

    void listRowsArePaintedByTheirPosition() {
        s = registryScreens().at(2);
        for (int i = 1; i <= 3; ++i)
            s.insert(*f, i, QStringLiteral("SETOR %1").arg(i));
        open();
        screen->show();
        auto *grid = named<RecordGrid>(screen.get(), QStringLiteral("DBGrid1"));
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        const QImage image = grid->viewport()->grab().toImage();
        auto colourAt = [&](int row, int column) {
            const QRect cell = grid->visualRect(grid->model()->index(row, column));
            // Past the text: the cell's right end, or the visible list's.
            return QColor(image.pixel(std::min(cell.right(), image.width() - 1) - 2, cell.center().y()));
        };
        QCOMPARE(colourAt(0, 0), QColor(128, 128, 128));  // the current cell
        QCOMPARE(colourAt(0, 1), QColor(230, 242, 255));
        QCOMPARE(colourAt(1, 1), grid->palette().color(QPalette::Base));
        QCOMPARE(colourAt(2, 0), QColor(230, 242, 255));
    }
};

QTEST_MAIN(RegistryPatternTest)
#include "tst_registry_pattern.moc"
