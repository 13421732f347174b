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
// showing a progress window when progressParent is given or showProgress.
// Gives false when the user cancelled.
bool printPages(QPrinter &printer, const ReportDocument &document, int fromPage = 0, int toPage = 0,
                bool showProgress = true, QWidget *progressParent = nullptr);

// The printer at this index of the system's list (QPrinterInfo::
// availablePrinters()), or the default printer for -1. Throws ReportError
// when there is no such printer.
QPrinterInfo printerAt(int index);

}  // namespace kalvero::ReportOutput
