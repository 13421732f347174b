#include "FaultMark.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>
#include <QWidget>

namespace kalvero::FaultMark {

namespace {

// Lives under the marked box and holds what the mark covered; deleting it
// gives the box back its own look.
class Mark : public QObject {
public:
    explicit Mark(QWidget *box, const QString &reason)
        : QObject(box), m_box(box), m_ownPalette(box->testAttribute(Qt::WA_SetPalette)),
          m_palette(box->palette()), m_toolTip(box->toolTip()), m_autoFill(box->autoFillBackground()) {
        setObjectName(QStringLiteral("faultMark"));
        QPalette tinted = m_palette;
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
            tinted.setColor(role, tint());
        box->setPalette(tinted);
        box->setAutoFillBackground(true);
        if (!reason.isEmpty())
            box->setToolTip(reason);
        watchForChange();
        box->installEventFilter(this);
    }

    // Not in the destructor: a mark dies with its box, whose look no longer matters.
    void restore() {
        if (m_restored)
            return;
        m_restored = true;
        m_box->setPalette(m_ownPalette ? m_palette : QPalette());
        m_box->setAutoFillBackground(m_autoFill);
        m_box->setToolTip(m_toolTip);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Hide || (event->type() == QEvent::EnabledChange && !m_box->isEnabled()))
            gone();
        return false;
    }

private:
    void gone() {
        // Given back at once; the object itself goes when control returns.
        m_box->removeEventFilter(this);
        disconnect(m_box, nullptr, this, nullptr);
        restore();
        setParent(nullptr);
        deleteLater();
    }

    void watchForChange() {
        auto gone = [this] { this->gone(); };
        if (auto *line = qobject_cast<QLineEdit *>(m_box))
            connect(line, &QLineEdit::textChanged, this, gone);
        else if (auto *combo = qobject_cast<QComboBox *>(m_box)) {
            connect(combo, &QComboBox::currentIndexChanged, this, gone);
            connect(combo, &QComboBox::editTextChanged, this, gone);
        } else if (auto *date = qobject_cast<QDateTimeEdit *>(m_box))
            connect(date, &QDateTimeEdit::dateTimeChanged, this, gone);
        else if (auto *spin = qobject_cast<QSpinBox *>(m_box))
            connect(spin, &QSpinBox::valueChanged, this, gone);
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(m_box))
            connect(plain, &QPlainTextEdit::textChanged, this, gone);
        else if (auto *text = qobject_cast<QTextEdit *>(m_box))
            connect(text, &QTextEdit::textChanged, this, gone);
        else if (auto *button = qobject_cast<QAbstractButton *>(m_box))
            connect(button, &QAbstractButton::toggled, this, gone);
    }

    QWidget *m_box;
    bool m_ownPalette;
    QPalette m_palette;
    QString m_toolTip;
    bool m_autoFill;
    bool m_restored = false;
};

Mark *markOn(const QWidget *box) {
    return box ? box->findChild<Mark *>(QStringLiteral("faultMark"), Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace

QColor tint() { return QColor(255, 215, 215); }

void mark(QWidget *box, const QString &reason) {
    if (!box)
        return;
    clear(box);
    new Mark(box, reason);
}

void clear(QWidget *box) {
    while (Mark *old = markOn(box)) {
        old->restore();
        delete old;
    }
}

bool isMarked(const QWidget *box) { return markOn(box) != nullptr; }

QWidget *firstAtFault(std::initializer_list<Check> checks) {
    for (const Check &check : checks)
        if (!check.ok)
            return check.box;
    return nullptr;
}

void point(QWidget *box, const QString &reason) {
    if (!box)
        return;
    mark(box, reason);
    box->setFocus(Qt::OtherFocusReason);
}

void refuse(QWidget *box, const std::function<void()> &tell) {
    mark(box);
    tell();
    point(box);
}

}  // namespace kalvero::FaultMark
