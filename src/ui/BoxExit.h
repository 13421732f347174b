#pragma once

#include <QEvent>
#include <QFocusEvent>

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

}  // namespace kalvero
