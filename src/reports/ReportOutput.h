#pragma once

#include "ReportDocument.h"

#include <QString>

class QPrinter;
class QPrinterInfo;
class QWidget;

namespace kalvero::ReportOutput {

// Writes the pages to a PDF file; throws ReportError when it cannot.
void writePdf(const ReportDocument &document, const QString &path, const QString &title = QString());

// Sets the printer to the document's sheet, with the painter's origin at
// the sheet's corner.
void preparePrinter(QPrinter &printer, const ReportDocument &document);

// Sends the pages (1-based from..to, 0 for all) to a prepared printer,
// showing a progress window when progressParent is given or showProgress;
// its last line, left up a few seconds, says where the pages went. Gives
// false when the user cancelled. Pages the printing system does not take
// (a queue that refuses them, a file that cannot be written) throw
// ReportError, saying so with the details.
bool printPages(QPrinter &printer, const ReportDocument &document, int fromPage = 0, int toPage = 0,
                bool showProgress = true, QWidget *progressParent = nullptr);

// Where printed pages went, for the desk: "Impressão enviada para a
// impressora X." or, printed to a file, "Impressão gravada no arquivo Y."
QString sentTo(const QPrinter &printer);

// How long the progress window's last line stays up.
constexpr int LastLineMs = 4000;

// The printer at this index of the system's list (QPrinterInfo::
// availablePrinters()), or the default printer for -1. Throws ReportError
// when there is no such printer.
QPrinterInfo printerAt(int index);

}  // namespace kalvero::ReportOutput
