#pragma once

#include <QObject>

namespace kalvero {

// When KALVERO_REPORT_LOGIN_SHOWN is set, writes "login window shown" on the
// standard output the moment the login window is first shown, so that a
// script starting the program (the package test, the start-up benchmark)
// knows when it is ready for the password. Does nothing otherwise.
class LoginShownReport : public QObject {
public:
    static void installIfAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

}  // namespace kalvero
