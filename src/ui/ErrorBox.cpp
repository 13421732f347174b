#include "ErrorBox.h"

#include "MessageService.h"
#include "data/firebird/FailureWords.h"

#include <QGuiApplication>
#include <QString>

namespace kalvero::ErrorBox {

void show(QWidget *owner, const std::exception &failure) {
    // The caption is the application's title, as on every default error box;
    // the text is the desk's, and the database's own words wait under "Detalhes".
    const FailureWords words = FailureWords::of(failure);
    MessageService::inform(owner, QGuiApplication::applicationDisplayName(), words.text, MessageService::Icon::Error,
                           words.details);
}

void show(QWidget *owner, const QString &caption, const QString &what, MessageService::Icon icon,
          const std::exception &failure) {
    const FailureWords words = FailureWords::of(failure);
    const QString text = words.text.isEmpty() || words.text == what ? what : what + QStringLiteral("\n\n") + words.text;
    MessageService::inform(owner, caption, text, icon, words.details);
}

bool guard(QWidget *owner, const std::function<void()> &handler) {
    try {
        handler();
        return true;
    } catch (const std::exception &failure) {
        show(owner, failure);
    }
    return false;
}

}  // namespace kalvero::ErrorBox
