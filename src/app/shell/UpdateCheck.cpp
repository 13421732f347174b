#include "UpdateCheck.h"

#include "data/Failure.h"
#include "data/ProgramPaths.h"
#include "data/TextFile.h"
#include "data/session/ProgramIdentity.h"
#include "ui/MessageService.h"
#include "ui/ProgramExit.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>

namespace kalvero {

namespace {

// Waits in a local loop that takes no input from the person: the login window
// stays as it is while the check runs.
void waitFor(const std::function<void(QEventLoop &)> &wire, int timeoutMs) {
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    wire(loop);
    timer.start(timeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

bool FetchUrlToFile(const QUrl &url, const QString &localPath, int timeoutMs) {
    QNetworkAccessManager manager;  // no cache is attached to it
    manager.setProxy(QNetworkProxy::DefaultProxy);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setHeader(QNetworkRequest::UserAgentHeader, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    request.setTransferTimeout(timeoutMs);

    QFile file(localPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FileError(QStringLiteral("%1: %2").arg(localPath, file.errorString()));

    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    bool writeFailed = false;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, [&] {
        char piece[1024];
        qint64 n;
        while ((n = reply->read(piece, sizeof piece)) > 0)
            if (file.write(piece, n) != n)
                writeFailed = true;
    });
    waitFor([&](QEventLoop &loop) { QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit); },
            timeoutMs);
    if (!reply->isFinished()) {
        reply->abort();
        throw Failure(QStringLiteral("tempo esgotado"));
    }
    if (reply->error() != QNetworkReply::NoError)
        throw Failure(reply->errorString());
    if (writeFailed || !file.flush())
        throw FileError(file.errorString());
    file.close();
    return true;
}

UpdateCheck::UpdateCheck(Settings settings, QWidget *owner) : m_settings(std::move(settings)), m_owner(owner) {
    if (!m_settings.openWebSite)
        m_settings.openWebSite = [](const QUrl &url) { QDesktopServices::openUrl(url); };
}

UpdateCheck::Settings UpdateCheck::standardSettings() {
    Settings s;
    s.webSite = QUrl(ProgramIdentity::WebSite);
    s.updateFile = QUrl(ProgramIdentity::UpdateFileUrl);
    return s;
}

QString UpdateCheck::question(const QString &siteHost, const QString &ourVersion, const QString &availableVersion) {
    return QStringLiteral("Atualize a versão do Kalvero acessando ") + siteHost + QStringLiteral("\r\r") +
           QStringLiteral("Sua Versão: ") + ourVersion + QStringLiteral("\r") + QStringLiteral("Versão Disponível: ") +
           availableVersion + QStringLiteral("\r\r") + QStringLiteral("Deseja atualizar agora?");
}

bool UpdateCheck::siteReachable() const {
    // A real connection attempt, bounded: host lookup and connect run in the
    // background while a short local loop waits for them.
    QTcpSocket socket;
    bool connected = false;
    waitFor([&](QEventLoop &loop) {
        QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
            connected = true;
            loop.quit();
        });
        QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
        socket.connectToHost(m_settings.webSite.host(), quint16(m_settings.webSite.port(80)));
    }, m_settings.reachTimeoutMs);
    socket.abort();
    return connected;
}

UpdateCheck::Outcome UpdateCheck::run() {
    const QString localFile = ProgramPaths::updateFile(m_settings.programFolder);
    try {
        if (!siteReachable())
            return Outcome::Unreachable;
        FetchUrlToFile(m_settings.updateFile, localFile, m_settings.fetchTimeoutMs);

        const QString available = TextFile::readLines(localFile).value(0);
        QFile::remove(localFile);
        if (available == m_settings.programVersion)
            return Outcome::SameVersion;

        // Any difference is an update, an older version too.
        if (!MessageService::confirm(m_owner, QStringLiteral("Kalvero"),
                                     question(m_settings.webSite.host(), m_settings.programVersion, available),
                                     MessageService::Icon::Information))
            return Outcome::Declined;
        m_settings.openWebSite(m_settings.webSite);
        ProgramExit::request();
        return Outcome::Accepted;
    } catch (const std::exception &) {
        QFile::remove(localFile);
        return Outcome::Failed;
    }
}

}  // namespace kalvero
