#include "DateBox.h"

#include "FaultMark.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace kalvero {

namespace {

constexpr int Width[3] = {2, 2, 4};

}  // namespace

DateBox::DateBox(QWidget *parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
}

void DateBox::startTyping() {
    m_before = date();
    for (QString &part : m_typed)
        part.clear();
    m_part = 0;
}

void DateBox::typeDigit(QChar digit) {
    if (!typing())
        startTyping();
    if (m_part > 2)
        return;
    m_typed[m_part] += digit;
    if (m_typed[m_part].size() == Width[m_part])
        ++m_part;
    if (m_part > 2)
        finishTyping();
    else
        showTyped();
}

void DateBox::nextPart() {
    // A slash closes the part being typed; right after a full part (which
    // moved on by itself) it is the separator typed out of habit.
    if (m_part > 0 && m_part <= 2 && m_typed[m_part].isEmpty() && m_typed[m_part - 1].size() == Width[m_part - 1])
        return;
    if (m_typed[m_part].isEmpty())
        return;
    ++m_part;
    showTyped();
}

void DateBox::showTyped() {
    // Parts typed or being typed show what was typed (blanks as '_'); the
    // parts still ahead show the date the box holds.
    const QString held[3] = {m_before.toString(QStringLiteral("dd")), m_before.toString(QStringLiteral("MM")),
                             m_before.toString(QStringLiteral("yyyy"))};
    QString text;
    int cursor = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            text += QLatin1Char('/');
        if (i < m_part || (i == m_part && !m_typed[i].isEmpty()))
            text += m_typed[i].leftJustified(Width[i], QLatin1Char('_'));
        else
            text += held[i];
        if (i < m_part)
            cursor = int(text.size()) + 1;
        else if (i == m_part)
            cursor = int(text.size()) - Width[i] + int(m_typed[i].size());
    }
    QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(text);
    lineEdit()->setCursorPosition(cursor);
}

bool DateBox::finishTyping() {
    if (!typing())
        return true;
    m_part = -1;
    // Untyped parts keep the date held; a typed year of two digits is of
    // this century.
    int parts[3] = {m_before.day(), m_before.month(), m_before.year()};
    bool typedAny = false;
    for (int i = 0; i < 3; ++i) {
        if (m_typed[i].isEmpty())
            continue;
        typedAny = true;
        parts[i] = m_typed[i].toInt();
        if (i == 2 && m_typed[i].size() <= 2)
            parts[i] += 2000;
    }
    if (!typedAny)
        return true;
    const QDate typed(parts[2], parts[1], parts[0]);
    if (typed.isValid() && typed >= minimumDate() && typed <= maximumDate()) {
        m_refused.clear();
        FaultMark::clear(this);
        setDate(typed);
        lineEdit()->setText(textFromDateTime(dateTime()));
        // The arrows step the day next, as on entering the box.
        setSelectedSection(QDateTimeEdit::DaySection);
        return true;
    }
    m_refused = QStringLiteral("%1/%2/%3")
                    .arg(parts[0], 2, 10, QLatin1Char('0'))
                    .arg(parts[1], 2, 10, QLatin1Char('0'))
                    .arg(parts[2], 4, 10, QLatin1Char('0'));
    setDate(m_before);
    lineEdit()->setText(textFromDateTime(dateTime()));
    FaultMark::mark(this, QStringLiteral("A data %1 não existe; a data anterior foi mantida.").arg(m_refused));
    return false;
}

void DateBox::keyPressEvent(QKeyEvent *event) {
    if (isReadOnly()) {
        QDateEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && text.size() == 1 && text.at(0).isDigit() && text.at(0).unicode() < 128) {
        typeDigit(text.at(0));
        return;
    }
    if (plain && (text == QLatin1String("/") || text == QLatin1String("-") || text == QLatin1String("."))) {
        if (typing())
            nextPart();
        return;
    }
    if (event->key() == Qt::Key_Backspace && typing()) {
        if (m_typed[m_part].isEmpty() && m_part > 0)
            --m_part;
        m_typed[m_part].chop(1);
        showTyped();
        return;
    }
    if (event->key() == Qt::Key_Escape && typing()) {
        m_part = -1;
        lineEdit()->setText(textFromDateTime(dateTime()));
        return;
    }
    // Any other key (Enter, Tab, the arrows) takes what was typed first.
    finishTyping();
    QDateEdit::keyPressEvent(event);
}

void DateBox::focusInEvent(QFocusEvent *event) {
    QDateEdit::focusInEvent(event);
    m_part = -1;
    // The day first, whichever way the box was entered.
    setSelectedSection(QDateTimeEdit::DaySection);
}

void DateBox::mousePressEvent(QMouseEvent *event) {
    // A click while typing takes what was typed; the arrows keep their use.
    finishTyping();
    QDateEdit::mousePressEvent(event);
}

void DateBox::focusOutEvent(QFocusEvent *event) {
    finishTyping();
    QDateEdit::focusOutEvent(event);
}

}  // namespace kalvero
