#include "TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kalvero {

namespace {

int pipeEnds[2] = {-1, -1};

// Only what is safe in a signal handler: one byte into the pipe.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(pipeEnds[0], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] ssize_t n = ::read(pipeEnds[1], &byte, 1);
        emit received();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
}

}  // namespace kalvero
