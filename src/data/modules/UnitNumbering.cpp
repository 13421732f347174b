#include "UnitNumbering.h"

#include "UnitStatements.h"

namespace kalvero::UnitNumbering {

namespace {

NumberScope scope(const char *table, QString owner, const char *keyField, const QString &highest,
                  QVariantList params = {}) {
    NumberScope s;
    s.table = QLatin1String(table);
    s.owner = std::move(owner);
    s.keyField = QLatin1String(keyField);
    s.highestStatement = firstRowOnly(highest);
    s.params = std::move(params);
    return s;
}

QString protocolKey(const QString &number, const QString &year) { return number + QLatin1Char('/') + year; }

}  // namespace

NumberScope protocolsOfYear(const QString &year) {
    NumberScope s = scope("TBPROTOCOLO", year, "IDPROTOCOLO", ProtocolStatements::highestNumberOfYear(), {year});
    s.textWidth = 5;
    s.whenFull = QStringLiteral("O ano %1 já tem 99999 protocolos; não há número livre para um novo.").arg(year);
    return s;
}

NumberScope documentsOf(const QString &protocolNumber, const QString &year) {
    return scope("TBDOCUMENTOS", protocolKey(protocolNumber, year), "IDDOCUMENTO",
                 DocumentStatements::highestNumberOfProtocol(), {protocolNumber, year});
}

NumberScope movementsOf(const QString &protocolNumber, const QString &year) {
    return scope("TBMOVIMENTACAO", protocolKey(protocolNumber, year), "IDMOVIMENTACAO",
                 MovementStatements::highestNumberOfProtocol(), {protocolNumber, year});
}

NumberScope requiredDocumentsOf(int subjectCode) {
    // The subject's code goes in as text, as the numbering statement has it.
    const QString code = QString::number(subjectCode);
    return scope("TBASSUNTO_DOCUMENTOS", code, "IDASSUNTO_DOCUMENTO", SubjectDocumentStatements::highestNumberOfSubject(),
                 {code});
}

NumberScope requesters() {
    return scope("TBSOLICITANTE", {}, "IDSOLICITANTE", RequesterStatements::highestCode());
}

NumberScope subjects() { return scope("TBASSUNTO", {}, "IDASSUNTO", SubjectStatements::highestCode()); }

NumberScope sectors() { return scope("TBSETOR", {}, "IDSETOR", SectorStatements::highestCode()); }

NumberScope responsibles() {
    return scope("TBRESPONSAVEISPORSETOR", {}, "IDRESPONSAVEL", ResponsibleStatements::highestCodeRows());
}

}  // namespace kalvero::UnitNumbering
