#include "ScreenCatalog.h"

#include "TFrmPrincipal.h"
#include "backup/TFrmBakcup.h"
#include "consultation/TCON_Protocolos.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "movements/MovementHistoryPrint.h"
#include "movements/TCAD_Movimentacao.h"
#include "protocols/ProtocolPrintCommands.h"
#include "protocols/TCAD_Protocolo.h"
#include "reports/screen/TRelatorios.h"
#include "registries/TCAD_Setores.h"
#include "registries/TCAD_Solicitantes.h"
#include "registries/TCad_EntidadeNovo.h"

#include <memory>

namespace kalvero {

void installScreens(TFrmPrincipal &mainWindow, TUDMCadastro &data, SessionState &session) {
    using Command = TFrmPrincipal::Command;
    // The main window keeps the report module alive while the protocol
    // screen or the report screen is open.
    mainWindow.setScreen(Command::Protocolo, [&](QWidget *owner) {
        return new TCAD_Protocolo(data, session, ProtocolPrintCommands::commands(data, *UDMRelatorio, session), owner);
    });
    mainWindow.setScreen(Command::Movimentacao, [&](QWidget *owner) {
        auto printHistory = [&](const QString &number, const QString &year, QWidget *screen) {
            MovementHistoryPrint(data.connectionModule(), session).print(number, year, screen);
        };
        return new TCAD_Movimentacao(data, session, printHistory, owner);
    });
    mainWindow.setScreen(Command::Relatorios,
                         [&](QWidget *owner) { return new TRelatorios(data, *UDMRelatorio, session, owner); });
    mainWindow.setScreen(Command::Solicitante,
                         [&](QWidget *owner) { return new TCAD_Solicitantes(data, session, owner); });
    mainWindow.setScreen(Command::Setor, [&](QWidget *owner) { return new TCAD_Setores(data, session, owner); });
    mainWindow.setScreen(Command::Entidade,
                         [&](QWidget *owner) { return new TCad_EntidadeNovo(data, session, owner); });
    mainWindow.setScreen(Command::Consulta, [&](QWidget *owner) {
        TCON_Protocolos::Commands commands;
        // A protocol of the logged-in unit opens on the protocol screen, over
        // the consultation, with the report module it prints through.
        commands.openProtocol = [&](const QString &number, const QString &year, QWidget *screen) {
            std::unique_ptr<TUDMRelatorio> reports;
            if (!UDMRelatorio)
                reports = std::make_unique<TUDMRelatorio>(data.connectionModule());
            TCAD_Protocolo protocolScreen(data, session,
                                          ProtocolPrintCommands::commands(data, *UDMRelatorio, session), screen);
            protocolScreen.showProtocol(number, year);
            protocolScreen.exec();
        };
        return new TCON_Protocolos(session, std::move(commands), owner);
    });
    mainWindow.setScreen(Command::Backup,
                         [&](QWidget *owner) { return new TFrmBakcup(data, session, owner); });
}

}  // namespace kalvero
