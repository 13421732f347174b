#pragma once

#include "ui/MessageService.h"

#include <QList>

namespace kalvero::test {

// Answers the program's message boxes from a script while it lives: a box
// with OK is simply closed, a question takes the next answer or No.
class ScriptedAnswers {
public:
    ScriptedAnswers();
    ~ScriptedAnswers();
    ScriptedAnswers(const ScriptedAnswers &) = delete;
    ScriptedAnswers &operator=(const ScriptedAnswers &) = delete;

    void set(QList<MessageService::Answer> answers) { m_answers = std::move(answers); }

private:
    QList<MessageService::Answer> m_answers;
};

}  // namespace kalvero::test
