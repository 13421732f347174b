#pragma once

#include "MessageService.h"

#include <exception>
#include <functional>

class QString;
class QWidget;

namespace kalvero {

// The application's default error box: a failure that no handler catches is
// shown in a modal box, in the desk's words (FailureWords), and the window
// stays as it was.
namespace ErrorBox {

void show(QWidget *owner, const std::exception &failure);

// A screen's own message for what did not work ("Não foi possível gravar
// este protocolo!"), followed by the reason in the desk's words, with the
// database's own words under "Detalhes", as on the default box.
void show(QWidget *owner, const QString &caption, const QString &what, MessageService::Icon icon,
          const std::exception &failure);

// Runs an event handler; what it throws ends up in the box. Returns whether
// the handler ran to its end.
bool guard(QWidget *owner, const std::function<void()> &handler);

}  // namespace ErrorBox

}  // namespace kalvero
