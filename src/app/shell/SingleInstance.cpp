#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <unistd.h>

namespace kalvero {

namespace {
const QByteArray RaiseRequest = "raise\n";

bool runningInstanceAnswers(const QString &name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(1000);
}
}  // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::standardName(const QProcessEnvironment &environment) {
    const QString user = QStringLiteral("kalvero-protocolo-%1").arg(getuid());
    // The kind goes in front, so that a session "0" and a display ":0" never meet.
    QString session;
    if (const QString id = environment.value(QStringLiteral("XDG_SESSION_ID")); !id.isEmpty())
        session = QLatin1Char('s') + id;
    else if (const QString wayland = environment.value(QStringLiteral("WAYLAND_DISPLAY")); !wayland.isEmpty())
        session = QLatin1Char('w') + wayland;
    else if (const QString x = environment.value(QStringLiteral("DISPLAY")); !x.isEmpty())
        session = QLatin1Char('d') + x;
    if (session.isEmpty())
        return user;
    // The name becomes a file name: only plain characters.
    for (QChar &c : session)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return user + QLatin1Char('-') + session;
}

bool SingleInstance::claim() {
    // Two starts at the same moment must not both become the first.
    QLockFile lock(QDir::temp().filePath(m_name + QStringLiteral(".lock")));
    lock.lock();
    if (runningInstanceAnswers(m_name))
        return false;
    // A socket left by an instance that did not end cleanly.
    QLocalServer::removeServer(m_name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        m_server.reset();
        return true;  // running without the guard beats not running
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().contains(RaiseRequest.trimmed()))
                    emit raiseRequested();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}

bool SingleInstance::askRunningInstanceToRaise() {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(RaiseRequest);
    const bool sent = socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace kalvero
