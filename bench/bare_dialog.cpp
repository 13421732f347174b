// The yardstick of the start-up benchmark: a bare Qt program that shows one
// dialog of the login window's size and says so the moment it is shown, as
// kalvero does under KALVERO_REPORT_LOGIN_SHOWN.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <cstdio>

namespace {

class ShownDialog : public QDialog {
protected:
    void showEvent(QShowEvent *event) override {
        QDialog::showEvent(event);
        std::fputs("login window shown\n", stdout);
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    ShownDialog dialog;
    dialog.setFixedSize(464, 300);
    dialog.show();
    return app.exec();
}
