#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace kalvero {

// Done once the widget watched has been painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;

    // Runs the event loop until the widget has been painted.
    void wait() {
        while (!painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

}  // namespace kalvero
