#pragma once

#include "ui/ErrorBox.h"
#include "ui/MessageService.h"

namespace kalvero::ProtocolMessages {

// The protocol screen and its dialog speak under the caption "Atenção".
inline const QString Caption = QStringLiteral("Atenção");

inline void show(QWidget *owner, const QString &text, MessageService::Icon icon) {
    MessageService::inform(owner, Caption, text, icon);
}

// What did not work, then why, with the details on request.
inline void showFailure(QWidget *owner, const QString &text, const std::exception &failure,
                        MessageService::Icon icon = MessageService::Icon::Warning) {
    ErrorBox::show(owner, Caption, text, icon, failure);
}

// Yes and No; true on Yes.
inline bool ask(QWidget *owner, const QString &text) {
    return MessageService::confirm(owner, Caption, text, MessageService::Icon::Question);
}

}  // namespace kalvero::ProtocolMessages
