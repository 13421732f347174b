#pragma once

#include <QString>

namespace kalvero::LikePattern {

// The escape character that statements using these patterns name:
// "... like ? escape '\'".
inline constexpr char16_t Escape = u'\\';

// A LIKE pattern matching text that contains what was typed, with "%", "_"
// and the escape character taken literally.
QString containing(const QString &typed);

}  // namespace kalvero::LikePattern
