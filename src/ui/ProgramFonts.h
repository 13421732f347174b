#pragma once

#include <QFont>

namespace kalvero::ProgramFonts {

// Tahoma is Wine's tahoma.ttf, loaded by the program; Arial is drawn with
// Liberation Sans, which has its metrics. Both fall back to Noto Color Emoji
// for what they lack. Sizes in pixels.
QFont tahoma(int pixelSize, bool bold = false);
QFont arial(int pixelSize, bool bold = false);

}  // namespace kalvero::ProgramFonts
