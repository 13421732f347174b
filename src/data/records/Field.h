#pragma once

#include "FieldDef.h"

#include <QString>
#include <QVariant>

namespace kalvero {

class RecordSet;

// A field of the cursor row of a record set, read and written by name.
class Field {
public:
    Field(RecordSet *set, int index) : m_set(set), m_index(index) {}

    const FieldDef &def() const;
    const QString &name() const { return def().name; }

    QVariant value() const;
    void setValue(const QVariant &value);
    bool isNull() const;
    void clear() { setValue(QVariant()); }

    // Empty text for an empty field; dates dd/mm/yyyy.
    QString asString() const;
    void setAsString(const QString &text);
    // 0 for an empty field.
    qint64 asInteger() const;
    void setAsInteger(qint64 value);
    // The text a grid shows (display format, mask).
    QString displayText() const;

private:
    RecordSet *m_set;
    int m_index;
};

}  // namespace kalvero
