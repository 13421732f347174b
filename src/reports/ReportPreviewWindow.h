#pragma once

#include "ReportDocument.h"

#include <QDialog>

#include <memory>

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;
class QStatusBar;

namespace kalvero {

class ReportPageView;

// The modal preview: pages through a document, zooms, prints it on a printer
// the user chooses, saves it as PDF. Opens over the screen's whole work area
// (asked maximized too, for a window manager) at 100 %. Keys: PgUp/PgDn a
// page, Home/End (and Ctrl+Home/End) the first and last page, Ctrl++ and
// Ctrl+- (and Ctrl+wheel) zoom, Ctrl+0 100 %. Its actions have object names
// (actionFirst, actionPrevious, actionNext, actionLast, actionZoomIn,
// actionZoomOut, actionFitWidth, actionWholePage, actionActualSize,
// actionPrint, actionSavePdf, actionClose) so that a test can trigger them.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreviewWindow(ReportDocument document, const QString &title = QString(),
                                 QWidget *parent = nullptr);
    ~ReportPreviewWindow() override;

    const ReportDocument &document() const { return m_document; }
    int currentPage() const;  // 1-based
    void showPage(int number);
    double zoom() const;
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void wholePage();

    // The printer the window prints on; the user's choice in the print
    // dialog stays for the next print from the same window.
    QPrinter &printer() { return *m_printer; }

    // The name the PDF save offers, without the extension; the dialog opens
    // in the user's documents folder, then in the folder last saved to.
    void setPdfName(const QString &name) { m_pdfName = name; }
    QString pdfName() const;
    static QString pdfFolder();

    // Shows the window maximized and returns when it is closed.
    int exec() override;

public slots:
    void printDocument();
    void saveAsPdf();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateCommands();

    ReportDocument m_document;
    QString m_title;
    QString m_pdfName;
    std::unique_ptr<QPrinter> m_printer;
    ReportPageView *m_view;
    QScrollArea *m_scroll;
    QLabel *m_pageLabel;
    QStatusBar *m_status;  // where the last print went
    QLabel *m_zoomLabel;
    QAction *m_first, *m_previous, *m_next, *m_last, *m_zoomIn, *m_zoomOut;
};

}  // namespace kalvero
