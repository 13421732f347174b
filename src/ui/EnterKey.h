#pragma once

#include <QAbstractButton>
#include <QKeyEvent>

namespace kalvero::EnterKey {

// A press of Enter or Return with no modifier but the keypad's.
inline bool isPlainEnter(const QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !(key->modifiers() & ~Qt::KeypadModifier);
}

// Enter on a focused button presses it, on every window of the program.
inline bool pressIfButton(QObject *watched) {
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button)
        return false;
    button->click();
    return true;
}

}  // namespace kalvero::EnterKey
