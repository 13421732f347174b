#pragma once

#include "TextCase.h"

#include <QObject>
#include <QPointer>

class QLineEdit;

namespace kalvero {

class RecordSet;

// Binds a box to a field of a record set: the box shows the current record's
// value and, while the record is inserted or changed, what is typed goes into
// the field at once. A text box takes no more characters than its column; a
// MaskedDigitsEdit gives its digits.
class FieldBinding : public QObject {
    Q_OBJECT
public:
    static FieldBinding *bind(QLineEdit *box, RecordSet *set, const QString &fieldName,
                              TextCase textCase = TextCase::Upper);

    // Shows the field's value now.
    void refresh();

private:
    FieldBinding(QLineEdit *box, RecordSet *set, const QString &fieldName);
    QString boxValue() const;
    void write();

    QPointer<QLineEdit> m_box;
    RecordSet *m_set;
    QString m_fieldName;
};

}  // namespace kalvero
