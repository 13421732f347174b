#include "ReportOutput.h"

#include "ReportError.h"
#include "ReportPagePainter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

namespace kalvero::ReportOutput {

void writePdf(const ReportDocument &document, const QString &path, const QString &title) {
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Kalvero"));
    writer.setTitle(title);
    writer.setPageSize(document.paper.pageSize());
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(path));
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        ReportPagePainter::paint(painter, document.page(i));
    }
    if (!painter.end())
        throw ReportError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(path));
}

void preparePrinter(QPrinter &printer, const ReportDocument &document) {
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(document.paper.pageSize());
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool printPages(QPrinter &printer, const ReportDocument &document, int fromPage, int toPage, bool showProgress,
                QWidget *progressParent) {
    const int count = document.pageCount();
    const int first = fromPage > 0 ? std::min(fromPage, count) : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    if (count == 0 || first > last)
        return true;

    std::unique_ptr<QProgressDialog> progress;
    if (showProgress || progressParent) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Imprimindo..."), QStringLiteral("Cancelar"), 0,
                                                     last - first + 1, progressParent);
        progress->setWindowTitle(QStringLiteral("Impressão"));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(0);
        progress->setValue(0);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("Não foi possível iniciar a impressão em %1.").arg(printer.printerName()));
    for (int n = first; n <= last; ++n) {
        if (progress) {
            progress->setLabelText(QStringLiteral("Imprimindo a página %1 de %2...").arg(n).arg(count));
            progress->setValue(n - first);
            QCoreApplication::processEvents();
            if (progress->wasCanceled()) {
                printer.abort();
                return false;
            }
        }
        if (n > first)
            printer.newPage();
        ReportPagePainter::paint(painter, document.page(n - 1));
    }
    painter.end();
    if (progress)
        progress->setValue(last - first + 1);
    return true;
}

QPrinterInfo printerAt(int index) {
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty())
        throw ReportError(QStringLiteral("Nenhuma impressora está instalada."));
    if (index < 0) {
        const QPrinterInfo byDefault = QPrinterInfo::defaultPrinter();
        return byDefault.isNull() ? printers.first() : byDefault;
    }
    if (index >= printers.size())
        throw ReportError(QStringLiteral("A impressora de número %1 não existe; há %2 impressora(s) instalada(s).")
                              .arg(index)
                              .arg(printers.size()));
    return printers.at(index);
}

}  // namespace kalvero::ReportOutput
