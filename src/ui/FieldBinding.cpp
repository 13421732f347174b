#include "FieldBinding.h"

#include "BoxText.h"
#include "ConflictMark.h"
#include "CurrentRecordWatch.h"
#include "MaskedDigitsEdit.h"
#include "data/records/RecordSet.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace kalvero {

FieldBinding *FieldBinding::bind(QLineEdit *box, RecordSet *set, const QString &fieldName, TextCase textCase) {
    auto *binding = new FieldBinding(box, set, fieldName);
    binding->m_box = box;
    if (!qobject_cast<MaskedDigitsEdit *>(box)) {
        applyTextCase(box, textCase);
        const FieldDef *field = set->fieldNamed(fieldName);
        if (field && field->type == FieldType::Text && field->size > 0)
            box->setMaxLength(field->size);
    }
    ConflictMark::attach(box, set, fieldName);
    connect(box, &QLineEdit::textEdited, binding, &FieldBinding::write);
    // Leaving the box shows the value as the field formats it.
    connect(box, &QLineEdit::editingFinished, binding, &FieldBinding::refresh);
    binding->refresh();
    return binding;
}

FieldBinding *FieldBinding::bind(QPlainTextEdit *box, RecordSet *set, const QString &fieldName) {
    auto *binding = new FieldBinding(box, set, fieldName);
    binding->m_text = box;
    const FieldDef *field = set->fieldNamed(fieldName);
    if (field && field->type == FieldType::Text && field->size > 0)
        binding->m_maxLength = field->size;
    ConflictMark::attach(box, set, fieldName);
    connect(box, &QPlainTextEdit::textChanged, binding, [binding] {
        if (binding->m_settingBox)
            return;
        binding->limitTextLength();
        binding->write();
    });
    binding->refresh();
    return binding;
}

FieldBinding::FieldBinding(QObject *box, RecordSet *set, const QString &fieldName)
    : QObject(box), m_set(set), m_fieldName(fieldName) {
    followCurrentRecord(set, this, [this] { refresh(); });
}

QString FieldBinding::boxValue() const {
    if (m_text)
        return m_text->toPlainText();
    if (auto *masked = qobject_cast<MaskedDigitsEdit *>(m_box.data()))
        return masked->digits();
    return m_box ? m_box->text() : QString();
}

void FieldBinding::setBoxValue(const QString &value) {
    if (m_text) {
        m_settingBox = true;
        m_text->setPlainText(value);
        m_settingBox = false;
    } else if (auto *masked = qobject_cast<MaskedDigitsEdit *>(m_box.data()))
        masked->setDigits(value);
    else if (m_box)
        m_box->setText(value);
}

void FieldBinding::refresh() {
    if (!m_box && !m_text)
        return;
    if (m_writing)
        return;  // the change came from this box
    if (m_box)
        m_box->setReadOnly(!m_set->isEditing());
    else
        m_text->setReadOnly(!m_set->isEditing());
    QString value;
    if (m_set->isActive() && !m_set->isEmpty()) {
        Field field = m_set->field(m_fieldName);
        const FieldType type = field.def().type;
        // Codes show their display format ("00001"); text shows as stored.
        value = type == FieldType::Text ? field.asString() : field.displayText();
    }
    if (value == boxValue())
        return;  // keeps the cursor where the operator is typing
    setBoxValue(value);
}

void FieldBinding::limitTextLength() {
    if (m_text)
        BoxText::keepInBox(m_text, m_maxLength);
}

void FieldBinding::write() {
    if (!m_set->isEditing())
        return;
    const QString value = boxValue();
    Field field = m_set->field(m_fieldName);
    m_writing = true;
    try {
        if (value.isEmpty())
            field.clear();
        else
            field.setAsString(value);
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
}

}  // namespace kalvero
