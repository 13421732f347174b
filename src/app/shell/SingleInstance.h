#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <memory>

class QLocalServer;

namespace kalvero {

// One running program per user and desktop session: the first instance
// listens on a local socket; a later start in the same session finds it there
// and asks it to come to the front. Another session of the same user (another
// display, a second seat) runs a program of its own.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The standard name for this user in the desktop session the
    // environment names: its login session (XDG_SESSION_ID), else its
    // display (WAYLAND_DISPLAY, then DISPLAY).
    static QString standardName(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

    // True when no other instance runs; this one then answers later starts.
    bool claim();
    // Asks the running instance to raise its main window.
    bool askRunningInstanceToRaise();

signals:
    void raiseRequested();

private:
    QString m_name;
    std::unique_ptr<QLocalServer> m_server;
};

}  // namespace kalvero
