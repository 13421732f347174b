#pragma once

#include "ConsultationStore.h"

#include <QObject>

#include <functional>

class QThread;

namespace kalvero {

// Runs the searches of the consultation screen off the user interface's
// thread. A newer search supersedes an older one: the older still runs to
// its end (a database read cannot be stopped halfway), but its answer is
// dropped.
class ConsultationRunner : public QObject {
    Q_OBJECT
public:
    using Search = std::function<ConsultationAnswer(const ConsultationInput &)>;

    explicit ConsultationRunner(Search search, QObject *parent = nullptr);
    ~ConsultationRunner() override;  // waits for the searches still running

    void start(const ConsultationInput &input);
    // Drops the answers of every search started so far.
    void supersede() { ++m_generation; }
    bool busy() const { return !m_threads.isEmpty(); }

signals:
    void answered(const kalvero::ConsultationInput &input, const kalvero::ConsultationAnswer &answer);

private:
    Search m_search;
    quint64 m_generation = 0;
    QList<QThread *> m_threads;
};

}  // namespace kalvero
