#include "TRelatorio_SituacaoProtocolo.h"

#include "LayoutParts.h"
#include "TRelatorio_Movimentacao.h"

#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "reports/ReportLabel.h"
#include "reports/ReportRun.h"
#include "reports/ReportShape.h"

#include <QTime>

namespace kalvero {

using namespace LayoutParts;

namespace {

constexpr double PageHeaderHeight = 72.0;
constexpr double ColumnHeaderHeight = 10.0;
constexpr double DetailHeight = 4.6;
constexpr double SummaryHeight = 8.0;
constexpr double FooterHeight = 4.5;
constexpr double RightEdge = 188.4;

const QString Movements = QStringLiteral("movimentacoes");

}  // namespace

TRelatorio_SituacaoProtocolo::TRelatorio_SituacaoProtocolo(RecordSet &path, const StatusSlipData &protocol,
                                                           const SessionState &session)
    : m_path(path), m_protocol(protocol), m_session(session) {
    setPaper(ReportPaper::a4());
    setDataSet(&path);
    setTitle(QStringLiteral("Situação do Protocolo"));
    setFileNaming(QStringLiteral("Situação do Protocolo"), FileNaming::ByProtocol);
    buildPageHeader(*addBand(BandKind::PageHeader, PageHeaderHeight));
    buildColumnHeader(*addBand(BandKind::ColumnHeader, ColumnHeaderHeight));
    buildDetail(*addBand(BandKind::Detail, DetailHeight));

    ReportBand *summary = addBand(BandKind::Summary, SummaryHeight);
    summary->setFrameLines(true, false);
    m_total = slot(*summary, 88.3, 1.6, 100.0, Qt::AlignRight, 8, true);
    summary->onBeforePrint = [this](ReportRun &run) {
        const int count = run.counter(Movements);
        m_total->setCaption(count == 0 ? QStringLiteral("Nenhuma movimentação: o protocolo está na recepção.")
                                       : QStringLiteral("Total de movimentações: ") + QString::number(count));
    };

    ReportBand *footer = addBand(BandKind::PageFooter, FooterHeight);
    footer->setFrameLines(true, false);
    m_footer = slot(*footer, 1.1, 0.5, 193.9, Qt::AlignHCenter, 6, true, 3.0);
}

TRelatorio_SituacaoProtocolo::~TRelatorio_SituacaoProtocolo() = default;

void TRelatorio_SituacaoProtocolo::buildPageHeader(ReportBand &band) {
    const double width = paper().printableRect().width();
    band.setFrameLines(false, true);
    m_heading = std::make_unique<StandardHeading>(band, RightEdge);
    for (const double top : {20.4, 25.4})
        band.add<ReportShape>(ReportShape::Kind::HorizontalLine, 0.0, top, width, 2.6);
    caption(band, 1.3, 22.5, QStringLiteral("Dados do Protocolo"));

    const StatusSlipData &p = m_protocol;
    auto line = [&](double left, double top, const QString &label, const QString &value, double valueLeft,
                    double valueWidth) {
        caption(band, left, top, label);
        slot(band, valueLeft, top, valueWidth, Qt::AlignLeft)->setCaption(value);
    };
    line(1.3, 29.6, QStringLiteral("Número:"), p.number + QLatin1Char('/') + p.year, 14.8, 22.0);
    line(40.7, 29.6, QStringLiteral("Status:"), p.status, 51.9, 20.0);
    line(75.0, 29.6, QStringLiteral("Data de Entrada:"), p.entry, 99.4, 20.0);
    line(1.3, 35.2, QStringLiteral("Unidade:"), p.unit, 16.4, width - 16.4);
    line(1.3, 40.7, QStringLiteral("Solicitante:"), p.requester, 18.3, 120.0);
    if (!p.document.isEmpty())
        line(138.0, 40.7, QStringLiteral("CPF/CNPJ:"), p.document, 156.5, width - 156.5);
    line(1.3, 46.3, QStringLiteral("Assunto:"), p.subject, 16.4, width - 16.4);
    horizontalLine(band, 0, 52.5, width);
    caption(band, 1.3, 55.0, QStringLiteral("Onde está agora:"), 10);
    slot(band, 33.0, 55.0, width - 33.0, Qt::AlignLeft, 10, true, 4.4)->setCaption(p.whereNow);
    line(1.3, 62.5, QStringLiteral("Dias desde a entrada:"), p.daysSinceEntry, 33.0, 20.0);
    line(60.0, 62.5, QStringLiteral("Dias desde a última movimentação:"), p.daysSinceMovement, 112.0, 20.0);

    band.onBeforePrint = [this](ReportRun &) {
        m_heading->fill(m_session, Title);
        m_footer->setCaption(m_session.RightsNotice);
    };
}

void TRelatorio_SituacaoProtocolo::buildColumnHeader(ReportBand &band) {
    const double width = paper().printableRect().width();
    band.setFrameLines(false, true);
    caption(band, 1.3, 0.5, QStringLiteral("Caminho do Protocolo"));
    horizontalLine(band, 0, 3.2, width);
    const struct {
        double from, to;
        const char *text;
    } centred[] = {{1.3, 18.0, "Data"},          {18.0, 30.0, "Hora"},        {30.0, 100.0, "Setor"},
                   {100.0, 165.0, "Responsável"}, {165.0, 188.4, "Situação"}};
    for (const auto &c : centred)
        slot(band, c.from, 5.2, c.to - c.from, Qt::AlignHCenter, 8, true)->setCaption(QString::fromUtf8(c.text));
}

void TRelatorio_SituacaoProtocolo::buildDetail(ReportBand &band) {
    dataText(band, QStringLiteral("DATA"), 1.3, 0.6, 16.7, 8, Qt::AlignHCenter);
    m_time = slot(band, 18.0, 0.6, 12.0, Qt::AlignHCenter);
    dataText(band, QStringLiteral("SETOR"), 31.0, 0.6, 68.0);
    dataText(band, QStringLiteral("RESPONSAVEL"), 101.0, 0.6, 63.0);
    m_situation = slot(band, 165.0, 0.6, 23.4, Qt::AlignHCenter);
    band.onBeforePrint = [this](ReportRun &run) {
        ++run.counter(Movements);
        m_time->setCaption(m_path.field(QStringLiteral("HORA")).value().toTime().toString(QStringLiteral("HH:mm")));
        m_situation->setCaption(
            TRelatorio_Movimentacao::situationText(m_path.field(QStringLiteral("SITUACAO")).asString()));
    };
}

}  // namespace kalvero
