#pragma once

#include "ReportBand.h"
#include "ReportDocument.h"
#include "ReportPaper.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>

class QPrinter;
class QWidget;

namespace kalvero {

class RecordSet;
class ReportRun;

// A banded layout: a paper, a dataset whose records drive the detail band,
// and up to one band of each kind. A screen creates one, runs it once
// through preview() or print(), and destroys it.
class ReportLayout {
public:
    ReportLayout();
    virtual ~ReportLayout();

    const ReportPaper &paper() const { return m_paper; }
    void setPaper(const ReportPaper &paper) { m_paper = paper; }

    // Open before the layout runs; an empty one still prints the other bands.
    // Without a dataset the detail band prints once.
    RecordSet *dataSet() const { return m_dataSet; }
    void setDataSet(RecordSet *set) { m_dataSet = set; }

    // The band of a kind, made on first request with this height.
    ReportBand *addBand(BandKind kind, double height);
    ReportBand *band(BandKind kind) const;

    // Fires once, before anything is laid out.
    std::function<void(ReportRun &)> onBeforePrint;

    // The printer by its index in the system's list (QPrinterInfo::
    // availablePrinters()); -1, the default, is the system's default printer.
    void setPrinterIndex(int index) { m_printerIndex = index; }
    int printerIndex() const { return m_printerIndex; }

    // Runs the layout: every event fires, every page is built.
    ReportDocument run();
    // Runs the layout once to know where each page starts, and lays each
    // page out again when it is asked for, so that only that page takes
    // memory. The layout and its dataset must outlive the document.
    ReportDocument runOnDemand();

    // Runs the layout and shows the pages in a modal preview window,
    // maximized at 100 %; returns when the window is closed.
    void preview(QWidget *parent = nullptr);
    // Runs the layout and sends the pages to the chosen printer, with a
    // progress window; returns when they have been sent.
    void print(QWidget *parent = nullptr);
    // The same on a printer the caller has chosen (a PDF file, say).
    void print(QPrinter &printer, QWidget *parent = nullptr);

    // Title of the preview window and of the print job.
    void setTitle(const QString &title) { m_title = title; }
    const QString &title() const { return m_title; }

    // The name a saved PDF is offered under: a word (the title when none is
    // set) and either the protocol of the dataset's first record
    // ("Comprovante 00151-2026") or today's date ("Relação de Protocolos
    // 2026-12-11").
    enum class FileNaming { ByDate, ByProtocol };
    void setFileNaming(const QString &word, FileNaming naming) {
        m_fileWord = word;
        m_fileNaming = naming;
    }
    QString suggestedFileName() const;  // without the extension

private:
    void printPages(QPrinter &printer, const ReportDocument &document, QWidget *parent) const;

    ReportPaper m_paper = ReportPaper::a4();
    RecordSet *m_dataSet = nullptr;
    std::map<BandKind, std::unique_ptr<ReportBand>> m_bands;
    int m_printerIndex = -1;
    QString m_title;
    QString m_fileWord;
    FileNaming m_fileNaming = FileNaming::ByDate;
};

}  // namespace kalvero
