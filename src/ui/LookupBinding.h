#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QComboBox;

namespace kalvero {

class RecordSet;
class RecordSetModel;

// A lookup box: a drop-down list over the rows of one record set (the
// choices) bound to a key field of another (the record). Its drop-down shows
// the columns named, the box itself one of them; the box shows the choice
// whose key equals the record's value and stays empty when there is none.
// Picking a row while the record is inserted or changed writes its key into
// the field at once.
class LookupBinding : public QObject {
    Q_OBJECT
public:
    struct Choices {
        RecordSet *set = nullptr;
        QString keyField;            // what the record's field holds
        QString shownField;          // what the box shows
        QStringList dropDownFields;  // the drop-down's columns
    };

    static LookupBinding *bind(QComboBox *box, RecordSet *set, const QString &fieldName, const Choices &choices);

    // Makes the box a drop-down list over the choices' rows, shown as a bound
    // box shows them, without binding it to any record; the model belongs
    // to owner.
    static RecordSetModel *showChoices(QComboBox *box, const Choices &choices, QObject *owner);

    // Shows the record's choice now.
    void refresh();

private:
    LookupBinding(QComboBox *box, RecordSet *set, const QString &fieldName, const Choices &choices);
    void write(int row);

    QPointer<QComboBox> m_box;
    RecordSet *m_set;
    QString m_fieldName;
    Choices m_choices;
    RecordSetModel *m_model = nullptr;
    bool m_refreshing = false;
};

}  // namespace kalvero
