#pragma once

namespace kalvero {

// Qt's own dialogs and standard buttons (the file and print dialogs, Cancel,
// Yes, No) in Brazilian Portuguese: Qt's translations as Debian installs them
// (qt6-translations-l10n), and pt_BR as the locale of every date, number
// and dialog. False when the translations are not installed: the program
// still runs, those dialogs then in English.
bool installQtPortuguese();

}  // namespace kalvero
