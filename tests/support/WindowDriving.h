#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace kalvero::test {

// The widget of a window that has this object name and type, as the window's
// design names it. A window without exactly one such widget ends the test run
// at once: the test would otherwise drive some other box.
template <typename Widget = QWidget>
Widget *named(const QObject *window, const QString &name) {
    const QList<Widget *> found = window->findChildren<Widget *>(name);
    if (found.size() != 1)
        qFatal("%s has %d widgets named %s", qPrintable(window->objectName()), int(found.size()), qPrintable(name));
    return found.first();
}

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
