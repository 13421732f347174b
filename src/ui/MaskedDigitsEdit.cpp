#include "MaskedDigitsEdit.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QValidator>

namespace kalvero {

namespace {

const QChar Digit = QLatin1Char('9');
const QChar DigitOrLetter = QLatin1Char('X');

bool isSlot(const QString &pattern, qsizetype index) {
    return index < pattern.size() && (pattern.at(index) == Digit || pattern.at(index) == DigitOrLetter);
}

// An ASCII digit fits every slot; a capital A to Z only a slot that takes letters.
bool fitsSlot(const QString &pattern, qsizetype index, QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    return pattern.at(index) == DigitOrLetter && c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

// Qt's mask lets any letter or number into its slots ("ç", "²"): this keeps
// out whatever does not fit its slot, typed or pasted.
class SlotValidator : public QValidator {
public:
    SlotValidator(QString pattern, QChar blank, QObject *parent)
        : QValidator(parent), m_pattern(std::move(pattern)), m_blank(blank) {}

    State validate(QString &input, int &) const override {
        for (qsizetype i = 0; i < input.size(); ++i)
            if (isSlot(m_pattern, i) && input.at(i) != m_blank && !fitsSlot(m_pattern, i, input.at(i)))
                return Invalid;
        return Acceptable;
    }

private:
    QString m_pattern;
    QChar m_blank;
};

}  // namespace

MaskedDigitsEdit::MaskedDigitsEdit(const QString &pattern, QChar blank, QWidget *parent)
    : QLineEdit(parent), m_pattern(pattern), m_blank(blank) {
    // Qt's mask: '0' a digit and 'n' a letter or digit, either may be left
    // blank; '>' turns the letters that follow to capitals; '\' before a
    // literal.
    QString mask = QStringLiteral(">");
    for (QChar c : pattern) {
        if (c == Digit) {
            mask += QLatin1Char('0');
        } else if (c == DigitOrLetter) {
            mask += QLatin1Char('n');
        } else {
            mask += QLatin1Char('\\');
            mask += c;
        }
    }
    setInputMask(mask + QLatin1Char(';') + blank);
    setValidator(new SlotValidator(pattern, blank, this));
}

int MaskedDigitsEdit::firstOpenSlot() const {
    const QString shown = displayText();
    qsizetype lastFilled = -1;
    for (qsizetype i = 0; i < m_pattern.size() && i < shown.size(); ++i)
        if (isSlot(m_pattern, i) && fitsSlot(m_pattern, i, shown.at(i)))
            lastFilled = i;
    for (qsizetype i = lastFilled + 1; i < m_pattern.size(); ++i)
        if (isSlot(m_pattern, i))
            return int(i);
    return int(m_pattern.size());
}

void MaskedDigitsEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    // A click places the cursor itself (mousePressEvent); a box entered by
    // key is typed on from where it stops, and a full one is left as Qt
    // leaves it, for correcting.
    if (event->reason() != Qt::MouseFocusReason && firstOpenSlot() < m_pattern.size()) {
        deselect();
        setCursorPosition(firstOpenSlot());
    }
}

void MaskedDigitsEdit::mousePressEvent(QMouseEvent *event) {
    QLineEdit::mousePressEvent(event);
    // A click inside what is filled is a correction and stays where it
    // landed; one past it would make the digits typed next fall off the end.
    const int open = firstOpenSlot();
    if (event->button() == Qt::LeftButton && !hasSelectedText() && cursorPosition() > open)
        setCursorPosition(open);
}

QString MaskedDigitsEdit::digits() const {
    const QString shown = displayText();
    QString result;
    for (qsizetype i = 0; i < m_pattern.size() && i < shown.size(); ++i) {
        if (!isSlot(m_pattern, i))
            continue;
        const QChar c = shown.at(i);
        result += fitsSlot(m_pattern, i, c) ? c : QLatin1Char(' ');
    }
    while (result.endsWith(QLatin1Char(' ')))
        result.chop(1);
    return result;
}

void MaskedDigitsEdit::setDigits(const QString &digits) {
    // Laid into the slots one by one; what does not fit its slot stays blank.
    QString text;
    int next = 0;
    for (qsizetype i = 0; i < m_pattern.size(); ++i) {
        if (!isSlot(m_pattern, i)) {
            text += m_pattern.at(i);
            continue;
        }
        const QChar c = next < digits.size() ? digits.at(next) : QChar(QLatin1Char(' '));
        ++next;
        text += fitsSlot(m_pattern, i, c) ? c : m_blank;
    }
    setText(text);
}

}  // namespace kalvero
