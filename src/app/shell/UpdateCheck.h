#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace kalvero {

// Downloads a web resource into a file, replacing it; always afresh from the
// server, never from a cache. Throws on any failure, an HTTP error included.
// The whole transfer is bounded by the timeout.
bool FetchUrlToFile(const QUrl &url, const QString &localPath, int timeoutMs);

// Asks the maker's update server for the version it offers and, when it
// differs from ours, offers to open the maker's site and end the program.
// Every failure ends the check in silence: the login never depends on it.
class UpdateCheck {
public:
    struct Settings {
        QUrl webSite;          // the maker's site, its root
        QUrl updateFile;       // <site>/atualizacoes/kalvero.txt
        QString programFolder;
        QString programVersion;
        int reachTimeoutMs = 1500;  // no network: the login waits no longer
        int fetchTimeoutMs = 1500;
        // Opens the site when an update is accepted: the system's handler
        // for web addresses unless given.
        std::function<void(const QUrl &)> openWebSite;
    };
    enum class Outcome { Unreachable, Failed, SameVersion, Declined, Accepted };

    UpdateCheck(Settings settings, QWidget *owner);

    // The maker's addresses; the program folder and version are the caller's.
    static Settings standardSettings();

    Outcome run();

    static QString question(const QString &siteHost, const QString &ourVersion, const QString &availableVersion);

private:
    bool siteReachable() const;

    Settings m_settings;
    QWidget *m_owner;
};

}  // namespace kalvero
