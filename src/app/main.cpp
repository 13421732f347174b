// Kalvero: the intake register of protocols.
#include "access/Tdm2.h"
#include "app/shell/CommandLine.h"
#include "app/shell/KalveroApplication.h"
#include "app/shell/LoginShownReport.h"
#include "app/shell/ScreenCatalog.h"
#include "app/shell/SingleInstance.h"
#include "app/shell/TFrmPrincipal.h"
#include "app/shell/TerminationSignals.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/session/SessionState.h"
#include "data/session/ProgramIdentity.h"
#include "ui/MessageService.h"
#include "ui/QtPortuguese.h"
#include "ui/ServerWaitIndicator.h"

#include <QScreen>
#include <memory>
#include <sys/resource.h>

using namespace kalvero;

int main(int argc, char *argv[]) {
    if (const std::optional<int> code = CommandLine::answer(argc, argv))
        return *code;
    KalveroApplication app(argc, argv);
    installQtPortuguese();
    LoginShownReport::installIfAsked();
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &app, [] { QCoreApplication::exit(0); });

    SingleInstance instance(SingleInstance::standardName());
    if (!instance.claim()) {
        MessageService::inform(nullptr, QStringLiteral("Programa já aberto"), QStringLiteral("Este programa já está aberto."),
                               MessageService::Icon::None);
        instance.askRunningInstanceToRaise();
        return 0;
    }
    QApplication::setApplicationName(ProgramIdentity::ApplicationTitle);
    QApplication::setQuitOnLastWindowClosed(false);

    // The data modules and the main window, connections closed. A write that
    // waits on another workstation shows so, and the windows keep painting.
    ServerWaitIndicator serverWait;
    auto access = std::make_unique<Tdm2>();
    auto unit = std::make_unique<TDM>();
    access->MDatabaseSenha.setServerWait(&serverWait);
    unit->MDatabasePrincipal.setServerWait(&serverWait);
    auto mainWindow = std::make_unique<TFrmPrincipal>();
    auto registries = std::make_unique<TUDMCadastro>(*unit);
    installScreens(*mainWindow, *registries, Session);

    // A higher priority where the system grants it; never a real-time one.
    setpriority(PRIO_PROCESS, 0, -5);

    QObject::connect(&instance, &SingleInstance::raiseRequested, mainWindow.get(), &TFrmPrincipal::bringToFront);
    // The whole work area, also where no window manager maximises.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        mainWindow->setGeometry(screen->availableGeometry());
    mainWindow->showMaximized();
    const int code = app.exec();

    registries.reset();
    mainWindow.reset();
    unit.reset();
    access.reset();
    return code;
}
