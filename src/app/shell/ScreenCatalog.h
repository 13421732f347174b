#pragma once

namespace kalvero {

class TFrmPrincipal;

// Gives the main window's commands the screens that exist.
void installScreens(TFrmPrincipal &mainWindow);

}  // namespace kalvero
