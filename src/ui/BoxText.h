#pragma once

#include <QString>

class QPlainTextEdit;

namespace kalvero::BoxText {

// What a text box keeps of what is typed or pasted, so that the box shows
// exactly what will be stored: no half of a character outside the basic
// plane (a paste cut at the box's width can leave one), and no control
// character, which the box would not show. A one-line box turns tabs and
// line breaks into blanks; a multi-line box keeps them.
QString kept(const QString &text, bool multiLine);

// The text cut to at most maxUnits UTF-16 units, never inside a character.
QString leftWhole(const QString &text, int maxUnits);

// Keeps a multi-line box to what kept() allows and to maxLength units (0: no
// limit), as text enters it.
void keepInBox(QPlainTextEdit *box, int maxLength);

}  // namespace kalvero::BoxText
