#include "ReportPreviewWindow.h"

#include "ReportError.h"
#include "ReportOutput.h"
#include "ReportPageView.h"
#include "ui/ErrorBox.h"
#include "ui/MessageService.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kalvero {

namespace {

// Where the last PDF of this run was saved; empty until one is.
QString &lastPdfFolder() {
    static QString folder;
    return folder;
}

}  // namespace

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
    m_first->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Home), QKeySequence(Qt::Key_Home)});
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
    m_last->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_End), QKeySequence(Qt::Key_End)});
    bar->addSeparator();
    // The zoom's buttons are short, so that the bar fits a small window.
    m_zoomOut = action("actionZoomOut", QStringLiteral("−"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
                       &ReportPreviewWindow::zoomOut);
    m_zoomOut->setToolTip(QStringLiteral("Diminuir (Ctrl+-)"));
    m_zoomLabel = new QLabel(bar);
    m_zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    m_zoomLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_zoomLabel);
    m_zoomIn = action("actionZoomIn", QStringLiteral("+"), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                      &ReportPreviewWindow::zoomIn);
    m_zoomIn->setToolTip(QStringLiteral("Aumentar (Ctrl++)"));
    // Ctrl+= too: on most keyboards "+" is Shift and "=".
    m_zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    action("actionFitWidth", QStringLiteral("Largura da página"), QKeySequence(), &ReportPreviewWindow::fitWidth);
    action("actionWholePage", QStringLiteral("Página inteira"), QKeySequence(), &ReportPreviewWindow::wholePage);
    action("actionActualSize", QStringLiteral("Tamanho real"), QKeySequence(Qt::CTRL | Qt::Key_0),
           [this] { setZoom(1.0); });
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
    m_scroll->viewport()->installEventFilter(this);

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

void ReportPreviewWindow::setZoom(double zoom) {
    m_view->setZoom(zoom);
    updateCommands();
}

// Steps of a quarter, up or down, from wherever the zoom stands.
void ReportPreviewWindow::zoomIn() { setZoom(zoom() * 1.25); }
void ReportPreviewWindow::zoomOut() { setZoom(zoom() / 1.25); }

void ReportPreviewWindow::fitWidth() {
    // Room for the vertical scroll bar that a sheet wider than tall needs.
    setZoom(m_view->zoomToWidth(m_scroll->viewport()->width() - m_scroll->verticalScrollBar()->sizeHint().width()));
}

void ReportPreviewWindow::wholePage() { setZoom(m_view->zoomToFit(m_scroll->viewport()->size())); }

bool ReportPreviewWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int steps = wheel->angleDelta().y();
            if (steps > 0)
                zoomIn();
            else if (steps < 0)
                zoomOut();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

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
    m_zoomLabel->setText(QStringLiteral("%1 %").arg(qRound(zoom() * 100)));
    m_zoomIn->setEnabled(zoom() < ReportPageView::MaxZoom);
    m_zoomOut->setEnabled(zoom() > ReportPageView::MinZoom);
}

int ReportPreviewWindow::exec() {
    // Maximized is granted only by a window manager: without one (a kiosk
    // session) the window takes the screen's work area itself.
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->availableGeometry());
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

QString ReportPreviewWindow::pdfName() const {
    const QString name = m_pdfName.isEmpty() ? windowTitle() : m_pdfName;
    return name + QLatin1String(".pdf");
}

QString ReportPreviewWindow::pdfFolder() {
    // Never the program's own folder (the dialog's default, the working
    // folder): the user's documents, else the home folder.
    if (!lastPdfFolder().isEmpty() && QDir(lastPdfFolder()).exists())
        return lastPdfFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

void ReportPreviewWindow::saveAsPdf() {
    QFileDialog dialog(this, QStringLiteral("Salvar como PDF"), pdfFolder(), QStringLiteral("Arquivos PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("pdfSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(pdfName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().first();
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    try {
        ReportOutput::writePdf(m_document, path, windowTitle());
        lastPdfFolder() = QFileInfo(path).absolutePath();
    } catch (const ReportError &e) {
        MessageService::inform(this, QStringLiteral("Atenção"), e.text(), MessageService::Icon::Error);
    }
}

}  // namespace kalvero
