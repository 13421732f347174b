#include "LikePattern.h"

namespace kalvero::LikePattern {

QString containing(const QString &typed) {
    QString pattern;
    pattern.reserve(typed.size() + 2);
    pattern += QLatin1Char('%');
    for (QChar c : typed) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QChar(Escape))
            pattern += QChar(Escape);
        pattern += c;
    }
    pattern += QLatin1Char('%');
    return pattern;
}

QString condition(const QString &column, int maxTyped) {
    // Every character escaped, and the two wildcards around them.
    return QStringLiteral("%1 like cast(? as varchar(%2)) escape '\\'").arg(column).arg(2 * maxTyped + 2);
}

QString conditionIgnoringCaseAndAccents(const QString &column, int maxTyped) {
    return condition(column + QStringLiteral(" collate UNICODE_CI_AI"), maxTyped);
}

}  // namespace kalvero::LikePattern
