#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace kalvero {

// One running program per user: the first instance listens on a local socket;
// a later start finds it there and asks it to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The standard name for this user.
    static QString standardName();

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
