#include "TextCase.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QValidator>

namespace kalvero {

namespace {

class CaseValidator : public QValidator {
public:
    CaseValidator(TextCase textCase, QObject *parent) : QValidator(parent), m_case(textCase) {}
    State validate(QString &input, int &) const override {
        input = m_case == TextCase::Upper ? input.toUpper() : input.toLower();
        return Acceptable;
    }

private:
    TextCase m_case;
};

}  // namespace

void applyTextCase(QLineEdit *box, TextCase textCase) {
    if (textCase == TextCase::AsTyped)
        box->setValidator(nullptr);
    else
        box->setValidator(new CaseValidator(textCase, box));
}

void acceptDigitsOnly(QLineEdit *box, int maxDigits) {
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setMaxLength(maxDigits);
}

}  // namespace kalvero
