#include "ReportPreviewWindow.h"

#include "ReportError.h"
#include "ReportOutput.h"
#include "ReportPageView.h"
#include "ui/ErrorBox.h"
#include "ui/MessageService.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace kalvero {

ReportPreviewWindow::ReportPreviewWindow(ReportDocument document, const QString &title, QWidget *parent)
    : QDialog(parent),
      m_document(std::move(document)),
      m_title(title),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("ReportPreviewWindow"));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Visualização de Impressão") : title);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setModal(true);

    auto *bar = new QToolBar(this);
    auto action = [this, bar](const char *name, const QString &text, const QKeySequence &key, auto slot) {
        QAction *a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_first = action("actionFirst", QStringLiteral("Primeira"), QKeySequence(Qt::CTRL | Qt::Key_Home),
                     [this] { showPage(1); });
    m_previous = action("actionPrevious", QStringLiteral("Anterior"), QKeySequence(Qt::Key_PageUp),
                        [this] { showPage(currentPage() - 1); });
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pageLabel);
    m_next = action("actionNext", QStringLiteral("Próxima"), QKeySequence(Qt::Key_PageDown),
                    [this] { showPage(currentPage() + 1); });
    m_last = action("actionLast", QStringLiteral("Última"), QKeySequence(Qt::CTRL | Qt::Key_End),
                    [this] { showPage(m_document.pageCount()); });
    bar->addSeparator();
    action("actionPrint", QStringLiteral("Imprimir..."), QKeySequence::Print, &ReportPreviewWindow::printDocument);
    action("actionSavePdf", QStringLiteral("Salvar PDF..."), QKeySequence::Save, &ReportPreviewWindow::saveAsPdf);
    bar->addSeparator();
    action("actionClose", QStringLiteral("Fechar"), QKeySequence(Qt::Key_Escape), &QDialog::accept);

    m_view = new ReportPageView(m_document);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("statusBar"));
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);
    updateCommands();
}

ReportPreviewWindow::~ReportPreviewWindow() = default;

int ReportPreviewWindow::currentPage() const { return m_view->pageIndex() + 1; }

double ReportPreviewWindow::zoom() const { return m_view->zoom(); }

void ReportPreviewWindow::showPage(int number) {
    m_view->setPageIndex(number - 1);
    updateCommands();
}

void ReportPreviewWindow::updateCommands() {
    const int count = m_document.pageCount();
    const int n = count ? currentPage() : 0;
    m_pageLabel->setText(QStringLiteral("Página %1 de %2").arg(n).arg(count));
    m_first->setEnabled(n > 1);
    m_previous->setEnabled(n > 1);
    m_next->setEnabled(n < count);
    m_last->setEnabled(n < count);
}

int ReportPreviewWindow::exec() {
    setWindowState(windowState() | Qt::WindowMaximized);
    return QDialog::exec();
}

void ReportPreviewWindow::printDocument() {
    QPrinter &printer = *m_printer;
    ReportOutput::preparePrinter(printer, m_document);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, m_document.pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The dialog may have changed the paper to the printer's; ours prevails.
    ReportOutput::preparePrinter(printer, m_document);
    const bool range = printer.printRange() == QPrinter::PageRange;
    m_status->clearMessage();
    try {
        if (ReportOutput::printPages(printer, m_document, range ? printer.fromPage() : 0,
                                     range ? printer.toPage() : 0, true, this))
            m_status->showMessage(ReportOutput::sentTo(printer));
    } catch (const ReportError &e) {
        m_status->showMessage(e.text());
        ErrorBox::show(this, e);
    }
}

void ReportPreviewWindow::saveAsPdf() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salvar como PDF"), QString(),
                                                QStringLiteral("Arquivos PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    try {
        ReportOutput::writePdf(m_document, path, windowTitle());
    } catch (const ReportError &e) {
        MessageService::inform(this, QStringLiteral("Atenção"), e.text(), MessageService::Icon::Error);
    }
}

}  // namespace kalvero
