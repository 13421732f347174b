#include "ui/MaskedDigitsEdit.h"

#include <QApplication>
#include <QClipboard>
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
};

QTEST_MAIN(FormBoxesTest)
#include "tst_form_boxes.moc"
