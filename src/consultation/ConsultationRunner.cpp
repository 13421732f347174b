#include "ConsultationRunner.h"

#include <QThread>

#include <memory>

namespace kalvero {

ConsultationRunner::ConsultationRunner(Search search, QObject *parent) : QObject(parent), m_search(std::move(search)) {}

ConsultationRunner::~ConsultationRunner() {
    for (QThread *thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

void ConsultationRunner::start(const ConsultationInput &input) {
    const quint64 generation = ++m_generation;
    auto answer = std::make_shared<ConsultationAnswer>();
    Search search = m_search;
    QThread *thread = QThread::create([search, input, answer] {
        try {
            *answer = search(input);
        } catch (const std::exception &failure) {
            answer->failure = QString::fromUtf8(failure.what());
        }
    });
    m_threads << thread;
    connect(thread, &QThread::finished, this, [this, thread, generation, input, answer] {
        m_threads.removeOne(thread);
        thread->deleteLater();
        if (generation == m_generation)
            emit answered(input, *answer);
    });
    thread->start();
}

}  // namespace kalvero
