#include "DateText.h"

namespace kalvero::DateText {

QString fromDate(const QDate &date) {
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QDate toDate(const QString &text) { return QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy")); }

QString year(const QString &text) { return text.mid(6, 4); }

QString monthDayYear(const QString &text) {
    return text.mid(3, 2) + QLatin1Char('/') + text.mid(0, 2) + QLatin1Char('/') + text.mid(6, 4);
}

QString yearMonthDay(const QString &text) {
    return text.mid(6, 4) + QLatin1Char('/') + text.mid(3, 2) + QLatin1Char('/') + text.mid(0, 2);
}

}  // namespace kalvero::DateText
