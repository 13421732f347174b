#include "TRelatorio_Movimentacao.h"

#include "LayoutParts.h"
#include "ProtocolStatusText.h"

#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "reports/ReportFonts.h"
#include "reports/ReportLabel.h"
#include "reports/ReportMemo.h"
#include "reports/ReportRun.h"
#include "reports/ReportShape.h"

#include <QTime>

namespace kalvero {

using namespace LayoutParts;

namespace {

constexpr double PageHeaderHeight = 60.1;
constexpr double ColumnHeaderHeight = 11.4;
constexpr double DetailHeight = 9.8;
constexpr double SummaryHeight = 10.8;
constexpr double FooterHeight = 4.5;
constexpr double RightEdge = 188.4;  // of the date, the page number and the last column
constexpr double SmallLine = 2.7;    // of a 6 pt line

const QString Movements = QStringLiteral("movimentacoes");

}  // namespace

QString TRelatorio_Movimentacao::situationText(const QString &situation) {
    return situation == QLatin1String("0") ? QStringLiteral("ENTREGUE") : QStringLiteral("CANCELADO");
}

TRelatorio_Movimentacao::TRelatorio_Movimentacao(RecordSet &dataSet, const SessionState &session)
    : m_set(dataSet), m_session(session) {
    setPaper(ReportPaper::a4());
    setDataSet(&dataSet);
    setTitle(QStringLiteral("Relação de Movimentação"));
    setFileNaming(QStringLiteral("Movimentação"), FileNaming::ByProtocol);
    buildPageHeader(*addBand(BandKind::PageHeader, PageHeaderHeight));
    buildColumnHeader(*addBand(BandKind::ColumnHeader, ColumnHeaderHeight));
    buildDetail(*addBand(BandKind::Detail, DetailHeight));

    ReportBand *summary = addBand(BandKind::Summary, SummaryHeight);
    summary->setFrameLines(true, false);
    m_total = slot(*summary, 88.3, 1.6, 100.0, Qt::AlignRight, 8, true);
    summary->onBeforePrint = [this](ReportRun &run) {
        m_total->setCaption(QStringLiteral("Total de movimentações: ") + QString::number(run.counter(Movements)));
    };

    ReportBand *footer = addBand(BandKind::PageFooter, FooterHeight);
    footer->setFrameLines(true, false);
    m_footer = slot(*footer, 1.1, 0.5, 193.9, Qt::AlignHCenter, 6, true, 3.0);
}

TRelatorio_Movimentacao::~TRelatorio_Movimentacao() = default;

QString TRelatorio_Movimentacao::text(const QString &field) const {
    if (!m_set.isActive() || m_set.isEmpty() || m_set.fieldIndex(field) < 0)
        return QString();
    return m_set.field(field).asString();
}

void TRelatorio_Movimentacao::buildPageHeader(ReportBand &band) {
    const double width = paper().printableRect().width();
    band.setFrameLines(false, true);
    m_heading = std::make_unique<StandardHeading>(band, RightEdge);
    for (const double top : {20.4, 25.4})
        band.add<ReportShape>(ReportShape::Kind::HorizontalLine, 0.0, top, width, 2.6);
    caption(band, 1.3, 22.5, QStringLiteral("Dados do Protocolo"));

    caption(band, 1.3, 29.6, QStringLiteral("Número:"));
    dataText(band, QStringLiteral("IDPROTOCOLO"), 14.8, 29.6, 10.6);
    caption(band, 25.7, 29.6, QStringLiteral("Ano:"));
    dataText(band, QStringLiteral("ANO"), 33.3, 29.6, 7.0);
    caption(band, 40.7, 29.6, QStringLiteral("Status:"));
    m_status = slot(band, 51.9, 29.6, 17.0, Qt::AlignLeft);
    caption(band, 69.3, 29.6, QStringLiteral("Data de Entrada:"));
    dataText(band, QStringLiteral("DATADEENTRADA"), 93.7, 29.6, 20.0);
    caption(band, 1.3, 35.2, QStringLiteral("Solicitante:"));
    dataText(band, QStringLiteral("SOLICITANTE"), 18.3, 35.2, width - 18.3);
    caption(band, 1.3, 40.7, QStringLiteral("Assunto:"));
    dataText(band, QStringLiteral("ASSUNTO"), 16.4, 40.7, width - 16.4);
    caption(band, 1.3, 46.3, QStringLiteral("Descrição:"));
    m_description = band.add<ReportMemo>(1.3, 51.9, 190.2, PageHeaderHeight - 51.9);
    m_description->setFont(ReportFonts::arial(8));

    band.onBeforePrint = [this](ReportRun &) { fillPageHeader(); };
}

void TRelatorio_Movimentacao::fillPageHeader() {
    m_heading->fill(m_session, m_session.MovementReportTitle);
    m_status->setCaption(protocolStatusText(text(QStringLiteral("STATUS"))));
    m_description->setLines({text(QStringLiteral("DESCRICAO"))});
    m_footer->setCaption(m_session.RightsNotice);
}

void TRelatorio_Movimentacao::buildColumnHeader(ReportBand &band) {
    const double width = paper().printableRect().width();
    band.setFrameLines(false, true);
    caption(band, 1.3, 0.5, QStringLiteral("Histórico de Movimentação"));
    horizontalLine(band, 0, 3.2, width);
    caption(band, 1.3, 5.8, QStringLiteral("Cód"));
    const struct {
        double from, to;
        const char *text;
    } centred[] = {{11.4, 82.3, "Setor"},        {85.2, 96.8, "Data"},       {98.7, 110.6, "Hora"},
                   {113.5, 168.5, "Responsável"}, {172.8, 188.4, "Situação"}};
    for (const auto &c : centred)
        slot(band, c.from, 5.8, c.to - c.from, Qt::AlignHCenter, 8, true)->setCaption(QString::fromUtf8(c.text));
    for (const double left : {8.2, 83.1, 96.8, 110.3, 170.1})
        verticalLine(band, left, 4.8, 6.3);
}

void TRelatorio_Movimentacao::buildDetail(ReportBand &band) {
    m_code = slot(band, 1.9, 1.6, 5.8, Qt::AlignLeft, 6, false, SmallLine);
    dataText(band, QStringLiteral("NOME"), 9.5, 1.6, 72.8, 6, Qt::AlignLeft, SmallLine);
    dataText(band, QStringLiteral("DATA"), 84.7, 1.6, 96.9 - 84.7, 6, Qt::AlignHCenter, SmallLine);
    m_time = slot(band, 98.4, 1.6, 110.8 - 98.4, Qt::AlignHCenter, 6, false, SmallLine);
    dataText(band, QStringLiteral("NOME_1"), 112.2, 1.6, 57.9, 6, Qt::AlignLeft, SmallLine);
    m_situation = slot(band, 172.8, 1.6, 188.4 - 172.8, Qt::AlignHCenter, 6, false, SmallLine);
    slot(band, 1.9, 5.3, 16.5 - 1.9, Qt::AlignHCenter, 6, true, SmallLine)->setCaption(QStringLiteral("Observações:"));
    m_remarks = band.add<ReportMemo>(17.2, 5.3, 171.2, DetailHeight - 5.3);
    m_remarks->setFont(ReportFonts::arial(6));

    band.onBeforePrint = [this](ReportRun &run) {
        ++run.counter(Movements);
        const QString code = text(QStringLiteral("IDMOVIMENTACAO"));
        m_code->setCaption(code.isEmpty() ? code : code.rightJustified(3, QLatin1Char('0')));
        m_time->setCaption(m_set.field(QStringLiteral("HORA")).value().toTime().toString(QStringLiteral("HH:mm")));
        m_situation->setCaption(situationText(text(QStringLiteral("SITUACAO"))));
        m_remarks->setLines({text(QStringLiteral("OBSERVACAO"))});
    };
}

}  // namespace kalvero
