#include "ReportLayout.h"

#include "ReportOutput.h"
#include "ReportPaginator.h"
#include "ReportPreviewWindow.h"

#include "data/Clock.h"
#include "data/records/RecordSet.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace kalvero {

ReportLayout::ReportLayout() = default;
ReportLayout::~ReportLayout() = default;

ReportBand *ReportLayout::addBand(BandKind kind, double height) {
    auto &slot = m_bands[kind];
    if (!slot)
        slot = std::make_unique<ReportBand>(kind, height);
    return slot.get();
}

ReportBand *ReportLayout::band(BandKind kind) const {
    const auto it = m_bands.find(kind);
    return it == m_bands.end() ? nullptr : it->second.get();
}

ReportDocument ReportLayout::run() { return ReportPaginator(*this).run(); }

ReportDocument ReportLayout::runOnDemand() { return ReportPaginator::runOnDemand(*this); }

// The preview and the printer take the pages as they show or send them: a
// list of thousands of pages opens on its first page at once and holds
// no more than the page in hand.
void ReportLayout::preview(QWidget *parent) {
    ReportPreviewWindow window(runOnDemand(), m_title, parent);
    window.setPdfName(suggestedFileName());
    window.exec();
}

QString ReportLayout::suggestedFileName() const {
    QString word = m_fileWord.isEmpty() ? m_title : m_fileWord;
    if (word.isEmpty())
        word = QStringLiteral("Relatório");
    // A name a file may carry on any disk: no slashes, colons or the like.
    static const QString unsafe = QStringLiteral("/\\:*?\"<>|");
    auto safe = [](QString text) {
        for (QChar &c : text)
            if (unsafe.contains(c) || c.unicode() < 32)
                c = QLatin1Char('-');
        return text.trimmed();
    };
    const QString id = QStringLiteral("IDPROTOCOLO"), year = QStringLiteral("ANO");
    if (m_fileNaming == FileNaming::ByProtocol && m_dataSet && m_dataSet->isActive() && !m_dataSet->isEmpty() &&
        m_dataSet->fieldIndex(id) >= 0 && m_dataSet->fieldIndex(year) >= 0) {
        const QString number = m_dataSet->valueAt(0, m_dataSet->fieldIndex(id)).toString().trimmed();
        const QString of = m_dataSet->valueAt(0, m_dataSet->fieldIndex(year)).toString().trimmed();
        if (!number.isEmpty() && !of.isEmpty())
            return safe(word + QLatin1Char(' ') + number + QLatin1Char('-') + of);
    }
    return safe(word + QLatin1Char(' ') + Clock::today().toString(QStringLiteral("yyyy-MM-dd")));
}

void ReportLayout::print(QWidget *parent) {
    const ReportDocument document = runOnDemand();
    // Chosen after the run: the report's event may have named the printer.
    QPrinter printer(ReportOutput::printerAt(m_printerIndex), QPrinter::HighResolution);
    printPages(printer, document, parent);
}

void ReportLayout::print(QPrinter &printer, QWidget *parent) { printPages(printer, runOnDemand(), parent); }

void ReportLayout::printPages(QPrinter &printer, const ReportDocument &document, QWidget *parent) const {
    printer.setDocName(m_title.isEmpty() ? QStringLiteral("Kalvero") : m_title);
    ReportOutput::preparePrinter(printer, document);
    ReportOutput::printPages(printer, document, 0, 0, true, parent);
}

}  // namespace kalvero
