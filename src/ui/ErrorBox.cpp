#include "ErrorBox.h"

#include "MessageService.h"

#include <QGuiApplication>
#include <QString>

namespace kalvero::ErrorBox {

void show(QWidget *owner, const std::exception &failure) {
    // The caption is the application's title, as on every default error box.
    MessageService::inform(owner, QGuiApplication::applicationDisplayName(), QString::fromUtf8(failure.what()),
                           MessageService::Icon::Error);
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
