#pragma once

#include <QEvent>
#include <QObject>
#include <QScreen>
#include <QWidget>

namespace kalvero {

// Puts a window in the middle of its screen's free area.
inline void centreOnScreen(QWidget *window) {
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

// Centres the window on its screen each time the program shows it, wherever
// its parent stands (a dialog would otherwise open over its parent).
class CentreOnScreenWhenShown : public QObject {
public:
    static void install(QWidget *window) { window->installEventFilter(new CentreOnScreenWhenShown(window)); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && !event->spontaneous())
            centreOnScreen(static_cast<QWidget *>(watched));
        return false;
    }

private:
    using QObject::QObject;
};

}  // namespace kalvero
