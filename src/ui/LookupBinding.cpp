#include "LookupBinding.h"

#include "ConflictMark.h"
#include "CurrentRecordWatch.h"
#include "RecordSetModel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableView>

namespace kalvero {

LookupBinding *LookupBinding::bind(QComboBox *box, RecordSet *set, const QString &fieldName, const Choices &choices) {
    auto *binding = new LookupBinding(box, set, fieldName, choices);
    binding->refresh();
    return binding;
}

RecordSetModel *LookupBinding::showChoices(QComboBox *box, const Choices &choices, QObject *owner) {
    box->setEditable(false);
    // Sized by a fixed number of characters, not by measuring every choice:
    // a list of many thousand names opens as fast as a short one.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(20);
    auto *model = new RecordSetModel(choices.set, owner);
    model->setFieldNames(choices.dropDownFields);
    box->setModel(model);
    box->setModelColumn(std::max(0, int(choices.dropDownFields.indexOf(choices.shownField))));

    // Code and name side by side in the drop-down; rows of one line each, so
    // that a long list opens at once.
    auto *view = new QTableView(box);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(box->fontMetrics().height() + 4);
    view->horizontalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    box->setView(view);
    view->setMinimumWidth(360);

    return model;
}

LookupBinding::LookupBinding(QComboBox *box, RecordSet *set, const QString &fieldName, const Choices &choices)
    : QObject(box), m_box(box), m_set(set), m_fieldName(fieldName), m_choices(choices) {
    m_model = showChoices(box, choices, this);

    followCurrentRecord(set, this, [this] { refresh(); });
    // The other workstation's choice is named as the list names it.
    ConflictMark::attach(box, set, fieldName, [choices](const QVariant &value) {
        const int row = choices.set->isActive() ? choices.set->findRow(choices.set->fieldIndex(choices.keyField), value)
                                                : -1;
        return row < 0 ? value.toString() : choices.set->displayTextAt(row, choices.set->fieldIndex(choices.shownField));
    });
    // The choices reloaded (a requester registered on the way) or their
    // order changed: the shown row moves.
    connect(choices.set, &RecordSet::rowsReset, this, [this] { refresh(); });
    connect(box, &QComboBox::activated, this, &LookupBinding::write);
}

void LookupBinding::refresh() {
    if (!m_box)
        return;
    int row = -1;
    RecordSet *choices = m_choices.set;
    if (m_set->isActive() && !m_set->isEmpty() && choices->isActive()) {
        Field field = m_set->field(m_fieldName);
        const int key = choices->fieldIndex(m_choices.keyField);
        if (!field.isNull() && key >= 0)
            row = choices->findRow(key, field.value());
    }
    m_refreshing = true;
    m_box->setCurrentIndex(row);
    m_refreshing = false;
}

void LookupBinding::write(int row) {
    if (m_refreshing)
        return;
    if (!m_set->isEditing() || row < 0) {
        refresh();  // nothing is being entered: the box goes back to the record's choice
        return;
    }
    const int key = m_choices.set->fieldIndex(m_choices.keyField);
    m_set->field(m_fieldName).setValue(m_choices.set->valueAt(row, key));
}

}  // namespace kalvero
