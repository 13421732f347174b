#include "TUDMCadastro.h"

#include "TDM.h"
#include "../firebird/FirebirdError.h"
#include "../schema/UnitSchema.h"

namespace kalvero {

TUDMCadastro *UDMCadastro = nullptr;

namespace {

const TableDefinition &unitTable(const char *name) { return *UnitSchema::table(QString::fromLatin1(name)); }

}  // namespace

TUDMCadastro::TUDMCadastro(TDM &dm, QObject *parent)
    : QObject(parent),
      cdsTBEntidade(QStringLiteral("cdsTBEntidade")),
      cdsTBProtocolo(QStringLiteral("cdsTBProtocolo")),
      cdsTBDocumentos(QStringLiteral("cdsTBDocumentos")),
      cdsTBSolicitante(QStringLiteral("cdsTBSolicitante")),
      cdsTBAssunto(QStringLiteral("cdsTBAssunto")),
      cdsTBAssunto_Documentos(QStringLiteral("cdsTBAssunto_Documentos")),
      cdsTBSetor(QStringLiteral("cdsTBSetor")),
      cdsTBResponsavelPorSetor(QStringLiteral("cdsTBResponsavelPorSetor")),
      cdsTBMovimentacao(QStringLiteral("cdsTBMovimentacao")),
      dsTBEntidade(QStringLiteral("dsTBEntidade"), &cdsTBEntidade),
      dsTBProtocolo(QStringLiteral("dsTBProtocolo"), &cdsTBProtocolo),
      dsTBDocumentos(QStringLiteral("dsTBDocumentos"), &cdsTBDocumentos),
      dsTBSolicitante(QStringLiteral("dsTBSolicitante"), &cdsTBSolicitante),
      dsTBAssunto(QStringLiteral("dsTBAssunto"), &cdsTBAssunto),
      dsTBAssunto_Documentos(QStringLiteral("dsTBAssunto_Documentos"), &cdsTBAssunto_Documentos),
      dsTBSetor(QStringLiteral("dsTBSetor"), &cdsTBSetor),
      dsTBResponsavelPorSetor(QStringLiteral("dsTBResponsavelPorSetor"), &cdsTBResponsavelPorSetor),
      dsTBMovimentacao(QStringLiteral("dsTBMovimentacao"), &cdsTBMovimentacao),
      SQLIdProtocolo(QStringLiteral("SQLIdProtocolo")),
      SQLIdDocumentos(QStringLiteral("SQLIdDocumentos")),
      SQLIDMovimentacao(QStringLiteral("SQLIDMovimentacao")),
      SQLIDAssuntoDocumento(QStringLiteral("SQLIDAssuntoDocumento")),
      SQLIdSolicitante(QStringLiteral("SQLIdSolicitante")),
      SQLIdAssunto(QStringLiteral("SQLIdAssunto")),
      SQLIdSetor(QStringLiteral("SQLIdSetor")),
      SQLIDReponsavelPeloSetor(QStringLiteral("SQLIDReponsavelPeloSetor")),
      SQLDocumentos_Paginas(QStringLiteral("SQLDocumentos_Paginas")),
      sCONSULTA(QStringLiteral("sCONSULTA")) {
    setObjectName(QStringLiteral("UDMCadastro"));

    struct Chain {
        RecordSet *set;
        const char *table;
        const char *statement;
    };
    const Chain chains[] = {
        {&cdsTBEntidade, "TBENTIDADE", "select * from TBEntidade"},
        {&cdsTBProtocolo, "TBPROTOCOLO", "select * from TBProtocolo"},
        {&cdsTBDocumentos, "TBDOCUMENTOS", "select * from TBDocumentos"},
        {&cdsTBSolicitante, "TBSOLICITANTE", "select * from TBSOLICITANTE"},
        {&cdsTBAssunto, "TBASSUNTO", "select * from TBASSUNTO"},
        {&cdsTBAssunto_Documentos, "TBASSUNTO_DOCUMENTOS", "select * from TBAssunto_Documentos"},
        {&cdsTBSetor, "TBSETOR", "select * from TBSETOR"},
        {&cdsTBResponsavelPorSetor, "TBRESPONSAVEISPORSETOR", "select * from TBRESPONSAVEISPORSETOR"},
        {&cdsTBMovimentacao, "TBMOVIMENTACAO", "select * from TBMOVIMENTACAO"},
    };
    for (const Chain &c : chains) {
        c.set->setConnection(&dm.MDatabasePrincipal);
        c.set->declareTable(unitTable(c.table));
        c.set->setCommandText(QString::fromLatin1(c.statement));
    }

    cdsTBProtocolo.addLookupField(FieldDef::lookupField(
        QStringLiteral("ASSUNTONOME"), QStringLiteral("Assunto"), 45, 80,
        {&cdsTBAssunto, QStringLiteral("ASSUNTO"), QStringLiteral("IDASSUNTO"), QStringLiteral("DESCRICAO")}));
    cdsTBProtocolo.addLookupField(FieldDef::lookupField(
        QStringLiteral("SOLICITANTENOME"), QStringLiteral("Solicitante"), 30, 80,
        {&cdsTBSolicitante, QStringLiteral("SOLICITANTE"), QStringLiteral("IDSOLICITANTE"), QStringLiteral("NOME")}));
    cdsTBMovimentacao.addLookupField(FieldDef::lookupField(
        QStringLiteral("SETORNOME"), QStringLiteral("Setor"), 40, 50,
        {&cdsTBSetor, QStringLiteral("SETOR"), QStringLiteral("IDSETOR"), QStringLiteral("NOME")}));
    cdsTBMovimentacao.addLookupField(FieldDef::lookupField(
        QStringLiteral("RESPNOME"), QStringLiteral("Responsável"), 33, 40,
        {&cdsTBResponsavelPorSetor, QStringLiteral("RESPONSAVEL"), QStringLiteral("IDRESPONSAVEL"),
         QStringLiteral("NOME")}));

    struct Query {
        RecordSet *set;
        const char *statement;
    };
    const Query queries[] = {
        {&SQLIdProtocolo, "select IDPROTOCOLO from TBPROTOCOLO order by IDPROTOCOLO DESC"},
        {&SQLIdDocumentos, "select IDDOCUMENTO from TBDOCUMENTOS order by IDDOCUMENTO DESC"},
        {&SQLIDMovimentacao, "select IDMOVIMENTACAO from TBMOVIMENTACAO ORDER BY  IDMOVIMENTACAO DESC"},
        {&SQLIDAssuntoDocumento,
         "select IDASSUNTO_DOCUMENTO from TBASSUNTO_DOCUMENTOS ORDER BY IDASSUNTO_DOCUMENTO DESC"},
        {&SQLIdSolicitante, "select IDSOLICITANTE from TBSOLICITANTE order by IDSOLICITANTE  DESC"},
        {&SQLIdAssunto, "select IDASSUNTO from TBASSUNTO order by IDASSUNTO DESC"},
        {&SQLIdSetor, "select IDSETOR from TBSETOR ORDER BY IDSETOR  DESC"},
        {&SQLIDReponsavelPeloSetor, "select IDRESPONSAVEL from TBRESPONSAVEISPORSETOR ORDER BY IDRESPONSAVEL  DESC"},
        {&SQLDocumentos_Paginas, "select SUM(PAGINA) as TOTAL from TBDOCUMENTOS"},
        {&sCONSULTA, ""},
    };
    for (const Query &q : queries) {
        q.set->setConnection(&dm.MDatabasePrincipal);
        q.set->setCommandText(QString::fromLatin1(q.statement));
        q.set->setFetchLimit(1);
    }
    sCONSULTA.setFetchLimit(0);

    if (!UDMCadastro)
        UDMCadastro = this;
}

TUDMCadastro::~TUDMCadastro() {
    closeAll();
    if (UDMCadastro == this)
        UDMCadastro = nullptr;
}

void TUDMCadastro::closeAll() {
    for (RecordSet *s : {&cdsTBEntidade, &cdsTBProtocolo, &cdsTBDocumentos, &cdsTBSolicitante, &cdsTBAssunto,
                         &cdsTBAssunto_Documentos, &cdsTBSetor, &cdsTBResponsavelPorSetor, &cdsTBMovimentacao,
                         &SQLIdProtocolo, &SQLIdDocumentos, &SQLIDMovimentacao, &SQLIDAssuntoDocumento,
                         &SQLIdSolicitante, &SQLIdAssunto, &SQLIdSetor, &SQLIDReponsavelPeloSetor,
                         &SQLDocumentos_Paginas, &sCONSULTA})
        s->close();
}

qint64 TUDMCadastro::highestKey(RecordSet &query, const QString &keyField, const QString &sql,
                                const QVariantList &params) {
    query.close();
    query.setCommandText(sql, params);
    query.open();
    // Ordered descending: the first row holds the highest key; none gives 0.
    // "first 1" keeps a server from sending rows ahead that nobody reads.
    const qint64 highest = query.isEmpty() ? 0 : query.field(keyField).asInteger();
    query.close();
    return highest;
}

QString TUDMCadastro::NextProtocolNumber(const QString &year) {
    const qint64 next = highestKey(
        SQLIdProtocolo, QStringLiteral("IDPROTOCOLO"), QStringLiteral("select first 1 IDPROTOCOLO from TBPROTOCOLO where ANO = ? order by IDPROTOCOLO DESC"),
        {year}) + 1;
    if (next > 99999)
        throw DatabaseError(QStringLiteral("O ano %1 já tem 99999 protocolos; não há número livre para um novo.").arg(year));
    return QString::number(next).rightJustified(5, QLatin1Char('0'));
}

int TUDMCadastro::NextDocumentNumber(const QString &protocolNumber, const QString &year) {
    return int(highestKey(SQLIdDocumentos, QStringLiteral("IDDOCUMENTO"),
                          QStringLiteral("select first 1 IDDOCUMENTO from TBDOCUMENTOS where IDPROTOCOLO = ? and ANO = ? "
                                         "order by IDDOCUMENTO DESC"),
                          {protocolNumber, year}) + 1);
}

int TUDMCadastro::NextMovementNumber(const QString &protocolNumber, const QString &year) {
    return int(highestKey(SQLIDMovimentacao, QStringLiteral("IDMOVIMENTACAO"),
                          QStringLiteral("select first 1 IDMOVIMENTACAO from TBMOVIMENTACAO where IDPROTOCOLO = ? and ANO = ? "
                                         "order by IDMOVIMENTACAO DESC"),
                          {protocolNumber, year}) + 1);
}

int TUDMCadastro::NextSubjectDocumentNumber(int subjectCode) {
    // The subject's code goes in as text, as the numbering statement has it.
    return int(highestKey(SQLIDAssuntoDocumento, QStringLiteral("IDASSUNTO_DOCUMENTO"),
                          QStringLiteral("select first 1 IDASSUNTO_DOCUMENTO from TBASSUNTO_DOCUMENTOS where IDASSUNTO = ? "
                                         "ORDER BY IDASSUNTO_DOCUMENTO DESC"),
                          {QString::number(subjectCode)}) + 1);
}

int TUDMCadastro::NextRequesterCode() {
    return int(highestKey(SQLIdSolicitante, QStringLiteral("IDSOLICITANTE"),
                          QStringLiteral("select first 1 IDSOLICITANTE from TBSOLICITANTE order by IDSOLICITANTE  DESC"), {}) + 1);
}

int TUDMCadastro::NextSubjectCode() {
    return int(highestKey(SQLIdAssunto, QStringLiteral("IDASSUNTO"), QStringLiteral("select first 1 IDASSUNTO from TBASSUNTO order by IDASSUNTO DESC"), {}) + 1);
}

int TUDMCadastro::NextSectorCode() {
    return int(highestKey(SQLIdSetor, QStringLiteral("IDSETOR"), QStringLiteral("select first 1 IDSETOR from TBSETOR ORDER BY IDSETOR  DESC"), {}) + 1);
}

int TUDMCadastro::NextResponsibleCode() {
    return int(highestKey(SQLIDReponsavelPeloSetor, QStringLiteral("IDRESPONSAVEL"),
                          QStringLiteral("SELECT FIRST 1 * FROM TBRESPONSAVEISPORSETOR ORDER BY IDRESPONSAVEL DESC"), {}) + 1);
}

qint64 TUDMCadastro::ProtocolPageTotal(const QString &protocolNumber, const QString &year) {
    SQLDocumentos_Paginas.close();
    SQLDocumentos_Paginas.setCommandText(
        QStringLiteral("select SUM(PAGINA) as TOTAL from TBDOCUMENTOS where IDPROTOCOLO = ? and ANO = ?"),
        {protocolNumber, year});
    SQLDocumentos_Paginas.open();
    const qint64 total = SQLDocumentos_Paginas.field(QStringLiteral("TOTAL")).asInteger();
    SQLDocumentos_Paginas.close();
    return total;
}

}  // namespace kalvero
