#pragma once

#include <QDateEdit>

namespace kalvero {

// A date box as the screens show one: dd/MM/yyyy with a calendar that drops
// down; the date counts once it is whole (picked, stepped, or typed and left).
inline QDateEdit *makeDatePicker(QWidget *parent) {
    auto *picker = new QDateEdit(parent);
    picker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    picker->setCalendarPopup(true);
    picker->setKeyboardTracking(false);
    return picker;
}

}  // namespace kalvero
