#pragma once

#include <QLineEdit>

namespace kalvero {

// A box that shows a number in its printed form (999.999.999-99) and gives
// the characters typed: a position skipped before the last one typed counts
// as a space, blank positions after it are dropped, so an untouched box
// gives "".
// However the box is entered, by key or by a click past what it holds, the
// cursor stands at its first open slot, so what is typed or pasted fills the
// slots from there instead of landing at the end and being dropped.
class MaskedDigitsEdit : public QLineEdit {
    Q_OBJECT
public:
    // pattern: '9' for a digit, 'X' for a digit or a letter (turned to a
    // capital as it is typed or pasted), anything else a literal
    // ("999.999.999-99").
    MaskedDigitsEdit(const QString &pattern, QChar blank, QWidget *parent = nullptr);

    QString digits() const;
    void setDigits(const QString &digits);

    static QString cpfPattern() { return QStringLiteral("999.999.999-99"); }
    // Twelve digits or capitals (the alphanumeric CNPJ of new companies),
    // then two check digits.
    static QString cnpjPattern() { return QStringLiteral("XX.XXX.XXX/XXXX-99"); }

    // Where typing goes on: the slot after the last one filled (0 when
    // the box is empty), or the end when every slot is filled.
    int firstOpenSlot() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_pattern;
    QChar m_blank;
};

}  // namespace kalvero
