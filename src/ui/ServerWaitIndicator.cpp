#include "ServerWaitIndicator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>

#include <future>
#include <memory>

namespace kalvero {

namespace {

// Drops what the operator does while a write waits; paints, timers and the
// rest go on.
class InputDrop : public QObject {
public:
    InputDrop() { qApp->installEventFilter(this); }
    ~InputDrop() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }
};

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

std::unique_ptr<QWidget> waitWindow(const QString &what) {
    QWidget *owner = QApplication::activeWindow();
    auto window = std::make_unique<QWidget>(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setObjectName(QStringLiteral("ServerWaitWindow"));
    window->setWindowTitle(QStringLiteral("Aguarde"));
    window->setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(window.get());
    auto *text = new QLabel(ServerWaitIndicator::waitingText(what), window.get());
    text->setObjectName(QStringLiteral("lblAguarde"));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *working = new QProgressBar(window.get());
    working->setObjectName(QStringLiteral("pbAguarde"));
    working->setRange(0, 0);  // moves for as long as the wait lasts
    working->setTextVisible(false);
    layout->addWidget(working);
    window->setFixedWidth(380);
    window->adjustSize();
    if (owner)
        window->move(owner->geometry().center() - window->rect().center());
    window->show();
    return window;
}

}  // namespace

ServerWaitIndicator::ServerWaitIndicator() : m_worker([this] { work(); }) {}

ServerWaitIndicator::~ServerWaitIndicator() {
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

QString ServerWaitIndicator::waitingText(const QString &what) {
    return what + QStringLiteral("...\nAguardando o servidor do banco de dados: outra estação de trabalho pode estar "
                                 "gravando o mesmo registro neste momento.");
}

void ServerWaitIndicator::work() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}

void ServerWaitIndicator::run(const QString &what, const std::function<void()> &call) {
    // Only the window's own thread shows waits; anything called while one is
    // on screen (a timer's work) runs where it is.
    if (m_waiting || !qApp || QThread::currentThread() != qApp->thread()) {
        call();
        return;
    }
    auto task = std::make_shared<std::packaged_task<void()>>(call);
    std::future<void> done = task->get_future();
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_jobs.push_back([task] { (*task)(); });
    }
    m_wake.notify_one();

    if (done.wait_for(std::chrono::milliseconds(BusyCursorAfterMs)) != std::future_status::ready) {
        m_waiting = true;
        QElapsedTimer since;
        since.start();
        {
            const InputDrop drop;
            const BusyCursor busy;
            std::unique_ptr<QWidget> window;
            while (done.wait_for(std::chrono::milliseconds(15)) != std::future_status::ready) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 15);
                if (!window && since.elapsed() + BusyCursorAfterMs >= WindowAfterMs)
                    window = waitWindow(what);
            }
        }
        m_waiting = false;
    }
    done.get();  // what the call threw
}

}  // namespace kalvero
