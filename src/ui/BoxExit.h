#pragma once

#include <QEvent>
#include <QFocusEvent>
#include <QObject>
#include <QWidget>

#include <functional>

namespace kalvero {

// The operator leaves a box: it loses the focus to another control of its
// window. A message box, another window or a drop-down list taking the focus
// is no exit, so a check run on leaving never triggers itself again.
inline bool leavesBox(const QEvent *event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// Runs a step each time the operator leaves the box.
class BoxExitWatch : public QObject {
public:
    BoxExitWatch(QWidget *box, std::function<void()> left) : QObject(box), m_left(std::move(left)) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (leavesBox(event))
            m_left();
        return false;
    }

private:
    std::function<void()> m_left;
};

}  // namespace kalvero
