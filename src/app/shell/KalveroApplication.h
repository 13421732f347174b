#pragma once

#include <QApplication>

namespace kalvero {

// The application object: a failure that escapes an event handler is shown
// by the default error box instead of ending the program.
class KalveroApplication : public QApplication {
public:
    KalveroApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

}  // namespace kalvero
