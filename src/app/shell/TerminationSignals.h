#pragma once

#include <QObject>

class QSocketNotifier;

namespace kalvero {

// SIGTERM and SIGINT (a session that logs out, a system that shuts down) end
// the program in order, through the event loop. Installed before the database
// engine loads, so that the engine keeps to its own handlers.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    QSocketNotifier *m_notifier = nullptr;
};

}  // namespace kalvero
