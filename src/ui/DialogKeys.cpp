#include "DialogKeys.h"

#include "EnterKey.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace kalvero::DialogKeys {

namespace {

class WindowKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            return true;
        if (!EnterKey::isPlainEnter(event))
            return false;
        if (EnterKey::pressIfButton(watched))
            return true;
        return watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow();
    }
};

class EnterMovesFocus : public QObject {
public:
    EnterMovesFocus(QWidget *box, QWidget *target) : QObject(box), m_target(target) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (!EnterKey::isPlainEnter(event))
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
