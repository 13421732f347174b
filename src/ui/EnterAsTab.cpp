#include "EnterAsTab.h"

#include "EnterKey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QWidget>

namespace kalvero::EnterAsTab {

namespace {

const char *const Property = "kalveroEnterAsTab";
const char *const PassedBy = "kalveroEnterPassesBy";

bool passedBy(const QWidget *widget) { return widget && widget->property(PassedBy).toBool(); }

// Tab from a widget, then on past the widgets that Enter passes by (at most
// once round the window).
void moveOn(QWidget *from) {
    QWidget *widget = from;
    for (int steps = 0; steps < 64; ++steps) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(widget, &tab);
        QWidget *now = QApplication::focusWidget();
        if (!passedBy(now) || now == widget || now == from)
            return;
        widget = now;
    }
}

// A radio button or a check box holds a value, as a box does: Enter moves on
// from it and leaves its choice as it is.
bool holdsAChoice(const QWidget *widget) {
    return qobject_cast<const QRadioButton *>(widget) || qobject_cast<const QCheckBox *>(widget);
}

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
        if (passedBy(widget)) {
            moveOn(widget);
            return true;
        }
        if (!holdsAChoice(widget) && EnterKey::pressIfButton(widget))
            return true;
        // A multi-line box keeps its Enter unless Tab moves on from it too.
        if (auto *text = qobject_cast<QTextEdit *>(widget); text && !text->tabChangesFocus())
            return false;
        if (auto *text = qobject_cast<QPlainTextEdit *>(widget); text && !text->tabChangesFocus())
            return false;
        moveOn(widget);
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

void passBy(QWidget *button) { button->setProperty(PassedBy, true); }

}  // namespace kalvero::EnterAsTab
