#include "RegistryWidgets.h"

#include "RegistryForm.h"
#include "data/records/RecordSet.h"
#include "ui/FieldBinding.h"
#include "ui/MaskedDigitsEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace kalvero::RegistryWidgets {

namespace {

// The widest integer code that fits the INTEGER columns.
constexpr int CodeDigits = 9;

template <typename Box>
Box *placed(QGroupBox *group, QGridLayout *layout, int row, int column, const QString &label, Box *box) {
    auto *caption = new QLabel(label, group);
    caption->setBuddy(box);
    layout->addWidget(caption, row, column * 2);
    layout->addWidget(box, row, column * 2 + 1);
    return box;
}

}  // namespace

QLineEdit *codeSearchBox(const RegistryForm &form, const char *name, int row, const QString &label, int maxDigits) {
    auto *box = new QLineEdit(form.grpConsultar);
    box->setObjectName(QLatin1String(name));
    acceptDigitsOnly(box, maxDigits > 0 ? maxDigits : CodeDigits);
    box->setMaximumWidth(110);
    return placed(form.grpConsultar, form.searchLayout, row, 0, label, box);
}

QToolButton *findButton(const RegistryForm &form, int row, const QString &caption) {
    auto *button = new QToolButton(form.grpConsultar);
    button->setObjectName(QStringLiteral("btnLocalizar"));
    button->setIcon(button->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    button->setToolTip(QStringLiteral("Localizar"));
    if (!caption.isEmpty()) {
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    form.searchLayout->addWidget(button, row, 2, Qt::AlignLeft);
    return button;
}

QLineEdit *textSearchBox(const RegistryForm &form, const char *name, int row, const QString &label, int maxLength) {
    auto *box = new QLineEdit(form.grpConsultar);
    box->setObjectName(QLatin1String(name));
    applyTextCase(box, TextCase::Upper);
    box->setMaxLength(maxLength);
    auto *caption = new QLabel(label, form.grpConsultar);
    caption->setBuddy(box);
    form.searchLayout->addWidget(caption, row, 0);
    form.searchLayout->addWidget(box, row, 1, 1, 3);
    return box;
}

MaskedDigitsEdit *maskedSearchBox(const RegistryForm &form, const char *name, int row, const QString &label,
                                  const QString &pattern) {
    auto *box = new MaskedDigitsEdit(pattern, QLatin1Char(' '), form.grpConsultar);
    box->setObjectName(QLatin1String(name));
    box->setMaximumWidth(160);
    return placed(form.grpConsultar, form.searchLayout, row, 0, label, box);
}

QLineEdit *dataBox(const RegistryForm &form, const char *name, int row, const QString &label, RecordSet *set,
                   const QString &field, TextCase textCase, int column) {
    auto *box = new QLineEdit(form.grpDados);
    box->setObjectName(QLatin1String(name));
    FieldBinding::bind(box, set, field, textCase);
    const FieldDef *def = set->fieldNamed(field);
    if (def && def->type != FieldType::Text) {
        box->setEnabled(false);  // codes are never typed
        box->setMaximumWidth(110);
    }
    return placed(form.grpDados, form.dataLayout, row, column, label, box);
}

}  // namespace kalvero::RegistryWidgets
