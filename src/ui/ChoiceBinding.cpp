#include "ChoiceBinding.h"

#include "ConflictMark.h"
#include "CurrentRecordWatch.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>

namespace kalvero {

ChoiceBinding::ChoiceBinding(QObject *owner, RecordSet *set, const QString &fieldName)
    : QObject(owner), m_set(set), m_fieldName(fieldName) {
    followCurrentRecord(set, this, [this] { refresh(); });
}

ChoiceBinding *ChoiceBinding::bind(QButtonGroup *group, RecordSet *set, const QString &fieldName) {
    auto *binding = new ChoiceBinding(group, set, fieldName);
    binding->m_group = group;
    // The group's frame carries the mark, with the other choice's caption.
    if (!group->buttons().isEmpty() && group->buttons().first()->parentWidget())
        ConflictMark::attach(group->buttons().first()->parentWidget(), set, fieldName, [group](const QVariant &value) {
            QAbstractButton *button = group->button(value.toInt());
            return button ? button->text().remove(QLatin1Char('&')) : value.toString();
        });
    connect(group, &QButtonGroup::idToggled, binding, [binding](int id, bool checked) {
        if (checked)
            binding->write(id);
    });
    binding->refresh();
    return binding;
}

ChoiceBinding *ChoiceBinding::bind(QComboBox *list, RecordSet *set, const QString &fieldName) {
    auto *binding = new ChoiceBinding(list, set, fieldName);
    binding->m_list = list;
    ConflictMark::attach(list, set, fieldName);
    list->setEditable(false);
    connect(list, &QComboBox::currentIndexChanged, binding, [binding, list](int index) {
        if (index >= 0)
            binding->write(list->itemText(index));
    });
    binding->refresh();
    return binding;
}

bool ChoiceBinding::editing() const {
    return m_set->isEditing();
}

void ChoiceBinding::refresh() {
    const bool hasRow = m_set->isActive() && !m_set->isEmpty();
    m_refreshing = true;
    if (m_group) {
        const qint64 value = hasRow ? m_set->field(m_fieldName).asInteger() : -1;
        const bool known = hasRow && !m_set->field(m_fieldName).isNull() && m_group->button(int(value));
        if (known) {
            m_group->button(int(value))->setChecked(true);
        } else if (QAbstractButton *checked = m_group->checkedButton()) {
            // An exclusive group cannot uncheck its last button by itself.
            m_group->setExclusive(false);
            checked->setChecked(false);
            m_group->setExclusive(true);
        }
    }
    if (m_list)
        m_list->setCurrentIndex(hasRow ? m_list->findText(m_set->field(m_fieldName).asString(), Qt::MatchExactly) : -1);
    m_refreshing = false;
}

void ChoiceBinding::write(const QVariant &value) {
    if (m_refreshing)
        return;
    if (!editing()) {
        refresh();  // nothing is being entered: the choice goes back to the record's value
        return;
    }
    m_set->field(m_fieldName).setValue(value);
}

}  // namespace kalvero
