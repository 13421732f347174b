#include "FormParts.h"

#include "DateBox.h"
#include "ConflictMark.h"
#include "FieldBinding.h"
#include "ScreenCentre.h"
#include "TextCase.h"

#include <QDateEdit>
#include <QDialog>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace kalvero::FormParts {

TwoPages twoPageWindow(QDialog *window, const QString &title, QSize size, const char *firstName,
                       const QString &firstCaption, const char *secondName, const QString &secondCaption) {
    window->setWindowTitle(title);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(size);
    window->setModal(true);
    CentreOnScreenWhenShown::install(window);

    auto *outer = new QVBoxLayout(window);
    outer->setContentsMargins(4, 4, 4, 4);
    TwoPages pages;
    pages.tabs = named(new QTabWidget(window), "PageControl");
    outer->addWidget(pages.tabs);
    pages.first = named(new QWidget, firstName);
    pages.second = named(new QWidget, secondName);
    pages.tabs->addTab(pages.first, firstCaption);
    pages.tabs->addTab(pages.second, secondCaption);
    return pages;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, QStyle::StandardPixmap icon) {
    auto *b = named(new QPushButton(parent->style()->standardIcon(icon), caption, parent), name);
    b->setMinimumHeight(30);
    return b;
}

QToolButton *imageButton(QWidget *parent, const char *name, const QString &hint, QStyle::StandardPixmap icon) {
    auto *b = named(new QToolButton(parent), name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(hint);
    return b;
}

QLabel *label(const QString &text, QWidget *buddy, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

QDateEdit *datePicker(QWidget *parent, const char *name) {
    auto *picker = named(new DateBox(parent), name);
    picker->setCalendarPopup(true);
    // The date counts once it is whole: picked, stepped or typed and left.
    picker->setKeyboardTracking(false);
    return picker;
}

QLineEdit *totalBox(QWidget *parent, const char *name) {
    auto *box = named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFocusPolicy(Qt::NoFocus);
    box->setMaximumWidth(90);
    return box;
}

QLineEdit *codeBox(QWidget *parent, const char *name, RecordSet *set, const QString &field) {
    auto *box = named(new QLineEdit(parent), name);
    FieldBinding::bind(box, set, field, TextCase::AsTyped);
    // The lookup list beside it names the other workstation's choice.
    delete ConflictMark::of(box);
    acceptDigitsOnly(box, 9);
    box->setMaximumWidth(60);
    return box;
}

}  // namespace kalvero::FormParts
