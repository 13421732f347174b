#include "MaskedDigitsEdit.h"

#include <QFocusEvent>

namespace kalvero {

MaskedDigitsEdit::MaskedDigitsEdit(const QString &pattern, QChar blank, QWidget *parent)
    : QLineEdit(parent), m_pattern(pattern), m_blank(blank) {
    // Qt's mask: '0' a digit that may be left blank, '\' before a literal.
    QString mask;
    for (QChar c : pattern) {
        if (c == QLatin1Char('9')) {
            mask += QLatin1Char('0');
        } else {
            mask += QLatin1Char('\\');
            mask += c;
        }
    }
    setInputMask(mask + QLatin1Char(';') + blank);
}

void MaskedDigitsEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    // An empty box is typed from its first position, however it got the focus.
    if (digits().isEmpty() && event->reason() != Qt::MouseFocusReason)
        setCursorPosition(0);
}

QString MaskedDigitsEdit::digits() const {
    const QString shown = displayText();
    QString result;
    for (int i = 0; i < m_pattern.size() && i < shown.size(); ++i) {
        if (m_pattern.at(i) != QLatin1Char('9'))
            continue;
        const QChar c = shown.at(i);
        result += c.isDigit() ? c : QLatin1Char(' ');
    }
    while (result.endsWith(QLatin1Char(' ')))
        result.chop(1);
    return result;
}

void MaskedDigitsEdit::setDigits(const QString &digits) {
    // Laid into the slots one by one; what is not a digit stays blank.
    QString text;
    int next = 0;
    for (QChar p : m_pattern) {
        if (p != QLatin1Char('9')) {
            text += p;
            continue;
        }
        const QChar c = next < digits.size() ? digits.at(next) : QChar(QLatin1Char(' '));
        ++next;
        text += c.isDigit() ? c : m_blank;
    }
    setText(text);
}

}  // namespace kalvero
