#include "LoginShownReport.h"

#include "access/TFrmSenha.h"

#include <QCoreApplication>
#include <QEvent>
#include <cstdio>

namespace kalvero {

void LoginShownReport::installIfAsked() {
    if (qEnvironmentVariableIsEmpty("KALVERO_REPORT_LOGIN_SHOWN"))
        return;
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new LoginShownReport(app));
}

bool LoginShownReport::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Show && qobject_cast<TFrmSenha *>(watched)) {
        std::fputs("login window shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::instance()->removeEventFilter(this);
    }
    return false;
}

}  // namespace kalvero
