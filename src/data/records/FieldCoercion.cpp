#include "FieldCoercion.h"

#include "../DateText.h"
#include "../firebird/FirebirdError.h"

#include <QDateTime>
#include <QTime>

#include <climits>

namespace kalvero {

QVariant coerceFieldValue(const FieldDef &f, const QVariant &value) {
    if (value.isNull())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString() : QString();
    if (isText && f.type != FieldType::Text && text.trimmed().isEmpty())
        return QVariant();
    switch (f.type) {
    case FieldType::Text: {
        const QString s = value.toString();
        if (s.isEmpty())
            return QVariant();
        // The column counts characters: one outside the basic plane is two
        // UTF-16 units here but one character there.
        if (f.size > 0 && s.size() > f.size && s.toUcs4().size() > f.size)
            throw DatabaseError(QStringLiteral("O texto de '%1' excede %2 caracteres.").arg(f.displayLabel()).arg(f.size));
        return s;
    }
    case FieldType::Integer:
    case FieldType::LargeInt: {
        bool ok = true;
        const qint64 n = isText ? text.trimmed().toLongLong(&ok) : value.toLongLong(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' não é um valor inteiro válido para '%2'.")
                                    .arg(value.toString(), f.displayLabel()));
        if (f.type == FieldType::Integer) {
            if (n < INT_MIN || n > INT_MAX)
                throw DatabaseError(QStringLiteral("'%1' está fora do intervalo de '%2'.").arg(n).arg(f.displayLabel()));
            return int(n);
        }
        return n;
    }
    case FieldType::Float: {
        bool ok = true;
        const double d = isText ? QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok)
                                : value.toDouble(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' não é um número válido para '%2'.").arg(value.toString(), f.displayLabel()));
        return d;
    }
    case FieldType::Date: {
        const QDate d = isText ? DateText::toDate(text)
                               : (value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate());
        if (!d.isValid())
            throw DatabaseError(QStringLiteral("'%1' não é uma data válida para '%2'.").arg(value.toString(), f.displayLabel()));
        return d;
    }
    case FieldType::Time: {
        QTime t = value.toTime();
        if (isText) {
            t = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm:ss"));
            if (!t.isValid())
                t = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm"));
        }
        if (!t.isValid())
            throw DatabaseError(QStringLiteral("'%1' não é uma hora válida para '%2'.").arg(value.toString(), f.displayLabel()));
        return t;
    }
    case FieldType::DateTime: {
        const QDateTime dt = isText ? QDateTime::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                                    : value.toDateTime();
        if (!dt.isValid())
            throw DatabaseError(QStringLiteral("'%1' não é uma data e hora válida para '%2'.").arg(value.toString(), f.displayLabel()));
        return dt;
    }
    case FieldType::Boolean:
        return value.toBool();
    }
    return value;
}

}  // namespace kalvero
