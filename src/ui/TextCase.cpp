#include "TextCase.h"

#include "BoxText.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QValidator>

namespace kalvero {

namespace {

// Keeps what the box will store (BoxText::kept) in the box's case, within
// its width: a capital can be longer than its letter ("ß" is "SS").
class BoxTextValidator : public QValidator {
public:
    BoxTextValidator(TextCase textCase, QLineEdit *box) : QValidator(box), m_case(textCase), m_box(box) {}
    State validate(QString &input, int &position) const override {
        QString text = BoxText::kept(input, false);
        if (m_case != TextCase::AsTyped)
            text = m_case == TextCase::Upper ? text.toUpper() : text.toLower();
        text = BoxText::leftWhole(text, m_box->maxLength());
        if (text != input) {
            position = int(qMin<qsizetype>(position, text.size()));
            input = text;
        }
        return Acceptable;
    }

private:
    TextCase m_case;
    QLineEdit *m_box;
};

}  // namespace

void applyTextCase(QLineEdit *box, TextCase textCase) { box->setValidator(new BoxTextValidator(textCase, box)); }

void acceptDigitsOnly(QLineEdit *box, int maxDigits) {
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setMaxLength(maxDigits);
}

}  // namespace kalvero
