#pragma once

#include "data/firebird/ServerWait.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace kalvero {

// What the desk shows while a write waits on the server. The write runs on a
// thread of its own while the window keeps repainting; after half a second
// the mouse turns busy, after a second a small window says what the desk is
// waiting for. Meanwhile clicks and keys are dropped (not kept for later), so
// that a second press of "Gravar" never writes twice and no window closes
// under a save. A write that ends sooner shows nothing.
class ServerWaitIndicator : public ServerWait {
public:
    static constexpr int BusyCursorAfterMs = 500;
    static constexpr int WindowAfterMs = 1000;

    ServerWaitIndicator();
    ~ServerWaitIndicator() override;
    ServerWaitIndicator(const ServerWaitIndicator &) = delete;
    ServerWaitIndicator &operator=(const ServerWaitIndicator &) = delete;

    void run(const QString &what, const std::function<void()> &call) override;

    // The text of the small window for the work named what.
    static QString waitingText(const QString &what);

private:
    void work();

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    bool m_waiting = false;  // a wait is on screen: a call made meanwhile runs where it is
    std::thread m_worker;
};

}  // namespace kalvero
