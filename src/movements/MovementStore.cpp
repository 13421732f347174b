#include "MovementStore.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "data/Failure.h"
#include "data/NotReadAgain.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitNumbering.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "protocols/CancellationTrailer.h"

namespace kalvero {

namespace {

const QString IdMovimentacao = QStringLiteral("IDMOVIMENTACAO");
const QString Situacao = QStringLiteral("SITUACAO");
const QString Observacao = QStringLiteral("OBSERVACAO");

}  // namespace

MovementStore::MovementStore(TUDMCadastro &data) : m_data(data) {}

RecordSet &MovementStore::movements() const { return m_data.cdsTBMovimentacao; }

int MovementStore::movementCount() const { return movements().isActive() ? movements().recordCount() : 0; }

int MovementStore::savedMovementCount() const {
    // At most one movement is new: starting one drops any other.
    return movementCount() - (movements().isActive() && movements().isNewRecord() ? 1 : 0);
}

void MovementStore::openProtocol(const QString &number, const QString &year) {
    m_number = number;
    m_year = year;
    movements().cancel();
    movements().openWith(MovementStatements::ofProtocol(), {number, year});
    loadSectors();
    loadAllResponsibles();
}

void MovementStore::closeProtocol() {
    if (movements().isActive())
        movements().cancelUpdates();
    movements().close();
    m_data.cdsResponsaveisDoHistorico.close();
}

void MovementStore::refresh() { movements().openWith(MovementStatements::ofProtocol(), {m_number, m_year}); }

void MovementStore::loadSectors() { m_data.cdsTBSetor.openWith(SectorStatements::orderedByName()); }

void MovementStore::loadAllResponsibles() {
    m_data.cdsTBResponsavelPorSetor.openWith(ResponsibleStatements::orderedByCode());
    // The history's names, apart: they stay whole while the entry's list
    // holds one sector's persons.
    m_data.cdsResponsaveisDoHistorico.openWith(ResponsibleStatements::orderedByCode());
}

void MovementStore::loadResponsiblesOf(int sectorCode) {
    m_data.cdsTBResponsavelPorSetor.openWith(ResponsibleStatements::ofSector(), {sectorCode});
}

void MovementStore::startNew() {
    RecordSet &m = movements();
    if (!m.isActive())
        throw Failure(QStringLiteral("Nenhum protocolo foi escolhido para a movimentação."));
    m.cancelUpdates();
    m.append();
}

void MovementStore::abandonNew() {
    if (movements().isActive())
        movements().cancelUpdates();
}

MovementStore::Saved MovementStore::save(const QDate &date, const QTime &time, const QString &operatorCode) {
    RecordSet &m = movements();
    if (!m.isActive() || !m.isNewRecord())
        throw Failure(QStringLiteral("Não há movimentação nova para gravar."));
    if (!m.isEditing())
        m.edit();  // still pending from a save that lost its connection
    m.field(QStringLiteral("IDPROTOCOLO")).setAsString(m_number);
    m.field(QStringLiteral("ANO")).setAsString(m_year);
    m.field(Situacao).setAsString(Delivered);
    m.field(QStringLiteral("DATA")).setValue(date);
    m.field(QStringLiteral("HORA")).setValue(time);
    m.field(QStringLiteral("SOPERADOR")).setAsString(operatorCode);
    m.field(QStringLiteral("SDATAMOV")).setValue(Clock::today());
    // Two desks moving the same protocol at once take turns: the second
    // gets the next number instead of losing what was typed.
    Saved saved;
    saved.number = m_newMovementSave
                       .save({&m, UnitNumbering::movementsOf(m_number, m_year), {}, {},
                              QStringLiteral("Gravando a movimentação")})
                       .number.toInt();

    // The movement is written: a list that cannot be read now is read again
    // when the page is next opened.
    try {
        refresh();
        m.locate(IdMovimentacao, saved.number);
    } catch (const Failure &) {
    }
    return saved;
}

QString MovementStore::withCancellationTrailer(const QString &remarks, const QString &reason, const QDate &today) {
    return CancellationTrailer::appendTo(remarks, CancellationTrailer::MovementCancelled, reason, today,
                                        RemarksLength);
}

bool MovementStore::currentIsCancelled() const {
    return movements().field(Situacao).asString() != Delivered;
}

QString MovementStore::currentDateText() const {
    return DateText::fromDate(movements().field(QStringLiteral("DATA")).value().toDate());
}

void MovementStore::cancelCurrent(const QString &reason) {
    RecordSet &m = movements();
    if (!m.isActive() || m.isEmpty())
        return;
    if (currentIsCancelled())
        throw Failure(QStringLiteral("A movimentação do dia ") + currentDateText() + QStringLiteral(" já foi cancelada!"));
    const QVariant number = m.field(IdMovimentacao).value();
    try {
        m.edit();
        m.field(Observacao).setAsString(withCancellationTrailer(m.field(Observacao).asString(), reason, Clock::today()));
        m.field(Situacao).setAsString(Cancelled);
        m.post();
        m.applyUpdates();
    } catch (const Failure &) {
        // The movement stays as it was read.
        m.cancelUpdates();
        throw;
    }
    // Cancelled: a list that cannot be read now says so, and shows the
    // cancellation when it is next read.
    try {
        refresh();
    } catch (const std::exception &reading) {
        throw NotReadAgain(reading);
    }
    m.locate(IdMovimentacao, number);
}

}  // namespace kalvero
