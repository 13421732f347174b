#include "DialogKeys.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace kalvero::DialogKeys {

namespace {

bool isEnter(const QKeyEvent *key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

class WindowKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape)
            return true;
        if (!isEnter(key))
            return false;
        if (auto *button = qobject_cast<QAbstractButton *>(watched)) {
            button->click();
            return true;
        }
        return watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow();
    }
};

class EnterMovesFocus : public QObject {
public:
    EnterMovesFocus(QWidget *box, QWidget *target) : QObject(box), m_target(target) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent *>(event)))
            return false;
        if (m_target)
            m_target->setFocus(Qt::OtherFocusReason);
        return true;
    }

private:
    QPointer<QWidget> m_target;
};

}  // namespace

void install(QDialog *window) {
    auto *keys = new WindowKeys(window);
    window->installEventFilter(keys);
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (auto *push = qobject_cast<QPushButton *>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
        button->installEventFilter(keys);
    }
}

void moveFocusOnEnter(QWidget *box, QWidget *target) { box->installEventFilter(new EnterMovesFocus(box, target)); }

}  // namespace kalvero::DialogKeys
