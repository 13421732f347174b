#pragma once

namespace kalvero {

class TFrmPrincipal;
class TUDMCadastro;
struct SessionState;

// Gives the main window's commands the screens that exist; each screen is
// made on the registry module and the session given.
void installScreens(TFrmPrincipal &mainWindow, TUDMCadastro &data, SessionState &session);

}  // namespace kalvero
