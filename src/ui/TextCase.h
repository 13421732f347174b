#pragma once

class QLineEdit;

namespace kalvero {

enum class TextCase { AsTyped, Upper, Lower };

// Typed or pasted text changes case as it enters the box, and the box keeps
// only what it shows (BoxText::kept).
void applyTextCase(QLineEdit *box, TextCase textCase);

// Only the digits 0 to 9 enter the box (typed or pasted), at most maxDigits.
void acceptDigitsOnly(QLineEdit *box, int maxDigits);

}  // namespace kalvero
