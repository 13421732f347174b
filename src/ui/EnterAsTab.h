#pragma once

class QWidget;

namespace kalvero::EnterAsTab {

// Enter in a box of this window moves the focus to the next control, as Tab
// does, and goes no further (the window's default button is not pressed).
// On a push button Enter still presses it; on a radio button or a check box
// it moves on like Tab, the choice unchanged.
void enable(QWidget *window);

// A button that Enter passes by: Enter moving through the window skips it,
// and Enter on it moves on without pressing it; a click or Space presses it.
void passBy(QWidget *button);

}  // namespace kalvero::EnterAsTab
