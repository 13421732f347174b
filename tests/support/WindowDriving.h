#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace kalvero::test {

// Replaces a box's text by typing, as a person does.
inline void typeInto(QLineEdit *box, const QString &text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClicks(box, text);
}

// Shows a window and makes it the active one, so that focus moves as for a
// person.
inline bool showActive(QWidget *window) {
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

}  // namespace kalvero::test
