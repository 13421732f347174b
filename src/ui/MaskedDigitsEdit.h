#pragma once

#include <QLineEdit>

namespace kalvero {

// A box that shows a number in its printed form (999.999.999-99) and gives
// the characters typed: a position skipped before the last one typed counts
// as a space, blank positions after it are dropped, so an untouched box
// gives "".
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

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    QString m_pattern;
    QChar m_blank;
};

}  // namespace kalvero
