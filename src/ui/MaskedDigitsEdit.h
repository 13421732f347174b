#pragma once

#include <QLineEdit>

namespace kalvero {

// A box that shows a number in its printed form (999.999.999-99) and gives
// the digits typed: a position skipped before the last digit typed counts as
// a space, blank positions after it are dropped, so an untouched box gives "".
class MaskedDigitsEdit : public QLineEdit {
    Q_OBJECT
public:
    // pattern: '9' for a digit, anything else a literal ("999.999.999-99").
    MaskedDigitsEdit(const QString &pattern, QChar blank, QWidget *parent = nullptr);

    QString digits() const;
    void setDigits(const QString &digits);

    static QString cpfPattern() { return QStringLiteral("999.999.999-99"); }
    static QString cnpjPattern() { return QStringLiteral("99.999.999/9999-99"); }

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    QString m_pattern;
    QChar m_blank;
};

}  // namespace kalvero
