#pragma once

#include <QDate>
#include <QDateEdit>
#include <QString>

namespace kalvero {

// A dd/mm/aaaa box that takes a date typed digit by digit, with or without
// the slashes, always from the day on, wherever the click put the cursor:
// "11122026" and "11/12/2026" both give 11/12/2026, "5/3/2025" gives
// 05/03/2025. A part left untyped keeps the box's date ("1112" and Tab keeps
// the year). A date that does not exist (31/02) is refused: the box goes back
// to the date it held and is marked with the reason until it changes. The
// arrow keys, the wheel and the calendar work as in any date box.
class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);

    // Set while a typed date is refused: what was typed, for the hint.
    QString refusedText() const { return m_refused; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool typing() const { return m_part >= 0; }
    void startTyping();
    void typeDigit(QChar digit);
    void nextPart();
    void showTyped();
    // Takes what was typed; true when a date was taken or nothing was typed.
    bool finishTyping();

    // The three parts as typed so far, and the one being typed (-1: none).
    QString m_typed[3];
    int m_part = -1;
    QDate m_before;
    QString m_refused;
};

}  // namespace kalvero
