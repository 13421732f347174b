#pragma once

#include <QScreen>
#include <QWidget>

namespace kalvero {

// Puts a window in the middle of its screen's free area.
inline void centreOnScreen(QWidget *window) {
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

}  // namespace kalvero
