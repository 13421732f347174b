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

// The modal preview: pages through a document, prints it on a printer the
// user chooses, saves it as PDF. Opens maximized at 100 %. Its actions have
// object names (actionFirst, actionPrevious, actionNext, actionLast,
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

    // The printer the window prints on; the user's choice in the print
    // dialog stays for the next print from the same window.
    QPrinter &printer() { return *m_printer; }

    // Shows the window maximized and returns when it is closed.
    int exec() override;

public slots:
    void printDocument();
    void saveAsPdf();

private:
    void updateCommands();

    ReportDocument m_document;
    QString m_title;
    std::unique_ptr<QPrinter> m_printer;
    ReportPageView *m_view;
    QScrollArea *m_scroll;
    QLabel *m_pageLabel;
    QStatusBar *m_status;  // where the last print went
    QAction *m_first, *m_previous, *m_next, *m_last;
};

}  // namespace kalvero
