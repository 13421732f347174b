#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <memory>

namespace kalvero::test {

// A small web server on 127.0.0.1 standing for the maker's site: it serves
// the update file, or, when silent, accepts every connection and never
// answers.
class UpdateServer : public QObject {
public:
    QByteArray body;
    int status = 200;
    bool silent = false;
    QList<QByteArray> requests;
    // Requests whose client hung up without an answer.
    int abandoned = 0;

    UpdateServer() {
        if (!m_server.listen(QHostAddress::LocalHost))
            qFatal("the update server cannot listen: %s", qPrintable(m_server.errorString()));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *client = m_server.nextPendingConnection())
                serve(client);
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    QUrl site() const { return url("/"); }
    QUrl updateFile() const { return url("/atualizacoes/kalvero.txt"); }

private:
    QUrl url(const char *path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QLatin1String(path)));
    }

    void serve(QTcpSocket *client) {
        auto received = std::make_shared<QByteArray>();
        connect(client, &QTcpSocket::readyRead, client, [this, client, received] {
            *received += client->readAll();
            if (!received->contains("\r\n\r\n"))
                return;
            requests << *received;
            if (silent)
                return;
            const bool known = received->startsWith("GET /atualizacoes/kalvero.txt ");
            const int code = known ? status : 404;
            const QByteArray content = code == 200 ? body : QByteArray("not found");
            client->write("HTTP/1.1 " + QByteArray::number(code) + (code == 200 ? " OK" : " Not Found") +
                          "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(content.size()) +
                          "\r\nConnection: close\r\n\r\n" + content);
            client->disconnectFromHost();
        });
        connect(client, &QTcpSocket::disconnected, client, [this, client, received] {
            if (silent && received->contains("\r\n\r\n"))
                ++abandoned;
            client->deleteLater();
        });
    }

    QTcpServer m_server;
};

}  // namespace kalvero::test
