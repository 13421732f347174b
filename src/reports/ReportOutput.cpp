#include "ReportOutput.h"

#include "ReportError.h"
#include "ReportPagePainter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTimer>

namespace kalvero::ReportOutput {

namespace {

QString printerStateText(QPrinter::PrinterState state) {
    switch (state) {
    case QPrinter::Idle: return QStringLiteral("ociosa");
    case QPrinter::Active: return QStringLiteral("imprimindo");
    case QPrinter::Aborted: return QStringLiteral("interrompida");
    case QPrinter::Error: return QStringLiteral("erro");
    }
    return QString();
}

// The pages did not reach the printer (or the file): said in the desk's
// words, with what the system told in the details.
ReportError notReached(const QPrinter &printer, const QString &step) {
    const bool toFile = !printer.outputFileName().isEmpty();
    const QString text =
        toFile ? QStringLiteral("A impressão não pôde ser gravada no arquivo %1.").arg(printer.outputFileName())
               : QStringLiteral("A impressão não chegou à impressora %1. Verifique se ela está ligada e aceitando "
                                "impressões e imprima de novo.")
                     .arg(printer.printerName());
    const QString details =
        QStringLiteral("Impressora: %1\nArquivo: %2\nEtapa: %3\nSituação informada pelo sistema: %4")
            .arg(printer.printerName(), printer.outputFileName().isEmpty() ? QStringLiteral("-") : printer.outputFileName(),
                 step, printerStateText(printer.printerState()));
    return ReportError(text, details);
}

// The progress window's last line says where the pages went; it stays up a
// few seconds without holding the desk, or until "Fechar".
void leaveLastLine(std::unique_ptr<QProgressDialog> progress, const QString &line) {
    QProgressDialog *last = progress.release();
    last->setAutoClose(false);
    last->setAutoReset(false);
    last->setValue(last->maximum());
    last->setLabelText(line);
    last->setCancelButtonText(QStringLiteral("Fechar"));
    last->hide();
    last->setWindowModality(Qt::NonModal);
    last->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(last, &QProgressDialog::canceled, last, &QWidget::close);
    QTimer::singleShot(LastLineMs, last, &QWidget::close);
    last->show();
}

}  // namespace

QString sentTo(const QPrinter &printer) {
    return printer.outputFileName().isEmpty()
               ? QStringLiteral("Impressão enviada para a impressora %1.").arg(printer.printerName())
               : QStringLiteral("Impressão gravada no arquivo %1.").arg(printer.outputFileName());
}

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
        throw notReached(printer, QStringLiteral("início da impressão"));
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
        if (n > first && !printer.newPage()) {
            const ReportError refused = notReached(printer, QStringLiteral("página %1").arg(n));
            painter.end();
            throw refused;
        }
        ReportPagePainter::paint(painter, document.page(n - 1));
    }
    // Ending the print is when the system takes the pages, or refuses them.
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw notReached(printer, QStringLiteral("fim da impressão"));
    if (progress)
        leaveLastLine(std::move(progress), sentTo(printer));
    return true;
}

QPrinterInfo printerAt(int index) {
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    // With the print service stopped the system lists no printer, though
    // printers are installed: the message covers both.
    if (printers.isEmpty())
        throw ReportError(QStringLiteral("Nenhuma impressora está disponível. Verifique se há uma impressora "
                                         "instalada e se o serviço de impressão do computador está funcionando."),
                          QStringLiteral("O sistema não informou nenhuma impressora (lista de impressoras vazia)."));
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
