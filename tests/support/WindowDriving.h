#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
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

// Whether a cell of a grid, as painted now, shows red text (a cancelled
// movement).
inline bool paintedRed(QAbstractItemView *grid, int row, int column) {
    const QImage image = grid->viewport()->grab().toImage();
    const QRect rect = grid->visualRect(grid->model()->index(row, column));
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) == QColor(255, 0, 0))
                return true;
    return false;
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
