#pragma once

#include "TextCase.h"

#include <QObject>
#include <QPointer>

class QLineEdit;
class QPlainTextEdit;

namespace kalvero {

class RecordSet;

// Binds a box to a field of a record set: the box shows the current record's
// value and, while the record is inserted or changed, what is typed goes into
// the field at once. A text box takes no more characters than its column; a
// MaskedDigitsEdit gives its digits. What the operator types is not rewritten
// under the cursor (a code "1" stays "1" until the box is left, then shows
// "001").
class FieldBinding : public QObject {
    Q_OBJECT
public:
    static FieldBinding *bind(QLineEdit *box, RecordSet *set, const QString &fieldName,
                              TextCase textCase = TextCase::Upper);
    // A multi-line box, as typed (BoxText::kept); a paste longer than the
    // column is cut at the column's size.
    static FieldBinding *bind(QPlainTextEdit *box, RecordSet *set, const QString &fieldName);

    // Shows the field's value now.
    void refresh();

private:
    FieldBinding(QObject *box, RecordSet *set, const QString &fieldName);
    QString boxValue() const;
    void setBoxValue(const QString &value);
    void write();
    void limitTextLength();

    QPointer<QLineEdit> m_box;
    QPointer<QPlainTextEdit> m_text;
    RecordSet *m_set;
    QString m_fieldName;
    int m_maxLength = 0;  // of the multi-line box; 0: no limit
    bool m_writing = false;
    bool m_settingBox = false;
};

}  // namespace kalvero
