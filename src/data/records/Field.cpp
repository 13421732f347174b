#include "Field.h"

#include "FieldFormat.h"
#include "RecordSet.h"
#include "../firebird/FirebirdError.h"

namespace kalvero {

const FieldDef &Field::def() const { return m_set->fieldDef(m_index); }

QVariant Field::value() const { return m_set->fieldValue(m_index); }

void Field::setValue(const QVariant &value) { m_set->setFieldValue(m_index, value); }

bool Field::isNull() const { return value().isNull(); }

QString Field::asString() const { return FieldFormat::plainText(def().type, value()); }

void Field::setAsString(const QString &text) { setValue(text); }

qint64 Field::asInteger() const {
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (def().type == FieldType::Text) {
        const QString t = v.toString().trimmed();
        if (t.isEmpty())
            return 0;
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' não é um valor inteiro válido.").arg(t));
        return n;
    }
    return v.toLongLong();
}

void Field::setAsInteger(qint64 value) {
    if (def().type == FieldType::Text)
        setValue(QString::number(value));
    else
        setValue(value);
}

QString Field::displayText() const { return FieldFormat::displayText(def(), value()); }

}  // namespace kalvero
