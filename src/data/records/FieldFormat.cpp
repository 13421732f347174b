#include "FieldFormat.h"

#include "../DateText.h"

#include <QDateTime>
#include <QTime>

namespace kalvero::FieldFormat {

namespace {

bool isMaskPlaceholder(QChar c) {
    switch (c.unicode()) {
    case '9': case '0': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
        return true;
    default:
        return false;
    }
}

bool isMaskModifier(QChar c) { return c == QLatin1Char('!') || c == QLatin1Char('>') || c == QLatin1Char('<'); }

}  // namespace

QString applyEditMask(const QString &mask, const QString &value) {
    const QString pattern = mask.section(QLatin1Char(';'), 0, 0);
    QString out;
    qsizetype v = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            if (v >= value.size())
                break;
            out += pattern.at(++i);
        } else if (isMaskModifier(c)) {
            continue;
        } else if (isMaskPlaceholder(c)) {
            if (v >= value.size())
                break;
            out += value.at(v++);
        } else {
            if (v >= value.size())
                break;
            out += c;
        }
    }
    if (v < value.size())
        out += value.mid(v);
    return out;
}

QString applyNumberFormat(const QString &format, qint64 value) {
    int zeros = 0;
    for (QChar c : format)
        if (c == QLatin1Char('0'))
            ++zeros;
    const QString digits = QString::number(qAbs(value));
    QString padded = digits.size() < zeros ? QString(zeros - digits.size(), QLatin1Char('0')) + digits : digits;
    return value < 0 ? QLatin1Char('-') + padded : padded;
}

QString plainText(FieldType type, const QVariant &value) {
    if (value.isNull())
        return QString();
    switch (type) {
    case FieldType::Date:
        return DateText::fromDate(value.toDate());
    case FieldType::Time:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case FieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        return DateText::fromDate(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm:ss"));
    }
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

QString displayText(const FieldDef &field, const QVariant &value) {
    if (value.isNull())
        return QString();
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        return field.displayFormat.isEmpty() ? value.toString() : applyNumberFormat(field.displayFormat, value.toLongLong());
    case FieldType::Time:
        // A mask of hours and minutes shows the time without its seconds.
        if (field.editMask.section(QLatin1Char(';'), 0, 0).count(QLatin1Char(':')) == 1)
            return value.toTime().toString(QStringLiteral("HH:mm"));
        return plainText(field.type, value);
    case FieldType::Text:
        return field.editMask.isEmpty() ? value.toString() : applyEditMask(field.editMask, value.toString());
    default:
        return plainText(field.type, value);
    }
}

}  // namespace kalvero::FieldFormat
