#include "ScreenCatalog.h"

#include "TFrmPrincipal.h"
#include "registries/TCAD_Setores.h"
#include "registries/TCAD_Solicitantes.h"
#include "registries/TCad_EntidadeNovo.h"

namespace kalvero {

void installScreens(TFrmPrincipal &mainWindow) {
    using Command = TFrmPrincipal::Command;
    mainWindow.setScreen(Command::Solicitante, [](QWidget *owner) { return new TCAD_Solicitantes(owner); });
    mainWindow.setScreen(Command::Setor, [](QWidget *owner) { return new TCAD_Setores(owner); });
    mainWindow.setScreen(Command::Entidade, [](QWidget *owner) { return new TCad_EntidadeNovo(owner); });
}

}  // namespace kalvero
