#include "PasswordBox.h"

#include <QLineEdit>

namespace kalvero {

void showAsAsterisks(QLineEdit *box) {
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

}  // namespace kalvero
