#include "ProtocolStore.h"

#include "CancellationTrailer.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "data/Failure.h"
#include "data/NotReadAgain.h"
#include "data/firebird/FirebirdError.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitNumbering.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "registries/RecordWrite.h"

namespace kalvero {

namespace {

const QString IdProtocolo = QStringLiteral("IDPROTOCOLO");
const QString Ano = QStringLiteral("ANO");
const QString IdDocumento = QStringLiteral("IDDOCUMENTO");

constexpr int DescriptionLength = 500;  // TBPROTOCOLO.DESCRICAO

}  // namespace

ProtocolStore::ProtocolStore(TUDMCadastro &data) : m_data(data) {}

RecordSet &ProtocolStore::protocols() const { return m_data.cdsTBProtocolo; }
RecordSet &ProtocolStore::documents() const { return m_data.cdsTBDocumentos; }

void ProtocolStore::openLists(const ProtocolListQuery &first) {
    m_data.cdsTBSolicitante.openWith(RequesterStatements::orderedByName());
    m_data.cdsTBAssunto.openWith(SubjectStatements::orderedByDescription());
    loadList(first);
}

void ProtocolStore::loadList(const ProtocolListQuery &query) {
    protocols().openWith(query.statement(), query.params());
    m_query = query;
}

void ProtocolStore::refreshList() { loadList(m_query); }

bool ProtocolStore::findInList(const QString &number5, const QString &year4) {
    if (!protocols().isActive())
        return false;
    return protocols().locate(QStringLiteral("IDPROTOCOLO;ANO"), {number5, year4});
}

void ProtocolStore::startNew() {
    RecordSet &p = protocols();
    if (!p.isActive())
        loadList(m_query);
    p.cancel();
    p.insert();
    // The year of this moment: a protocol begun on 31 December keeps it.
    p.field(Ano).setAsString(DateText::year(DateText::fromDate(Clock::today())));
    documents().openWith(DocumentStatements::ofProtocol(), {QStringLiteral("0"), QStringLiteral("0")});
}

QStringList ProtocolStore::requiredDocumentNames(int subjectCode) {
    RecordSet &required = m_data.cdsTBAssunto_Documentos;
    required.openWith(SubjectDocumentStatements::ofSubject(), {subjectCode});
    QStringList names;
    for (required.first(); !required.eof(); required.next())
        names << required.field(QStringLiteral("NOMEDOCUMENTO")).asString();
    required.close();
    return names;
}

void ProtocolStore::fillNew(const QString &number, const QString &year, const QDate &entryDate, int status,
                            const QStringList &documentsToAdd) {
    RecordSet &p = protocols();
    RecordSet &d = documents();
    p.edit();
    p.field(IdProtocolo).setAsString(number);
    p.field(QStringLiteral("DATADEENTRADA")).setValue(entryDate);
    p.field(QStringLiteral("STATUS")).setAsString(QString::number(status));
    p.post();

    d.cancelUpdates();
    for (int i = 0; i < documentsToAdd.size(); ++i) {
        d.append();
        d.field(IdDocumento).setAsInteger(i + 1);
        d.field(IdProtocolo).setAsString(number);
        d.field(Ano).setAsString(year);
        d.field(QStringLiteral("NOMEDOCUMENTO")).setAsString(documentsToAdd.at(i));
        d.field(QStringLiteral("PAGINA")).setAsInteger(1);
        d.post();
    }
}

ProtocolStore::FirstSave ProtocolStore::saveFirst(const QDate &entryDate, int status,
                                                  const QStringList &documentsToAdd) {
    RecordSet &p = protocols();
    RecordSet &d = documents();
    if (!p.isNewRecord())
        throw Failure(QStringLiteral("Não há protocolo novo para gravar."));
    const QString year = p.field(Ano).asString();
    if (!d.isActive())
        d.openWith(DocumentStatements::ofProtocol(), {QStringLiteral("0"), QStringLiteral("0")});
    d.cancelUpdates();

    // The protocol and its documents are one transaction: all or nothing.
    const NumberedSave::Saved written = m_firstSave.save(
        {&p, UnitNumbering::protocolsOfYear(year),
         [&](const QVariant &number) { fillNew(number.toString(), year, entryDate, status, documentsToAdd); },
         {&d}, QStringLiteral("Gravando o protocolo")});
    FirstSave saved;
    saved.number = written.number.toString();
    saved.retries = written.turnsWaited + written.numbersTaken;

    // The protocol and its documents are written: from here on nothing may
    // report the save as failed, or a second press would write the protocol
    // again under the next number. A list that cannot be read now (the
    // connection lost right after the commit) is read again when the
    // protocol is next opened.
    p.edit();
    try {
        d.openWith(DocumentStatements::ofProtocol(), {saved.number, year});
    } catch (const Failure &) {
    }
    return saved;
}

void ProtocolStore::saveChanges(const QDate &entryDate, int status) {
    RecordSet &p = protocols();
    p.edit();
    p.field(QStringLiteral("DATADEENTRADA")).setValue(entryDate);
    p.field(QStringLiteral("STATUS")).setAsString(QString::number(status));
    postAndApply(p);
}

void ProtocolStore::loadDocuments() {
    documents().openWith(DocumentStatements::ofProtocol(),
           {protocols().field(IdProtocolo).asString(), protocols().field(Ano).asString()});
}

void ProtocolStore::startDocument() {
    RecordSet &d = documents();
    d.cancel();
    d.append();
    d.field(IdProtocolo).setAsString(protocols().field(IdProtocolo).asString());
    d.field(Ano).setAsString(protocols().field(Ano).asString());
}

void ProtocolStore::editDocument() {
    // Without a document there is nothing to change.
    if (documents().isActive() && !documents().isEmpty())
        documents().edit();
}

void ProtocolStore::saveDocument() {
    RecordSet &d = documents();
    if (d.state() != RecordSet::State::Insert) {
        if (d.state() == RecordSet::State::Edit)
            postAndApply(d);
        return;
    }
    const QString number = d.field(IdProtocolo).asString();
    const QString year = d.field(Ano).asString();
    try {
        m_documentSave.save({&d, UnitNumbering::documentsOf(number, year), {}, {}, QStringLiteral("Gravando o documento")});
    } catch (const DatabaseError &e) {
        // Held by another desk past the wait: the entry stays as typed, to
        // be saved again. Otherwise the new document is not kept.
        if (!e.isLockWaitOver())
            d.cancelUpdates();
        throw;
    } catch (const Failure &) {
        d.cancelUpdates();
        throw;
    }
}

void ProtocolStore::cancelDocument() {
    if (documents().isActive())
        documents().cancel();
}

void ProtocolStore::removeCurrentDocument() {
    RecordSet &d = documents();
    if (!d.isActive() || d.isEmpty())
        return;
    try {
        d.deleteRecord();
        d.applyUpdates();
    } catch (const Failure &) {
        d.cancelUpdates();
        throw;
    }
    d.close();
    d.open();
}

qint64 ProtocolStore::pageTotal() {
    return m_data.ProtocolPageTotal(protocols().field(IdProtocolo).asString(), protocols().field(Ano).asString());
}

int ProtocolStore::documentCount() const { return documents().isActive() ? documents().recordCount() : 0; }

QString ProtocolStore::withCancellationTrailer(const QString &description, const QString &reason,
                                               const QDate &today) {
    return CancellationTrailer::appendTo(description, CancellationTrailer::ProtocolCancelled, reason, today,
                                        DescriptionLength);
}

void ProtocolStore::cancelCurrent(const QString &reason) {
    RecordSet &p = protocols();
    if (!p.isActive() || p.isEmpty())
        return;
    const QString key = p.field(IdProtocolo).asString() + p.field(Ano).asString();
    if (p.field(QStringLiteral("STATUS")).asString() != QLatin1String("0"))
        throw Failure(QStringLiteral("O protocolo de Nº") + key + QStringLiteral(" já foi cancelado!"));
    try {
        p.edit();
        const QString description = p.field(QStringLiteral("DESCRICAO")).asString();
        p.field(QStringLiteral("DESCRICAO")).setAsString(withCancellationTrailer(description, reason, Clock::today()));
        p.field(QStringLiteral("STATUS")).setAsString(QStringLiteral("1"));
        p.post();
        p.applyUpdates();
    } catch (const Failure &) {
        // The protocol stays as it was read.
        p.cancelUpdates();
        throw;
    }
    // Cancelled: a list that cannot be read now says so, and shows the
    // cancellation when it is next read.
    try {
        refreshList();
    } catch (const std::exception &reading) {
        throw NotReadAgain(reading);
    }
}

}  // namespace kalvero
