#include "UnitStatements.h"

#include "../records/LikePattern.h"

namespace kalvero {

namespace {

// "select * from <table> where <column like ?> order by <order>", searching
// at most maxTyped typed characters; the trailing text is kept as given.
QString containing(const char *table, const char *column, int maxTyped, const char *orderBy) {
    return QStringLiteral("select * from %1 where %2 order by %3")
        .arg(QLatin1String(table), LikePattern::condition(QLatin1String(column), maxTyped), QLatin1String(orderBy));
}

// The same for a name or a description: case and accents ignored, as a
// person reads them.
QString readingAsAPerson(const char *table, const char *column, int maxTyped, const char *orderBy) {
    return QStringLiteral("select * from %1 where %2 order by %3")
        .arg(QLatin1String(table), LikePattern::conditionIgnoringCaseAndAccents(QLatin1String(column), maxTyped),
             QLatin1String(orderBy));
}

}  // namespace

QString firstRowOnly(const QString &statement) {
    const QString keyword = statement.left(7);  // "select " in the statement's own case
    const bool upper = keyword == QLatin1String("SELECT ");
    Q_ASSERT(keyword.compare(QLatin1String("select "), Qt::CaseInsensitive) == 0);
    return keyword + (upper ? QStringLiteral("FIRST 1 ") : QStringLiteral("first 1 ")) + statement.mid(7);
}

namespace RequesterStatements {
QString standing() { return QStringLiteral("select * from TBSOLICITANTE"); }
QString orderedByName() { return QStringLiteral("select * from TBSOLICITANTE order by NOME"); }
QString orderedByCode() { return QStringLiteral("select * from TBSOLICITANTE order by IDSOLICITANTE"); }
QString wholeTable() { return QStringLiteral("SELECT * FROM TBSOLICITANTE"); }
QString highestCode() { return QStringLiteral("select IDSOLICITANTE from TBSOLICITANTE order by IDSOLICITANTE  DESC"); }
QString nameContaining() { return readingAsAPerson("TBSOLICITANTE", "NOME", 80, "NOME"); }
QString cpfContaining() { return containing("TBSOLICITANTE", "CPF", 11, "NOME"); }
QString cnpjContaining() { return containing("TBSOLICITANTE", "CNPJ", 14, "NOME"); }
}  // namespace RequesterStatements

namespace SubjectStatements {
QString standing() { return QStringLiteral("select * from TBASSUNTO"); }
QString orderedByDescription() { return QStringLiteral("select * from TBASSUNTO order by DESCRICAO"); }
QString orderedByCode() { return QStringLiteral("select * from TBASSUNTO order by IDASSUNTO"); }
QString wholeTable() { return QStringLiteral("SELECT * FROM TBASSUNTO"); }
QString highestCode() { return QStringLiteral("select IDASSUNTO from TBASSUNTO order by IDASSUNTO DESC"); }
QString descriptionContaining() { return readingAsAPerson("TBASSUNTO", "DESCRICAO", 80, "DESCRICAO "); }
}  // namespace SubjectStatements

namespace SubjectDocumentStatements {
QString standing() { return QStringLiteral("select * from TBAssunto_Documentos"); }
QString ofSubject() {
    return QStringLiteral("select * from TBASSUNTO_DOCUMENTOS WHERE IDASSUNTO = ? order by IDASSUNTO_DOCUMENTO");
}
QString highestNumber() {
    return QStringLiteral("select IDASSUNTO_DOCUMENTO from TBASSUNTO_DOCUMENTOS ORDER BY IDASSUNTO_DOCUMENTO DESC");
}
QString highestNumberOfSubject() {
    return QStringLiteral("select IDASSUNTO_DOCUMENTO from TBASSUNTO_DOCUMENTOS where IDASSUNTO = ? "
                          "ORDER BY IDASSUNTO_DOCUMENTO DESC");
}
}  // namespace SubjectDocumentStatements

namespace SectorStatements {
QString standing() { return QStringLiteral("select * from TBSETOR"); }
QString orderedByName() { return QStringLiteral("select * from TBSETOR order by NOME"); }
QString orderedByCode() { return QStringLiteral("select * from TBSETOR order by IDSETOR"); }
QString wholeTable() { return QStringLiteral("SELECT * FROM TBSETOR"); }
QString highestCode() { return QStringLiteral("select IDSETOR from TBSETOR ORDER BY IDSETOR  DESC"); }
QString nameContaining() { return readingAsAPerson("TBSETOR", "NOME", 45, "NOME "); }
}  // namespace SectorStatements

namespace ResponsibleStatements {
QString standing() { return QStringLiteral("select * from TBRESPONSAVEISPORSETOR"); }
QString ofSector() { return QStringLiteral("select * from TBRESPONSAVEISPORSETOR WHERE SETOR = ? order by IDRESPONSAVEL"); }
QString orderedByCode() { return QStringLiteral("select * from TBRESPONSAVEISPORSETOR order by IDRESPONSAVEL"); }
QString highestCode() {
    return QStringLiteral("select IDRESPONSAVEL from TBRESPONSAVEISPORSETOR ORDER BY IDRESPONSAVEL  DESC");
}
QString highestCodeRows() { return QStringLiteral("SELECT * FROM TBRESPONSAVEISPORSETOR ORDER BY IDRESPONSAVEL DESC"); }
}  // namespace ResponsibleStatements

namespace EntityStatements {
QString standing() { return QStringLiteral("select * from TBEntidade"); }
}  // namespace EntityStatements

namespace ProtocolStatements {
QString standing() { return QStringLiteral("select * from TBProtocolo"); }
QString highestNumber() { return QStringLiteral("select IDPROTOCOLO from TBPROTOCOLO order by IDPROTOCOLO DESC"); }
QString highestNumberOfYear() {
    return QStringLiteral("select IDPROTOCOLO from TBPROTOCOLO where ANO = ? order by IDPROTOCOLO DESC");
}
QString ofStatus() {
    return QStringLiteral("select * from TBProtocolo where STATUS = ? order by DATADEENTRADA DESC, ANO DESC, IDPROTOCOLO DESC");
}
QString ofStatusInPeriod() {
    return QStringLiteral("select * from TBProtocolo where STATUS = ? and  ( DATADEENTRADA BETWEEN ? AND ?) "
                          "order by DATADEENTRADA DESC, ANO DESC, IDPROTOCOLO DESC");
}
QString ofStatusByNumber() {
    return QStringLiteral("select * from TBProtocolo where STATUS = ? order by ANO DESC, IDPROTOCOLO DESC");
}
QString ofStatusInPeriodByNumber() {
    return QStringLiteral("select * from TBProtocolo where STATUS = ? and  ( DATADEENTRADA BETWEEN ? AND ?) "
                          "order by ANO DESC, IDPROTOCOLO DESC");
}
}  // namespace ProtocolStatements

namespace DocumentStatements {
QString standing() { return QStringLiteral("select * from TBDocumentos"); }
QString ofProtocol() {
    return QStringLiteral("select * from TBDOCUMENTOS where IDPROTOCOLO = ? and ANO = ? order by IDDOCUMENTO");
}
QString highestNumber() { return QStringLiteral("select IDDOCUMENTO from TBDOCUMENTOS order by IDDOCUMENTO DESC"); }
QString highestNumberOfProtocol() {
    return QStringLiteral("select IDDOCUMENTO from TBDOCUMENTOS where IDPROTOCOLO = ? and ANO = ? order by IDDOCUMENTO DESC");
}
QString pageTotal() { return QStringLiteral("select SUM(PAGINA) as TOTAL from TBDOCUMENTOS"); }
QString pageTotalOfProtocol() {
    return QStringLiteral("select SUM(PAGINA) as TOTAL from TBDOCUMENTOS where IDPROTOCOLO = ? and ANO = ?");
}
}  // namespace DocumentStatements

namespace MovementStatements {
QString standing() { return QStringLiteral("select * from TBMOVIMENTACAO"); }
QString highestNumber() {
    return QStringLiteral("select IDMOVIMENTACAO from TBMOVIMENTACAO ORDER BY  IDMOVIMENTACAO DESC");
}
QString highestNumberOfProtocol() {
    return QStringLiteral("select IDMOVIMENTACAO from TBMOVIMENTACAO where IDPROTOCOLO = ? and ANO = ? "
                          "order by IDMOVIMENTACAO DESC");
}
QString ofProtocol() {
    return QStringLiteral("select * from TBMovimentacao where IDPROTOCOLO = ? and ANO = ? order by DATA DESC, HORA DESC, "
                          "IDMOVIMENTACAO DESC");
}
}  // namespace MovementStatements

namespace LabelScratchStatements {
QString standing() { return QStringLiteral("select * from TBRel_AUX"); }
QString removeOfOperator() { return QStringLiteral("DELETE FROM TBREL_AUX WHERE OPERADOR = ? and TIPOREL = ? "); }
QString ofOperator() {
    return QStringLiteral("select * from TBREL_AUX where OPERADOR = ? and TIPOREL = ? order by PAG_ATUAL ");
}
}  // namespace LabelScratchStatements

namespace ConsultationStatements {
namespace {
const QString Columns = QStringLiteral(
    "select first %1 p.IDPROTOCOLO, p.ANO, p.DATADEENTRADA, p.STATUS, s.NOME as SOLICITANTE, "
    "s.CPF, s.CNPJ, a.DESCRICAO as ASSUNTO, m.DATA as DATAMOV, st.NOME as SETOR, rs.NOME as RESPONSAVEL");
// The latest delivered movement is the newest by date, time and number, as
// the movement screen lists them; a cancelled one never counts.
const QString WhereNow = QStringLiteral(
    " left join TBASSUNTO a on a.IDASSUNTO = p.ASSUNTO"
    " left join TBMOVIMENTACAO m on m.IDPROTOCOLO = p.IDPROTOCOLO and m.ANO = p.ANO and m.IDMOVIMENTACAO ="
    " (select first 1 l.IDMOVIMENTACAO from TBMOVIMENTACAO l where l.IDPROTOCOLO = p.IDPROTOCOLO"
    " and l.ANO = p.ANO and l.SITUACAO = '0' order by l.DATA desc, l.HORA desc, l.IDMOVIMENTACAO desc)"
    " left join TBSETOR st on st.IDSETOR = m.SETOR"
    " left join TBRESPONSAVEISPORSETOR rs on rs.IDRESPONSAVEL = m.RESPONSAVEL");
}  // namespace
QString selectByProtocol() {
    return Columns.arg(SearchLimit + 1) +
           QStringLiteral(" from TBPROTOCOLO p join TBSOLICITANTE s on s.IDSOLICITANTE = p.SOLICITANTE") + WhereNow;
}
QString selectByRequester() {
    // "+ 0" keeps the requester's key from being looked up per protocol: left
    // to itself the optimizer walks every protocol in the order's index and
    // tests each one's requester (a name part costs seven times as much).
    return Columns.arg(SearchLimit + 1) +
           QStringLiteral(" from TBSOLICITANTE s join TBPROTOCOLO p on p.SOLICITANTE = s.IDSOLICITANTE + 0") +
           WhereNow;
}
QString numberAndYear() { return QStringLiteral(" where p.IDPROTOCOLO = ? and p.ANO = ?"); }
QString cpfIs() { return QStringLiteral(" where s.CPF = ?"); }
QString cnpjIs() { return QStringLiteral(" where s.CNPJ = ?"); }
QString nameContaining() {
    QString name = QStringLiteral("s.NOME");
    for (QChar c : NamePunctuation) {
        const QString literal = c == QLatin1Char('\'') ? QStringLiteral("''''") : QStringLiteral("'%1'").arg(c);
        name = QStringLiteral("replace(%1, %2, '')").arg(name, literal);
    }
    return QStringLiteral(" where ") + name + QStringLiteral(" collate UNICODE_CI_AI containing ?");
}
QString newestFirst() { return QStringLiteral(" order by p.ANO desc, p.IDPROTOCOLO desc"); }
QString pathOf() {
    return QStringLiteral(
        "select m.IDMOVIMENTACAO, m.DATA, m.HORA, st.NOME as SETOR, rs.NOME as RESPONSAVEL, m.SITUACAO, m.OBSERVACAO"
        " from TBMOVIMENTACAO m"
        " left join TBSETOR st on st.IDSETOR = m.SETOR"
        " left join TBRESPONSAVEISPORSETOR rs on rs.IDRESPONSAVEL = m.RESPONSAVEL"
        " where m.IDPROTOCOLO = ? and m.ANO = ? order by m.DATA desc, m.HORA desc, m.IDMOVIMENTACAO desc");
}
}  // namespace ConsultationStatements

namespace PrintStatements {
// The requester's CNPJ comes last: a company's receipt shows it in the
// place of the CPF it does not have.
QString receiptWithDocuments() {
    return QStringLiteral(
        "select p.idprotocolo, p.ano, p.datadeentrada, p.status, p.descricao, s.nome, s.cpf, s.tel_contato, "
        "a.descricao, d.iddocumento ,d.nomedocumento, d.pagina, s.cnpj"
        " from tbprotocolo p, tbsolicitante s, tbassunto a, tbdocumentos d"
        " where p.idprotocolo = ? and p.ano = ? and p.solicitante = s.idsolicitante and p.assunto = a.idassunto"
        " and d.idprotocolo = p.idprotocolo and d.ano = p.ano"
        " order by d.iddocumento");
}
QString receiptWithoutDocuments() {
    return QStringLiteral(
        "select p.idprotocolo, p.ano, p.datadeentrada, p.status, p.descricao, s.nome, s.cpf, s.tel_contato, "
        "a.descricao, s.cnpj"
        " from tbprotocolo p, tbsolicitante s, tbassunto a"
        " where p.idprotocolo = ? and p.ano = ? and p.solicitante = s.idsolicitante and p.assunto = a.idassunto");
}
QString protocolLabel() {
    return QStringLiteral(
        "select * from tbprotocolo p, tbassunto a where a.idassunto = p.assunto and  p.idprotocolo = ? and p.ANO = ? ");
}
QString documentLabel() {
    return QStringLiteral(
        "select * from tbprotocolo p, tbassunto a, tbdocumentos d where a.idassunto = p.assunto and "
        "d.idprotocolo = p.idprotocolo and  p.idprotocolo = ? and p.ANO = ?  and p.ano = d.ano and d.IDDOCUMENTO = ? ");
}
QString groupedPageTotal() {
    return QStringLiteral(
        "select p.idprotocolo, p.ano, p.datadeentrada, sum (d.pagina) as TOTAL from tbprotocolo p, tbdocumentos d "
        "where d.idprotocolo = p.idprotocolo  and p.ano = d.ano  and p.idprotocolo = ? and p.ANO = ? "
        "group by p.idprotocolo, p.ano, p.datadeentrada");
}
QString movementHistory() {
    // Deliveries of the same moment keep the order in which they were recorded.
    return QStringLiteral(
        "select p.idprotocolo, p.ano, p.datadeentrada, p.status, p.descricao, s.nome as solicitante, "
        "a.descricao as assunto, m.idmovimentacao, st.nome, rs.nome, m.data, m.hora, m.situacao, m.observacao"
        " from tbprotocolo p, tbmovimentacao m, tbsolicitante s, tbassunto a, tbsetor st, tbresponsaveisporsetor rs"
        " where m.idprotocolo = ? and m.ano = ? and p.idprotocolo = m.idprotocolo and p.ano = m.ano"
        " and p.solicitante = s.idsolicitante and p.assunto = a.idassunto and m.setor = st.idsetor"
        " and m.responsavel = rs.idresponsavel"
        " order by m.data DESC, m.hora DESC, m.idmovimentacao DESC");
}
}  // namespace PrintStatements

namespace ProtocolListStatements {
QString select() {
    return QStringLiteral(
        "select p.idprotocolo, p.ano, p.status, p.datadeentrada, s.nome, a.descricao"
        " from tbprotocolo p, tbsolicitante s, tbassunto a"
        " where p.solicitante = s.idsolicitante and p.assunto = a.idassunto  ");
}
QString statusOtherThan() { return QStringLiteral(" and p.status <> cast(? as integer)"); }
QString statusEquals() { return QStringLiteral(" and p.status = cast(? as integer)"); }
QString requesterIs() { return QStringLiteral(" and p.SOLICITANTE = ?"); }
QString subjectIs() { return QStringLiteral(" and p.ASSUNTO = ?"); }
QString enteredBetween() { return QStringLiteral(" and p.DATADEENTRADA between ? and ?"); }
// Protocols of one day come newest number first, the same on every run.
QString newestFirst() { return QStringLiteral(" order by p.DATADEENTRADA DESC, p.ANO DESC, p.IDPROTOCOLO DESC"); }
}  // namespace ProtocolListStatements

}  // namespace kalvero
