#include "ui/DateBox.h"
#include "ui/FaultMark.h"
#include "ui/FormParts.h"
#include "ui/MaskedDigitsEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace kalvero;

// The boxes every screen is built from, driven by key and mouse as a clerk
// drives them.
class FormBoxesTest : public QObject {
    Q_OBJECT

    QWidget *m_window = nullptr;
    QLineEdit *m_before = nullptr;  // the box the focus comes from

    // A window with a plain box and then the box under test.
    template <typename Box>
    Box *shown(Box *box) {
        delete m_window;
        m_window = new QWidget;
        auto *layout = new QVBoxLayout(m_window);
        m_before = new QLineEdit(m_window);
        layout->addWidget(m_before);
        box->setParent(m_window);
        layout->addWidget(box);
        m_window->resize(320, 120);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window))
            qFatal("the window did not show");
        m_window->activateWindow();
        m_before->setFocus(Qt::OtherFocusReason);
        return box;
    }

    static void clickAt(QWidget *box, double fraction) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(int(box->width() * fraction), box->height() / 2));
    }

    static QLineEdit *editorOf(QDateEdit *box) { return box->findChild<QLineEdit *>(); }

    static QDate tabInAndType(QWidget *before, QDateEdit *box, const QString &typed) {
        QTest::keyClick(before, Qt::Key_Tab);
        if (QApplication::focusWidget() != box)
            qFatal("Tab did not reach the date box");
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Tab);
        return box->date();
    }

private slots:
    void cleanup() {
        delete m_window;
        m_window = nullptr;
    }

    // A click anywhere in a box that holds less than it takes puts the
    // cursor at its first open slot: the digits typed next all land.
    void maskedBoxTypedAfterAClick_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("held");
        QTest::addColumn<double>("where");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("digits");
        const QString cnpj = MaskedDigitsEdit::cnpjPattern();
        const QString cpf = MaskedDigitsEdit::cpfPattern();
        QTest::newRow("CNPJ empty, middle") << cnpj << "" << 0.5 << "12345678000195" << "12345678000195";
        QTest::newRow("CNPJ empty, end") << cnpj << "" << 0.98 << "12345678000195" << "12345678000195";
        QTest::newRow("CNPJ half, end") << cnpj << "123456" << 0.95 << "78000195" << "12345678000195";
        QTest::newRow("CPF empty, middle") << cpf << "" << 0.6 << "52998224725" << "52998224725";
        QTest::newRow("time empty, end") << "99:99" << "" << 0.9 << "0830" << "0830";
        QTest::newRow("time hour held, end") << "99:99" << "08" << 0.9 << "30" << "0830";
    }
    void maskedBoxTypedAfterAClick() {
        QFETCH(QString, pattern);
        QFETCH(QString, held);
        QFETCH(double, where);
        QFETCH(QString, typed);
        QFETCH(QString, digits);
        auto *box = shown(new MaskedDigitsEdit(pattern, QLatin1Char('_')));
        box->setDigits(held);
        clickAt(box, where);
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->cursorPosition(), box->firstOpenSlot());
        QTest::keyClicks(box, typed);
        QCOMPARE(box->digits(), digits);
    }

    // A click inside what the box holds is a correction: it stays there.
    void maskedBoxClickInsideTheDigitsCorrects() {
        auto *box = shown(new MaskedDigitsEdit(MaskedDigitsEdit::cpfPattern(), QLatin1Char('_')));
        box->setDigits(QStringLiteral("52998224725"));
        box->setFocus(Qt::TabFocusReason);
        box->setCursorPosition(0);
        QTest::keyClick(box, Qt::Key_Delete);  // leaves a blank in the first slot
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
        const int clicked = box->cursorPosition();
        QVERIFY(clicked < box->firstOpenSlot());
        QCOMPARE(clicked, 0);
        QTest::keyClicks(box, QStringLiteral("5"));
        QCOMPARE(box->digits(), QStringLiteral("52998224725"));
    }

    // Tab into a part-filled box goes on where the digits stop; a paste
    // fills the slots as typing does, separators or not.
    void maskedBoxEnteredByKeyAndPasted_data() {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("digits");
        QTest::newRow("digits into empty") << "" << "12345678000195" << "12345678000195";
        QTest::newRow("printed form into empty") << "" << "12.345.678/0001-95" << "12345678000195";
        QTest::newRow("rest after a part") << "1234" << "5678000195" << "12345678000195";
    }
    void maskedBoxEnteredByKeyAndPasted() {
        QFETCH(QString, held);
        QFETCH(QString, pasted);
        QFETCH(QString, digits);
        auto *box = shown(new MaskedDigitsEdit(MaskedDigitsEdit::cnpjPattern(), QLatin1Char('_')));
        box->setDigits(held);
        QTest::keyClick(m_before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->cursorPosition(), box->firstOpenSlot());
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->digits(), digits);
    }

    // Every date box takes a date typed digit by digit, day first, with or
    // without the slashes; an impossible one keeps the old date, marked.
    void dateTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("refused");
        const QDate held(2026, 12, 1);
        QTest::newRow("digits") << "11122026" << QDate(2026, 12, 11) << false;
        QTest::newRow("with slashes") << "11/12/2026" << QDate(2026, 12, 11) << false;
        QTest::newRow("short parts") << "5/3/2025" << QDate(2025, 3, 5) << false;
        QTest::newRow("year of two digits") << "05/03/25" << QDate(2025, 3, 5) << false;
        QTest::newRow("day and month only") << "2402" << QDate(2026, 2, 24) << false;
        QTest::newRow("leap day") << "29022028" << QDate(2028, 2, 29) << false;
        QTest::newRow("31 February") << "31022026" << held << true;
        QTest::newRow("29 February, common year") << "29/02/2026" << held << true;
        QTest::newRow("month 13") << "01132026" << held << true;
        QTest::newRow("typo mended by Backspace") << "11133\b\b\b122026" << QDate(2026, 12, 11) << false;
    }
    void dateTyped() {
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        QFETCH(bool, refused);
        auto *box = static_cast<DateBox *>(shown(FormParts::datePicker(nullptr, "dtpData")));
        box->setDate(QDate(2026, 12, 1));
        QSignalSpy changes(box, &QDateEdit::dateChanged);
        QTest::keyClick(m_before, Qt::Key_Tab);
        for (QChar c : typed) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(box, Qt::Key_Backspace);
            else
                QTest::keyClicks(box, QString(c));
        }
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->date(), date);
        QCOMPARE(editorOf(box)->text(), date.toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(FaultMark::isMarked(box), refused);
        QCOMPARE(changes.size(), refused ? 0 : 1);
        if (refused) {
            QVERIFY(box->toolTip().contains(QStringLiteral("não existe")));
            box->setDate(QDate(2026, 12, 2));  // the mark goes with the next date
            QVERIFY(!FaultMark::isMarked(box));
        }
    }

    // A click in the middle (the month) still types from the day; the
    // arrows keep stepping the part they stand on.
    void dateTypedAfterAClickAndStepped() {
        auto *box = shown(FormParts::datePicker(nullptr, "dtpData"));
        box->setDate(QDate(2026, 12, 1));
        clickAt(editorOf(box), 0.5);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("11122026"));
        QCOMPARE(box->date(), QDate(2026, 12, 11));
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->date(), QDate(2026, 12, 12));
    }

    // What the box shows while a date is half typed: the typed digits where
    // they go, the parts ahead as they were.
    void dateShowsWhatIsTyped() {
        auto *box = shown(FormParts::datePicker(nullptr, "dtpData"));
        box->setDate(QDate(2026, 12, 1));
        QTest::keyClick(m_before, Qt::Key_Tab);
        QTest::keyClicks(box, QStringLiteral("3"));
        QCOMPARE(editorOf(box)->text(), QStringLiteral("3_/12/2026"));
        QTest::keyClicks(box, QStringLiteral("1/0"));
        QCOMPARE(editorOf(box)->text(), QStringLiteral("31/0_/2026"));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(editorOf(box)->text(), QStringLiteral("01/12/2026"));
        QCOMPARE(box->date(), QDate(2026, 12, 1));
    }
};

QTEST_MAIN(FormBoxesTest)
#include "tst_form_boxes.moc"
