#include "ReceiptLayout.h"

#include "LayoutParts.h"
#include "ProtocolStatusText.h"

#include "data/Clock.h"
#include "data/records/FieldFormat.h"
#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "reports/ReportDataText.h"
#include "reports/ReportFonts.h"
#include "reports/ReportLabel.h"
#include "reports/ReportMemo.h"
#include "reports/ReportRun.h"
#include "reports/ReportShape.h"

namespace kalvero {

using namespace LayoutParts;

namespace {

constexpr double PageHeaderHeight = 78.3;
constexpr double ColumnHeaderHeight = 11.4;
constexpr double DetailHeight = 3.4;
constexpr double SummaryHeight = 45.0;
constexpr double FooterHeight = 4.5;

const QString CnpjMask = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;");
const QString Documents = QStringLiteral("documentos");
const QString Pages = QStringLiteral("paginas");

}  // namespace

QString ReceiptLayout::formattedCpf(const QString &cpf) {
    return cpf.mid(0, 3) + QLatin1Char('.') + cpf.mid(3, 3) + QLatin1Char('.') + cpf.mid(6, 3) + QLatin1Char('-') +
           cpf.mid(9, 2);
}

ReceiptLayout::ReceiptLayout(RecordSet &dataSet, const SessionState &session, bool withDocuments,
                             const QString &headingTitle)
    : m_set(dataSet), m_session(session), m_withDocuments(withDocuments), m_headingTitle(headingTitle) {
    setPaper(ReportPaper::letter());
    setDataSet(&dataSet);
    setTitle(QStringLiteral("Comprovante de Entrega"));
    setFileNaming(QStringLiteral("Comprovante"), FileNaming::ByProtocol);
    buildPageHeader(*addBand(BandKind::PageHeader, PageHeaderHeight));
    if (m_withDocuments)
        buildDocumentBands();
    buildSummary(*addBand(BandKind::Summary, SummaryHeight));

    ReportBand *footer = addBand(BandKind::PageFooter, FooterHeight);
    footer->setFrameLines(true, false);
    m_footer = slot(*footer, 1.1, 0.5, 193.9, Qt::AlignHCenter, 6, true, 3.0);
}

QString ReceiptLayout::text(const QString &field) const {
    if (!m_set.isActive() || m_set.isEmpty() || m_set.fieldIndex(field) < 0)
        return QString();
    return m_set.field(field).asString();
}

void ReceiptLayout::buildPageHeader(ReportBand &band) {
    const double width = paper().printableRect().width();
    m_heading = std::make_unique<StandardHeading>(band);
    auto *title = slot(band, 0, 24.3, width, Qt::AlignHCenter, 26, true, 11.9);
    title->setCaption(QStringLiteral("R E Q U E R I M E N T O"));
    m_subject = slot(band, 0, 38.9, width, Qt::AlignHCenter, 10, true, 4.5);
    m_subject->setShrinkToFit(7);  // the longest subject stays on the sheet

    caption(band, 2.9, 47.9, QStringLiteral("Número:"));
    dataText(band, QStringLiteral("IDPROTOCOLO"), 17.2, 47.9, 11.0);
    caption(band, 29.4, 47.9, QStringLiteral("Ano:"));
    dataText(band, QStringLiteral("ANO"), 37.3, 47.9, 8.0);
    caption(band, 46.0, 47.9, QStringLiteral("Status:"));
    m_status = slot(band, 57.4, 47.9, 17.0, Qt::AlignLeft);
    caption(band, 75.7, 47.9, QStringLiteral("Data de Entrada:"));
    dataText(band, QStringLiteral("DATADEENTRADA"), 99.7, 47.9, 20.0);

    caption(band, 2.9, 53.4, QStringLiteral("Solicitante:"));
    dataText(band, QStringLiteral("NOME"), 20.6, 53.4, 97.1);
    m_idCaption = caption(band, 119.3, 53.4, QStringLiteral("C.P.F:"));
    // A CNPJ of wide letters is printed smaller rather than over "Telefone:".
    m_id = slot(band, 129.1, 53.4, 22.2, Qt::AlignLeft);
    m_id->setShrinkToFit(4.5);
    caption(band, 152.9, 53.4, QStringLiteral("Telefone:"));
    dataText(band, QStringLiteral("TEL_CONTATO"), 168.5, 53.4, 24.6);

    caption(band, 2.9, 59.0, QStringLiteral("Assunto:"));
    dataText(band, QStringLiteral("DESCRICAO_1"), 18.0, 59.0, 175.0);
    caption(band, 2.9, 64.6, QStringLiteral("Descrição:"));
    m_description = band.add<ReportMemo>(2.9, 70.1, 190.2, PageHeaderHeight - 70.1);
    m_description->setFont(ReportFonts::arial(8));

    band.onBeforePrint = [this](ReportRun &) { fillPageHeader(); };
}

void ReceiptLayout::fillPageHeader() {
    m_heading->fill(m_session, m_headingTitle);
    const QString subject = text(QStringLiteral("DESCRICAO_1"));
    m_subject->setCaption(QStringLiteral("ASSUNTO: ") + subject);
    m_status->setCaption(protocolStatusText(text(QStringLiteral("STATUS"))));

    // A company is registered by its CNPJ and has no CPF: its receipt shows
    // the CNPJ, punctuated, in the CPF's place (a little smaller, to fit;
    // smaller still when its letters are wide).
    const QString cpf = text(QStringLiteral("CPF"));
    const QString cnpj = text(QStringLiteral("CNPJ")).trimmed();
    const bool company = cpf.trimmed().isEmpty() && !cnpj.isEmpty();
    m_idCaption->setCaption(company ? QStringLiteral("CNPJ:") : QStringLiteral("C.P.F:"));
    m_id->setCaption(company ? FieldFormat::applyEditMask(CnpjMask, cnpj) : formattedCpf(cpf));
    m_id->setFont(ReportFonts::arial(company ? 7 : 8));

    m_description->setLines({text(QStringLiteral("DESCRICAO"))});
    m_city->setCaption(m_session.EntityCity + QStringLiteral(", ") +
                       Clock::today().toString(QStringLiteral("dd/MM/yyyy")));
    m_operatorName->setCaption(m_session.OperatorName);
    m_requesterName->setCaption(text(QStringLiteral("NOME")));
    m_footer->setCaption(m_session.RightsNotice);
}

void ReceiptLayout::buildDocumentBands() {
    const double width = paper().printableRect().width();
    ReportBand *header = addBand(BandKind::ColumnHeader, ColumnHeaderHeight);
    header->setFrameLines(false, true);
    caption(*header, 2.9, 0.0, QStringLiteral("Documentos em anexo:"));
    horizontalLine(*header, 0, 3.2, width);
    caption(*header, 1.6, 5.8, QStringLiteral("Cód"));
    slot(*header, 11.1, 5.8, 157.2 - 11.1, Qt::AlignHCenter, 8, true)->setCaption(QStringLiteral("Documento"));
    caption(*header, 161.4, 5.8, QStringLiteral("Quantidade de Páginas"));
    verticalLine(*header, 8.2, 4.8, 6.3);
    verticalLine(*header, 158.8, 4.8, 6.3);

    ReportBand *detail = addBand(BandKind::Detail, DetailHeight);
    m_documentCode = slot(*detail, 1.6, 0, 7.4 - 1.6, Qt::AlignHCenter, 6, false, DetailHeight);
    dataText(*detail, QStringLiteral("NOMEDOCUMENTO"), 10.1, 0, 148.4, 6, Qt::AlignLeft, DetailHeight);
    dataText(*detail, QStringLiteral("PAGINA"), 175.0, 0, 20.0, 6, Qt::AlignRight, DetailHeight);
    detail->onBeforePrint = [this](ReportRun &run) {
        ++run.counter(Documents);
        run.counter(Pages) += m_set.field(QStringLiteral("PAGINA")).asInteger();
        const QString code = m_set.field(QStringLiteral("IDDOCUMENTO")).asString();
        m_documentCode->setCaption(code.isEmpty() ? code : code.rightJustified(3, QLatin1Char('0')));
    };
}

void ReceiptLayout::buildSummary(ReportBand &band) {
    band.setFrameLines(true, false);
    if (m_withDocuments) {
        m_totals = slot(band, 94.7, 1.6, 100.0, Qt::AlignRight, 8, true);
        band.onBeforePrint = [this](ReportRun &run) {
            m_totals->setCaption(QStringLiteral("Total de Documentos: %1    Total de páginas: %2")
                                     .arg(run.counter(Documents))
                                     .arg(run.counter(Pages)));
        };
    }
    m_city = slot(band, 64.8, 15.3, 128.3 - 64.8, Qt::AlignHCenter);
    constexpr double lineLength = 63.5;
    for (const double left : {16.1, 116.2})
        horizontalLine(band, left, 28.6, lineLength);
    slot(band, 16.1, 31.2, lineLength, Qt::AlignHCenter, 8, true)->setCaption(QStringLiteral("Responsável pelo recebimento"));
    slot(band, 116.2, 31.2, lineLength, Qt::AlignHCenter, 8, true)->setCaption(QStringLiteral("Solicitante"));
    m_operatorName = slot(band, 16.1, 37.3, lineLength, Qt::AlignHCenter, 8, true);
    m_requesterName = slot(band, 116.2, 37.3, lineLength, Qt::AlignHCenter, 8, true);
    // Long names wrap under their line instead of running off the sheet.
    for (ReportLabel *name : {m_city, m_operatorName, m_requesterName})
        name->setAutoSize(false);
}

}  // namespace kalvero
