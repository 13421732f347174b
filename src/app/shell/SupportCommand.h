#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kalvero {

// Starts the maker's remote-support program, installed apart from ours: the
// program minimises itself and does not wait for it.
class SupportCommand {
public:
    SupportCommand(QString supportProgram, QWidget *window);

    // Starts a program without waiting; tests replace it.
    std::function<bool(const QString &program)> startProgram;

    // Whether the support program was started.
    bool run();

private:
    QString m_program;
    QWidget *m_window;
};

}  // namespace kalvero
