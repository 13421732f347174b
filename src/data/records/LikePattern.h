#pragma once

#include <QString>

namespace kalvero::LikePattern {

// The escape character that statements using these patterns name:
// "... like ? escape '\'".
inline constexpr char16_t Escape = u'\\';

// A LIKE pattern matching text that contains what was typed, with "%", "_"
// and the escape character taken literally.
QString containing(const QString &typed);

// The condition "column like ? escape '\'" for a pattern made by containing()
// from at most maxTyped characters. The parameter is given room for the
// pattern: the database would otherwise take it for a value of the column
// and refuse one longer than the column.
QString condition(const QString &column, int maxTyped);
// The same, matching as a person reads: "JOAO" finds "João", "joão" and
// "JOÃO" (the column compared under Firebird's UNICODE_CI_AI).
QString conditionIgnoringCaseAndAccents(const QString &column, int maxTyped);

}  // namespace kalvero::LikePattern
