#include "ProgramExit.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace kalvero::ProgramExit {

namespace {
bool &flag() {
    static bool f = false;
    return f;
}
std::function<void()> &handler() {
    static std::function<void()> h;
    return h;
}
}  // namespace

void request() {
    flag() = true;
    if (handler()) {
        handler()();
        return;
    }
    // Queued, so that a modal window that asks first returns into the loop.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

bool requested() { return flag(); }
void reset() { flag() = false; }
void setHandler(std::function<void()> h) { handler() = std::move(h); }

}  // namespace kalvero::ProgramExit
