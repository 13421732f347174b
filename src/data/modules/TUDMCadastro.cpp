#include "TUDMCadastro.h"

#include "TDM.h"
#include "UnitNumbering.h"
#include "UnitStatements.h"
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
      cdsResponsaveisDoHistorico(QStringLiteral("cdsResponsaveisDoHistorico")),
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
      sCONSULTA(QStringLiteral("sCONSULTA")),
      m_dm(dm) {
    setObjectName(QStringLiteral("UDMCadastro"));

    struct Chain {
        RecordSet *set;
        const char *table;
        QString statement;
    };
    const Chain chains[] = {
        {&cdsTBEntidade, "TBENTIDADE", EntityStatements::standing()},
        {&cdsTBProtocolo, "TBPROTOCOLO", ProtocolStatements::standing()},
        {&cdsTBDocumentos, "TBDOCUMENTOS", DocumentStatements::standing()},
        {&cdsTBSolicitante, "TBSOLICITANTE", RequesterStatements::standing()},
        {&cdsTBAssunto, "TBASSUNTO", SubjectStatements::standing()},
        {&cdsTBAssunto_Documentos, "TBASSUNTO_DOCUMENTOS", SubjectDocumentStatements::standing()},
        {&cdsTBSetor, "TBSETOR", SectorStatements::standing()},
        {&cdsTBResponsavelPorSetor, "TBRESPONSAVEISPORSETOR", ResponsibleStatements::standing()},
        {&cdsTBMovimentacao, "TBMOVIMENTACAO", MovementStatements::standing()},
        {&cdsResponsaveisDoHistorico, "TBRESPONSAVEISPORSETOR", ResponsibleStatements::orderedByCode()},
    };
    for (const Chain &c : chains) {
        c.set->setConnection(&dm.MDatabasePrincipal);
        c.set->declareTable(unitTable(c.table));
        c.set->setCommandText(c.statement);
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
        {&cdsResponsaveisDoHistorico, QStringLiteral("RESPONSAVEL"), QStringLiteral("IDRESPONSAVEL"),
         QStringLiteral("NOME")}));

    struct Query {
        RecordSet *set;
        QString statement;
    };
    const Query queries[] = {
        {&SQLIdProtocolo, ProtocolStatements::highestNumber()},
        {&SQLIdDocumentos, DocumentStatements::highestNumber()},
        {&SQLIDMovimentacao, MovementStatements::highestNumber()},
        {&SQLIDAssuntoDocumento, SubjectDocumentStatements::highestNumber()},
        {&SQLIdSolicitante, RequesterStatements::highestCode()},
        {&SQLIdAssunto, SubjectStatements::highestCode()},
        {&SQLIdSetor, SectorStatements::highestCode()},
        {&SQLIDReponsavelPeloSetor, ResponsibleStatements::highestCode()},
        {&SQLDocumentos_Paginas, DocumentStatements::pageTotal()},
        {&sCONSULTA, QString()},
    };
    for (const Query &q : queries) {
        q.set->setConnection(&dm.MDatabasePrincipal);
        q.set->setCommandText(q.statement);
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
    query.openWith(firstRowOnly(sql), params);
    // Ordered descending: the first row holds the highest key; none gives 0.
    const qint64 highest = query.isEmpty() ? 0 : query.field(keyField).asInteger();
    query.close();
    return highest;
}

QString TUDMCadastro::NextProtocolNumber(const QString &year) {
    // The same rule as a first save's (UnitNumbering): padded to five digits, never past 99999.
    const qint64 highest =
        highestKey(SQLIdProtocolo, QStringLiteral("IDPROTOCOLO"), ProtocolStatements::highestNumberOfYear(), {year});
    return UnitNumbering::protocolsOfYear(year).nextAfter(highest).toString();
}

int TUDMCadastro::NextDocumentNumber(const QString &protocolNumber, const QString &year) {
    return int(highestKey(SQLIdDocumentos, QStringLiteral("IDDOCUMENTO"), DocumentStatements::highestNumberOfProtocol(),
                          {protocolNumber, year}) + 1);
}

int TUDMCadastro::NextMovementNumber(const QString &protocolNumber, const QString &year) {
    return int(highestKey(SQLIDMovimentacao, QStringLiteral("IDMOVIMENTACAO"),
                          MovementStatements::highestNumberOfProtocol(), {protocolNumber, year}) + 1);
}

int TUDMCadastro::NextSubjectDocumentNumber(int subjectCode) {
    // The subject's code goes in as text, as the numbering statement has it.
    return int(highestKey(SQLIDAssuntoDocumento, QStringLiteral("IDASSUNTO_DOCUMENTO"),
                          SubjectDocumentStatements::highestNumberOfSubject(), {QString::number(subjectCode)}) + 1);
}

int TUDMCadastro::NextRequesterCode() {
    return int(highestKey(SQLIdSolicitante, QStringLiteral("IDSOLICITANTE"), RequesterStatements::highestCode(), {}) + 1);
}

int TUDMCadastro::NextSubjectCode() {
    return int(highestKey(SQLIdAssunto, QStringLiteral("IDASSUNTO"), SubjectStatements::highestCode(), {}) + 1);
}

int TUDMCadastro::NextSectorCode() {
    return int(highestKey(SQLIdSetor, QStringLiteral("IDSETOR"), SectorStatements::highestCode(), {}) + 1);
}

int TUDMCadastro::NextResponsibleCode() {
    return int(highestKey(SQLIDReponsavelPeloSetor, QStringLiteral("IDRESPONSAVEL"),
                          ResponsibleStatements::highestCodeRows(), {}) + 1);
}

qint64 TUDMCadastro::ProtocolPageTotal(const QString &protocolNumber, const QString &year) {
    SQLDocumentos_Paginas.openWith(DocumentStatements::pageTotalOfProtocol(), {protocolNumber, year});
    const qint64 total = SQLDocumentos_Paginas.field(QStringLiteral("TOTAL")).asInteger();
    SQLDocumentos_Paginas.close();
    return total;
}

}  // namespace kalvero
