#pragma once

#include <exception>
#include <functional>

class QWidget;

namespace kalvero {

// The application's default error box: a failure that no handler catches is
// shown in a modal box, in the desk's words (FailureWords), and the window
// stays as it was.
namespace ErrorBox {

void show(QWidget *owner, const std::exception &failure);

// Runs an event handler; what it throws ends up in the box. Returns whether
// the handler ran to its end.
bool guard(QWidget *owner, const std::function<void()> &handler);

}  // namespace ErrorBox

}  // namespace kalvero
