#include "ui/LockWaitOffer.h"
#include "ui/MessageService.h"
#include "ui/ServerWaitIndicator.h"

#include "data/Failure.h"
#include "data/firebird/FailureWords.h"
#include "data/firebird/FirebirdError.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>

using namespace kalvero;

namespace {

// A window that counts its paints.
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

QWidget *waitWindowOnScreen() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("ServerWaitWindow") && w->isVisible())
            return w;
    return nullptr;
}

}  // namespace

// A write that waits on the server: the desk shows that it is working and
// keeps painting, drops clicks meanwhile, and shows nothing for a short write.
class ServerWaitTest : public QObject {
    Q_OBJECT

private slots:
    void callsEndAsTheyWouldWithoutIt_data() {
        QTest::addColumn<int>("lastsMs");
        QTest::addColumn<bool>("fails");
        QTest::newRow("short") << 5 << false;
        QTest::newRow("short, refused") << 5 << true;
        QTest::newRow("long") << 700 << false;
        QTest::newRow("long, refused") << 700 << true;
    }
    void callsEndAsTheyWouldWithoutIt() {
        QFETCH(int, lastsMs);
        QFETCH(bool, fails);
        ServerWaitIndicator wait;
        Qt::HANDLE ranOn = nullptr;
        try {
            wait.run(QStringLiteral("Gravando"), [&] {
                ranOn = QThread::currentThreadId();
                QThread::msleep(lastsMs);
                if (fails)
                    throw Failure(QStringLiteral("recusado"));
            });
            QVERIFY(!fails);
        } catch (const Failure &e) {
            QVERIFY(fails);
            QCOMPARE(e.text(), QStringLiteral("recusado"));
        }
        QVERIFY(ranOn != QThread::currentThreadId());  // the window's thread stayed free
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!waitWindowOnScreen());
    }

    void longWaitShowsWorkingAndDropsClicks() {
        PaintCounter window;
        window.resize(300, 200);
        auto *gravar = new QPushButton(QStringLiteral("&Gravar"), &window);
        int presses = 0;
        connect(gravar, &QPushButton::clicked, this, [&] { ++presses; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        bool busyAt700 = false;
        QString textAt1300;
        int paintsBefore = 0;
        QTimer::singleShot(700, this, [&] {
            busyAt700 = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            QTest::mouseClick(gravar, Qt::LeftButton);
            QTest::keyClick(gravar, Qt::Key_Space);
            paintsBefore = window.paints;
            window.update();
        });
        QTimer::singleShot(1300, this, [&] {
            if (QWidget *w = waitWindowOnScreen())
                if (auto *text = w->findChild<QLabel *>(QStringLiteral("lblAguarde")))
                    textAt1300 = text->text();
        });

        ServerWaitIndicator wait;
        wait.run(QStringLiteral("Gravando o protocolo"), [] { QThread::msleep(1700); });

        QVERIFY(busyAt700);
        QCOMPARE(textAt1300, ServerWaitIndicator::waitingText(QStringLiteral("Gravando o protocolo")));
        QVERIFY(textAt1300.startsWith(QStringLiteral("Gravando o protocolo...")));
        QVERIFY2(window.paints > paintsBefore, "the window did not repaint during the wait");
        QCoreApplication::processEvents();
        QCOMPARE(presses, 0);  // dropped, not delivered afterwards
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!waitWindowOnScreen());
    }

    // A write refused after its bounded wait is offered again; Não keeps the
    // entry, anything else that fails is not the offer's to answer.
    void aLockWaitIsOfferedAgain_data() {
        QTest::addColumn<int>("refusals");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("written");
        QTest::newRow("free at once") << 0 << QList<bool>{} << true;
        QTest::newRow("free at the second try") << 1 << QList<bool>{true} << true;
        QTest::newRow("free at the third try") << 2 << QList<bool>{true, true} << true;
        QTest::newRow("operator gives up") << 2 << QList<bool>{true, false} << false;
    }
    void aLockWaitIsOfferedAgain() {
        QFETCH(int, refusals);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, written);
        const DatabaseError held(QStringLiteral("lock time-out on wait transaction"), {FbCode::LockTimeout});
        QList<bool> toGive = answers;
        MessageService::clearShown();
        MessageService::setResponder([&](const MessageService::Message &) {
            return toGive.takeFirst() ? MessageService::Answer::Yes : MessageService::Answer::No;
        });
        int tries = 0;
        const bool done = LockWaitOffer::writeOrRetry(nullptr, QStringLiteral("Atenção"), [&] {
            if (++tries <= refusals)
                throw held;
        });
        MessageService::clearResponder();
        QCOMPARE(done, written);
        QCOMPARE(tries, written ? refusals + 1 : answers.size());
        QCOMPARE(MessageService::shown().size(), answers.size());
        for (const MessageService::Message &m : MessageService::shown()) {
            QCOMPARE(m.text, LockWaitOffer::question(FailureWords::of(held).text));
            QCOMPARE(m.details, held.text());
            QCOMPARE(m.buttons, MessageService::Buttons::YesNo);
        }

        MessageService::setResponder([](const MessageService::Message &) { return MessageService::Answer::Yes; });
        MessageService::clearShown();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, LockWaitOffer::writeOrRetry(nullptr, QStringLiteral("Atenção"), [] {
            throw DatabaseError(QStringLiteral("duplicate"), {FbCode::UniqueKeyViolation});
        }));
        QVERIFY(MessageService::shown().isEmpty());
        MessageService::clearResponder();
    }
};

QTEST_MAIN(ServerWaitTest)
#include "tst_server_wait.moc"
