#pragma once

class QDialog;
class QWidget;

namespace kalvero::DialogKeys {

// Keys of a register window: Esc does nothing, Enter in a box does nothing
// (no button is pressed by default), Enter on a focused button presses it.
// Call once the window's buttons exist.
void install(QDialog *window);

// Enter in this box moves the focus to target.
void moveFocusOnEnter(QWidget *box, QWidget *target);

}  // namespace kalvero::DialogKeys
