#pragma once

#include "../records/DataSource.h"
#include "../records/RecordSet.h"

#include <QObject>

namespace kalvero {

class TDM;

// The registry data module: one cached record set per unit table, each with
// the data source that screens bind to, and the queries that allocate keys.
//
// The statement and the provider of each chain live inside its record set:
// setCommandText replaces the statement, and applyUpdates is the provider
// turning pending changes into INSERT, UPDATE and DELETE.
class TUDMCadastro : public QObject {
    Q_OBJECT
public:
    explicit TUDMCadastro(TDM &dm, QObject *parent = nullptr);
    ~TUDMCadastro() override;

    RecordSet cdsTBEntidade;
    RecordSet cdsTBProtocolo;
    RecordSet cdsTBDocumentos;
    RecordSet cdsTBSolicitante;
    RecordSet cdsTBAssunto;
    RecordSet cdsTBAssunto_Documentos;
    RecordSet cdsTBSetor;
    RecordSet cdsTBResponsavelPorSetor;
    RecordSet cdsTBMovimentacao;
    // Every responsible person, for the names of the movement history: the
    // list above holds only the sector's while a movement is entered.
    RecordSet cdsResponsaveisDoHistorico;

    DataSource dsTBEntidade;
    DataSource dsTBProtocolo;
    DataSource dsTBDocumentos;
    DataSource dsTBSolicitante;
    DataSource dsTBAssunto;
    DataSource dsTBAssunto_Documentos;
    DataSource dsTBSetor;
    DataSource dsTBResponsavelPorSetor;
    DataSource dsTBMovimentacao;

    // Key queries: result rows only, never written through; each reads the
    // one row it needs.
    RecordSet SQLIdProtocolo;
    RecordSet SQLIdDocumentos;
    RecordSet SQLIDMovimentacao;
    RecordSet SQLIDAssuntoDocumento;
    RecordSet SQLIdSolicitante;
    RecordSet SQLIdAssunto;
    RecordSet SQLIdSetor;
    RecordSet SQLIDReponsavelPeloSetor;
    RecordSet SQLDocumentos_Paginas;
    RecordSet sCONSULTA;

    // Highest existing key of the scope plus one, read from the database now.
    QString NextProtocolNumber(const QString &year);  // "00001" for a new year
    int NextDocumentNumber(const QString &protocolNumber, const QString &year);
    int NextMovementNumber(const QString &protocolNumber, const QString &year);
    int NextSubjectDocumentNumber(int subjectCode);
    int NextRequesterCode();
    int NextSubjectCode();
    int NextSectorCode();
    int NextResponsibleCode();

    // The sum of the pages of one protocol's documents; 0 without documents.
    qint64 ProtocolPageTotal(const QString &protocolNumber, const QString &year);

    // Closes every record set (a screen that ends leaves nothing open).
    void closeAll();

    // The connection module the record sets read through, with its free query.
    TDM &connectionModule() const { return m_dm; }

private:
    TDM &m_dm;
    qint64 highestKey(RecordSet &query, const QString &keyField, const QString &sql, const QVariantList &params);
};

extern TUDMCadastro *UDMCadastro;

}  // namespace kalvero
