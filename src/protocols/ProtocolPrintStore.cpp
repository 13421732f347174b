#include "ProtocolPrintStore.h"

#include "data/modules/TUDMRelatorio.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "data/records/WriteTransaction.h"

namespace kalvero {

ProtocolPrintStore::ProtocolPrintStore(TUDMRelatorio &reports) : m_reports(reports) {}

void ProtocolPrintStore::loadReceiptWithDocuments(const QString &number, const QString &year) {
    m_reports.cdsComprovante.openWith(PrintStatements::receiptWithDocuments(), {number, year});
}

void ProtocolPrintStore::loadReceiptWithoutDocuments(const QString &number, const QString &year) {
    m_reports.cdsComprovanteSemDocumento.openWith(PrintStatements::receiptWithoutDocuments(), {number, year});
}

void ProtocolPrintStore::loadProtocolLabel(const QString &number, const QString &year) {
    m_reports.cdsEtiquetaProtocolo.openWith(PrintStatements::protocolLabel(), {number, year});
}

int ProtocolPrintStore::prepareDocumentLabels(const QString &number, const QString &year, int document,
                                              const QString &operatorCode, const RunCheck &mayWrite) {
    RecordSet &d = m_reports.cdsEtiquetaDocumentos;
    d.openWith(PrintStatements::documentLabel(), {number, year, document});
    LabelRows rows{number, year};
    if (!d.isEmpty()) {
        rows.entryDate = d.field(QStringLiteral("DATADEENTRADA")).value();
        rows.documentName = d.field(QStringLiteral("NOMEDOCUMENTO")).asString();
        rows.pages = int(d.field(QStringLiteral("PAGINA")).asInteger());
    }
    return writeLabelRows(LabelKind::PerDocument, operatorCode, rows, mayWrite);
}

int ProtocolPrintStore::prepareGroupedLabels(const QString &number, const QString &year,
                                             const QString &operatorCode, const RunCheck &mayWrite) {
    RecordSet &total = m_reports.cdsEtiquetaSeqAgrupada;
    total.openWith(PrintStatements::groupedPageTotal(), {number, year});
    LabelRows rows{number, year};
    if (!total.isEmpty()) {
        rows.entryDate = total.field(QStringLiteral("DATADEENTRADA")).value();
        rows.pages = int(total.field(QStringLiteral("TOTAL")).asInteger());
    }
    return writeLabelRows(LabelKind::Grouped, operatorCode, rows, mayWrite);
}

int ProtocolPrintStore::writeLabelRows(LabelKind kind, const QString &operatorCode, const LabelRows &rows,
                                       const RunCheck &mayWrite) {
    if (mayWrite && !mayWrite(rows.pages))
        return Declined;
    RecordSet &aux = m_reports.cdsTBRel_AUX;
    const QVariantList operatorAndKind{operatorCode, int(kind)};
    aux.openWith(LabelScratchStatements::ofOperator(), operatorAndKind);
    try {
        for (int page = 1; page <= rows.pages; ++page) {
            aux.append();
            aux.field(QStringLiteral("OPERADOR")).setAsString(operatorCode);
            aux.field(QStringLiteral("TIPOREL")).setAsInteger(int(kind));
            aux.field(QStringLiteral("IDPROTOCOLO")).setAsString(rows.number);
            aux.field(QStringLiteral("ANO")).setAsString(rows.year);
            aux.field(QStringLiteral("DATAENTRADA")).setValue(rows.entryDate);
            aux.field(QStringLiteral("NOMEDOCUMENTO")).setAsString(rows.documentName);
            aux.field(QStringLiteral("PAG_ATUAL")).setAsInteger(page);
            aux.field(QStringLiteral("PAG_TOTAL")).setAsInteger(rows.pages);
            aux.post();
        }
        // The earlier rows go only together with the new ones coming in.
        WriteTransaction save(*aux.connection());
        save.execute(LabelScratchStatements::removeOfOperator(), operatorAndKind);
        aux.applyUpdates(save);
        save.commit();
    } catch (...) {
        aux.cancel();
        aux.cancelUpdates();
        aux.close();
        throw;
    }
    aux.openWith(LabelScratchStatements::ofOperator(), operatorAndKind);
    return rows.pages;
}

}  // namespace kalvero
