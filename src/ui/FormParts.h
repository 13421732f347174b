#pragma once

#include <QSize>
#include <QStyle>
#include <QString>

class QDateEdit;
class QDialog;
class QTabWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace kalvero {

class RecordSet;

// The pieces that the register windows are built from, each named as the
// window's design names it, so that tests and the windows find them by name.
namespace FormParts {

template <typename Widget>
Widget *named(Widget *widget, const char *name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A register window: modal, of a fixed size, centred, with only its close
// box, holding the tabs "PageControl" of its two pages.
struct TwoPages {
    QTabWidget *tabs = nullptr;
    QWidget *first = nullptr;
    QWidget *second = nullptr;
};
TwoPages twoPageWindow(QDialog *window, const QString &title, QSize size, const char *firstName,
                       const QString &firstCaption, const char *secondName, const QString &secondCaption);

// A command button with its icon.
QPushButton *button(QWidget *parent, const char *name, const QString &caption, QStyle::StandardPixmap icon);
// A small button that shows only its icon; the hint says what it does.
QToolButton *imageButton(QWidget *parent, const char *name, const QString &hint, QStyle::StandardPixmap icon);
// A caption whose mnemonic goes to the box beside it.
QLabel *label(const QString &text, QWidget *buddy, QWidget *parent);
// dd/mm/yyyy with the calendar, typed digit by digit (DateBox); the date
// counts once it is whole.
QDateEdit *datePicker(QWidget *parent, const char *name);
// A read-only count, right-aligned.
QLineEdit *totalBox(QWidget *parent, const char *name);
// A code box bound to an integer field: digits only. It stands beside the
// lookup list of the same field, which carries the field's conflict mark.
QLineEdit *codeBox(QWidget *parent, const char *name, RecordSet *set, const QString &field);

}  // namespace FormParts

}  // namespace kalvero
