#include "EnterAsTab.h"

#include "EnterKey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace kalvero::EnterAsTab {

namespace {

const char *const Property = "kalveroEnterAsTab";

// One filter for the whole application; it acts only in windows that asked.
class Filter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!EnterKey::isPlainEnter(event))
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->isWindow() || !widget->window()->property(Property).toBool())
            return false;
        if (EnterKey::pressIfButton(widget))
            return true;
        if (qobject_cast<QTextEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget))
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(widget, &tab);
        return true;
    }
};

}  // namespace

void enable(QWidget *window) {
    static Filter *filter = [] {
        auto *f = new Filter(qApp);
        qApp->installEventFilter(f);
        return f;
    }();
    Q_UNUSED(filter);
    window->setProperty(Property, true);
}

}  // namespace kalvero::EnterAsTab
