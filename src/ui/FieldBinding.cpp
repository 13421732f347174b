#include "FieldBinding.h"

#include "CurrentRecordWatch.h"
#include "MaskedDigitsEdit.h"
#include "data/records/RecordSet.h"

#include <QLineEdit>

namespace kalvero {

FieldBinding *FieldBinding::bind(QLineEdit *box, RecordSet *set, const QString &fieldName, TextCase textCase) {
    auto *binding = new FieldBinding(box, set, fieldName);
    if (!qobject_cast<MaskedDigitsEdit *>(box)) {
        applyTextCase(box, textCase);
        const FieldDef *field = set->fieldNamed(fieldName);
        if (field && field->type == FieldType::Text && field->size > 0)
            box->setMaxLength(field->size);
    }
    binding->refresh();
    return binding;
}

FieldBinding::FieldBinding(QLineEdit *box, RecordSet *set, const QString &fieldName)
    : QObject(box), m_box(box), m_set(set), m_fieldName(fieldName) {
    followCurrentRecord(set, this, [this] { refresh(); });
    connect(box, &QLineEdit::textEdited, this, &FieldBinding::write);
}

QString FieldBinding::boxValue() const {
    if (auto *masked = qobject_cast<MaskedDigitsEdit *>(m_box.data()))
        return masked->digits();
    return m_box->text();
}

void FieldBinding::refresh() {
    if (!m_box)
        return;
    m_box->setReadOnly(!m_set->isEditing());
    QString value;
    if (m_set->isActive() && !m_set->isEmpty()) {
        Field field = m_set->field(m_fieldName);
        const FieldType type = field.def().type;
        // Codes show their display format ("00001"); text shows as stored.
        value = type == FieldType::Text ? field.asString() : field.displayText();
    }
    if (value == boxValue())
        return;  // keeps the cursor where the operator is typing
    if (auto *masked = qobject_cast<MaskedDigitsEdit *>(m_box.data()))
        masked->setDigits(value);
    else
        m_box->setText(value);
}

void FieldBinding::write() {
    if (!m_set->isEditing())
        return;
    const QString value = boxValue();
    Field field = m_set->field(m_fieldName);
    if (value.isEmpty())
        field.clear();
    else
        field.setAsString(value);
}

}  // namespace kalvero
