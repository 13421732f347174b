#pragma once

#include <QDate>
#include <QString>

namespace kalvero::DateText {

// Dates travel between screens and fields as dd/mm/yyyy text.
QString fromDate(const QDate &date);
// Strict dd/mm/yyyy; an invalid QDate when the text is not a date.
QDate toDate(const QString &text);
// Characters 7 to 10 of the text: the year.
QString year(const QString &text);
// mm/dd/yyyy and yyyy/mm/dd, the two forms written into statements.
QString monthDayYear(const QString &text);
QString yearMonthDay(const QString &text);

}  // namespace kalvero::DateText
