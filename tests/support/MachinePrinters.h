#pragma once

#include <QtGlobal>

namespace kalvero::test {

// Keeps the machine's printers out of a test, whether the print service runs
// here or not: it is pointed at a server that is not there, so the list of
// printers is empty and no default printer takes a print meant for a file.
// Called before the application starts (at static initialisation).
inline bool hideMachinePrinters() {
    qputenv("CUPS_SERVER", "/nonexistent/kalvero-tests/cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    return true;
}

}  // namespace kalvero::test
