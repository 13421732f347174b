#include "ScriptedAnswers.h"

namespace kalvero::test {

ScriptedAnswers::ScriptedAnswers() {
    MessageService::clearShown();
    MessageService::setResponder([this](const MessageService::Message &m) {
        if (m.buttons == MessageService::Buttons::Ok)
            return MessageService::Answer::Ok;
        return m_answers.isEmpty() ? MessageService::Answer::No : m_answers.takeFirst();
    });
}

ScriptedAnswers::~ScriptedAnswers() {
    MessageService::clearResponder();
    MessageService::clearShown();
}

}  // namespace kalvero::test
