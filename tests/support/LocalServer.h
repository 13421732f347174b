#pragma once

#include <QFile>
#include <QTcpSocket>

#include <sys/types.h>

namespace kalvero::test {

// The local server that the scripts started: its pid file names the server,
// whose parent is the guard that starts it again when it dies.
inline QString localServerPidFile() {
    const QString set = qEnvironmentVariable("KALVERO_FB_PIDFILE");
    return set.isEmpty() ? QStringLiteral("/tmp/kalvero-fbguard.pid") : set;
}

inline pid_t localServerPid() {
    QFile f(localServerPidFile());
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return pid_t(f.readAll().trimmed().toLong());
}

inline pid_t parentOf(pid_t pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    // pid (comm) state ppid ...
    const QByteArray stat = f.readAll();
    return pid_t(stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toLong());
}

// Whether the local server takes connections on its port.
inline bool localServerAnswers() {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), 3050);
    return socket.waitForConnected(500);
}

}  // namespace kalvero::test
