#pragma once

#include <functional>

namespace kalvero {

// Asking the application to end: the login and the update check do it, the
// event loop ends when control returns to it. Tests install a handler of their
// own, so that asking does not end the test.
namespace ProgramExit {

void request();
bool requested();
void reset();
void setHandler(std::function<void()> handler);

}  // namespace ProgramExit

}  // namespace kalvero
