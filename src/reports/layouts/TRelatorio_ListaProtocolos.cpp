#include "TRelatorio_ListaProtocolos.h"

#include "LayoutParts.h"
#include "ProtocolStatusText.h"

#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "reports/ReportLabel.h"
#include "reports/ReportRun.h"

namespace kalvero {

using namespace LayoutParts;

namespace {

constexpr double PageHeaderHeight = 22.0;
constexpr double DateTop = 4.8;
constexpr double ColumnHeaderHeight = 6.6;
constexpr double DetailHeight = 4.0;
constexpr double SummaryHeight = 8.5;
constexpr double FooterHeight = 4.5;
constexpr double CaptionTop = 1.6;
constexpr double LineTop = 0.5;
constexpr double LineHeight6 = 3.0;  // of a 6 pt line
const QString Listed = QStringLiteral("protocolos");

// A caption centred between two edges of the band.
void centred(ReportBand &band, double from, double to, const QString &text) {
    slot(band, from, CaptionTop, to - from, Qt::AlignHCenter, 8, true)->setCaption(text);
}

}  // namespace

const QString TRelatorio_ListaProtocolos::Title = QStringLiteral("RELAÇÃO DE PROTOCOLOS");

TRelatorio_ListaProtocolos::TRelatorio_ListaProtocolos(RecordSet &cdsRelProtocolo, const SessionState &session)
    : m_set(cdsRelProtocolo), m_session(session) {
    setPaper(ReportPaper::letter());
    setDataSet(&cdsRelProtocolo);
    setTitle(QStringLiteral("Relação de Protocolos"));

    ReportBand *header = addBand(BandKind::PageHeader, PageHeaderHeight);
    m_heading = std::make_unique<StandardHeading>(*header, StandardHeading::LetterRightEdge, DateTop);
    header->onBeforePrint = [this](ReportRun &) {
        m_heading->fill(m_session, Title);
        m_footer->setCaption(m_session.RightsNotice);
    };
    buildColumnHeader(*addBand(BandKind::ColumnHeader, ColumnHeaderHeight));
    buildDetail(*addBand(BandKind::Detail, DetailHeight));

    ReportBand *summary = addBand(BandKind::Summary, SummaryHeight);
    summary->setFrameLines(true, false);
    constexpr double totalWidth = 100.0;
    m_total = slot(*summary, 195.0 - totalWidth, CaptionTop, totalWidth, Qt::AlignRight, 8, true);
    summary->onBeforePrint = [this](ReportRun &run) {
        m_total->setCaption(QStringLiteral("Total de Protocolos: %1").arg(run.counter(Listed)));
    };

    ReportBand *footer = addBand(BandKind::PageFooter, FooterHeight);
    footer->setFrameLines(true, false);
    m_footer = slot(*footer, 1.1, LineTop, 193.9, Qt::AlignHCenter, 6, true, LineHeight6);
}

void TRelatorio_ListaProtocolos::buildColumnHeader(ReportBand &band) {
    band.setFrameLines(true, true);
    centred(band, 0.8, 8.2, QStringLiteral("Nº"));
    centred(band, 10.8, 16.9, QStringLiteral("Ano"));
    centred(band, 19.6, 33.9, QStringLiteral("Status"));
    centred(band, 40.0, 46.3, QStringLiteral("Data"));
    centred(band, 53.2, 109.8, QStringLiteral("Solicitante"));
    centred(band, 113.0, 195.0, QStringLiteral("Assunto"));
    for (const double left : {8.2, 17.7, 33.9, 51.3, 109.8})
        verticalLine(band, left, 0, ColumnHeaderHeight);
}

void TRelatorio_ListaProtocolos::buildDetail(ReportBand &band) {
    dataText(band, QStringLiteral("IDPROTOCOLO"), 1.3, LineTop, 6.9, 6, Qt::AlignLeft, LineHeight6);
    dataText(band, QStringLiteral("ANO"), 10.8, LineTop, 16.9 - 10.8, 6, Qt::AlignHCenter, LineHeight6);
    m_status = slot(band, 19.3, LineTop, 15.1, Qt::AlignLeft, 6, false, LineHeight6);
    dataText(band, QStringLiteral("DATADEENTRADA"), 36.0, LineTop, 51.3 - 36.0, 6, Qt::AlignHCenter, LineHeight6);
    // Long names and subjects are cut at their column's edge.
    dataText(band, QStringLiteral("NOME"), 53.2, LineTop, 56.4, 6, Qt::AlignLeft, LineHeight6);
    dataText(band, QStringLiteral("DESCRICAO"), 111.7, LineTop, 83.3, 6, Qt::AlignLeft, LineHeight6);
    band.onBeforePrint = [this](ReportRun &run) {
        if (m_statusField < 0)
            m_statusField = m_set.fieldIndex(QStringLiteral("STATUS"));
        m_status->setCaption(protocolStatusText(m_set.valueAt(m_set.currentRow(), m_statusField)));
        ++run.counter(Listed);
    };
}

}  // namespace kalvero
