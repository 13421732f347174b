#pragma once

#include "ui/MessageService.h"

namespace kalvero::ProtocolMessages {

// The protocol screen and its dialog speak under the caption "Atenção".
inline const QString Caption = QStringLiteral("Atenção");

inline void show(QWidget *owner, const QString &text, MessageService::Icon icon) {
    MessageService::inform(owner, Caption, text, icon);
}

// Yes and No; true on Yes.
inline bool ask(QWidget *owner, const QString &text) {
    return MessageService::confirm(owner, Caption, text, MessageService::Icon::Question);
}

}  // namespace kalvero::ProtocolMessages
