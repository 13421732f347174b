#include "KalveroApplication.h"

#include "ui/ErrorBox.h"

namespace kalvero {

KalveroApplication::KalveroApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool KalveroApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &failure) {
        ErrorBox::show(activeWindow(), failure);
    }
    return false;
}

}  // namespace kalvero
