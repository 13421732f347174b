// A program that claims the single-instance guard under a name of its own
// (or, given "--standard", under the program's name for the session its
// environment names): the first start prints "first" and waits to be raised;
// a later one prints "second", asks the first to come forward and ends with
// code 3.
#include "app/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QString name = QString::fromLocal8Bit(argv[1]);
    kalvero::SingleInstance instance(name == QLatin1String("--standard") ? kalvero::SingleInstance::standardName()
                                                                        : name);
    if (!instance.claim()) {
        std::puts("second");
        return instance.askRunningInstanceToRaise() ? 3 : 4;
    }
    std::puts("first");
    std::fflush(stdout);
    QObject::connect(&instance, &kalvero::SingleInstance::raiseRequested, &app, [] {
        std::puts("raised");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(30000, &app, [] { QCoreApplication::exit(1); });
    return app.exec();
}
