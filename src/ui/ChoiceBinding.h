#pragma once

#include <QObject>
#include <QPointer>

class QButtonGroup;
class QComboBox;

namespace kalvero {

class RecordSet;

// Binds a choice to a field of a record set, as FieldBinding does for a text
// box: the choice shows the current record's value and, while the record is
// inserted or changed, picking another item writes the field at once.
//  - a button group: each button's id is the integer the field stores; a
//    value no button has leaves every button unchecked;
//  - a drop-down list without typing: the item's text is the field's text; a
//    value not in the list leaves no item selected.
class ChoiceBinding : public QObject {
    Q_OBJECT
public:
    static ChoiceBinding *bind(QButtonGroup *group, RecordSet *set, const QString &fieldName);
    static ChoiceBinding *bind(QComboBox *list, RecordSet *set, const QString &fieldName);

    // Shows the field's value now.
    void refresh();

private:
    ChoiceBinding(QObject *owner, RecordSet *set, const QString &fieldName);
    bool editing() const;
    void write(const QVariant &value);

    QPointer<QButtonGroup> m_group;
    QPointer<QComboBox> m_list;
    RecordSet *m_set;
    QString m_fieldName;
    bool m_refreshing = false;
};

}  // namespace kalvero
