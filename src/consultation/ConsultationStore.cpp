#include "ConsultationStore.h"

#include "data/firebird/Connection.h"
#include "data/firebird/FailureWords.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "data/schema/UnitSchema.h"

#include <QThreadPool>

#include <latch>

namespace kalvero {

namespace {

using Kind = ConsultationInput::Kind;

}  // namespace

QPair<QString, QVariantList> ConsultationStore::statementOf(const ConsultationInput &input) {
    using namespace ConsultationStatements;
    auto byRequester = [](const QString &condition) { return selectByRequester() + condition + newestFirst(); };
    switch (input.kind) {
    case Kind::Key: return {selectByProtocol() + numberAndYear() + newestFirst(), {input.number, input.year}};
    case Kind::Cpf: return {byRequester(cpfIs()), {input.digits}};
    case Kind::Cnpj: return {byRequester(cnpjIs()), {input.digits}};
    case Kind::Name: return {byRequester(nameContaining()), {input.nameSearched()}};
    default: return {};
    }
}

namespace {

// The threads that search the units, kept between searches. Each unit has
// one of its own, however many cores there are: a unit whose server does
// not answer must not hold up the others.
QThreadPool &searchThreads() {
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(64);
        p->setExpiryTimeout(60000);
        return p;
    }();
    return *pool;
}

QString text(RecordSet &set, const QString &field) { return set.field(field).asString(); }

ProtocolFound readProtocol(RecordSet &set) {
    ProtocolFound p;
    p.number = text(set, QStringLiteral("IDPROTOCOLO"));
    p.year = text(set, QStringLiteral("ANO"));
    p.entry = set.field(QStringLiteral("DATADEENTRADA")).value().toDate();
    p.status = text(set, QStringLiteral("STATUS"));
    p.requester = text(set, QStringLiteral("SOLICITANTE"));
    p.cpf = text(set, QStringLiteral("CPF"));
    p.cnpj = text(set, QStringLiteral("CNPJ"));
    p.subject = text(set, QStringLiteral("ASSUNTO"));
    p.lastMovement = set.field(QStringLiteral("DATAMOV")).value().toDate();
    p.sector = text(set, QStringLiteral("SETOR"));
    p.person = text(set, QStringLiteral("RESPONSAVEL"));
    return p;
}

}  // namespace

QString ProtocolFound::whereNow() const {
    if (atReception())
        return QStringLiteral("na recepção");
    return person.isEmpty() ? sector : sector + QStringLiteral(" - ") + person;
}

int ProtocolFound::daysSinceEntry(const QDate &today) const {
    return entry.isValid() ? int(entry.daysTo(today)) : -1;
}

int ProtocolFound::daysSinceMovement(const QDate &today) const {
    return atReception() ? -1 : int(lastMovement.daysTo(today));
}

int ConsultationAnswer::protocolCount() const {
    int count = 0;
    for (const UnitAnswer &u : units)
        count += u.protocols.size();
    return count;
}

bool ProtocolDetail::Step::cancelled() const { return situation != MovementSituation::Delivered; }

UnitConnections::UnitConnections() = default;

UnitConnections::~UnitConnections() {
    for (const std::shared_ptr<Slot> &slot : std::as_const(m_slots)) {
        try {
            if (slot->connection)
                slot->connection->close();
        } catch (const std::exception &) {
            // A server gone meanwhile: nothing to let go of.
        }
    }
}

UnitConnections::Slot &UnitConnections::slotFor(const QString &databaseName) {
    std::lock_guard guard(m_lock);
    std::shared_ptr<Slot> &slot = m_slots[databaseName];
    if (!slot) {
        slot = std::make_shared<Slot>();
        slot->connection = std::make_unique<Connection>();
        slot->connection->setDatabaseName(databaseName);
    }
    return *slot;
}

namespace ConsultationStore {

UnitAnswer searchUnit(const WorkUnit &unit, const ConsultationInput &input, UnitConnections *kept) {
    UnitAnswer answer;
    answer.unit = unit;
    const auto [statement, values] = statementOf(input);
    if (statement.isEmpty())
        return answer;
    Connection own;
    std::unique_lock<std::mutex> busy;
    Connection *connection = &own;
    if (kept) {
        UnitConnections::Slot &slot = kept->slotFor(unit.databaseName);
        busy = std::unique_lock(slot.busy);
        connection = slot.connection.get();
    } else {
        own.setDatabaseName(unit.databaseName);
    }
    try {
        RecordSet found(QStringLiteral("SQLConsulta"));
        found.setConnection(connection);
        connection->reviveIfLost();
        found.openWith(statement, values);
        for (found.first(); !found.eof(); found.next()) {
            if (answer.protocols.size() == ConsultationStatements::SearchLimit) {
                answer.more = true;
                break;
            }
            answer.protocols << readProtocol(found);
        }
        found.close();
        if (!kept)
            own.close();
    } catch (const std::exception &failure) {
        answer.protocols.clear();
        answer.failure = FailureWords::of(failure).text;
        connection->dropAttachment();
    }
    return answer;
}

QVector<UnitAnswer> searchUnits(const QVector<WorkUnit> &units, const ConsultationInput &input,
                                UnitConnections *kept) {
    QVector<UnitAnswer> answers(units.size());
    if (units.size() == 1) {
        answers[0] = searchUnit(units.at(0), input, kept);
        return answers;
    }
    std::latch done(units.size());
    for (qsizetype i = 0; i < units.size(); ++i)
        searchThreads().start([&, i] {
            answers[i] = searchUnit(units.at(i), input, kept);
            done.count_down();
        });
    done.wait();
    return answers;
}

ConsultationAnswer searchAll(const QString &serverAddress, const QString &programFolder,
                             const ConsultationInput &input, UnitConnections *kept) {
    ConsultationAnswer answer;
    QVector<WorkUnit> units;
    UnitConnections::Slot *access =
        kept ? &kept->slotFor(WorkUnitList::accessDatabaseName(serverAddress, programFolder)) : nullptr;
    try {
        std::unique_lock<std::mutex> busy;
        if (access)
            busy = std::unique_lock(access->busy);
        units = WorkUnitList::read(serverAddress, programFolder, access ? access->connection.get() : nullptr);
    } catch (const std::exception &failure) {
        if (access)
            access->connection->dropAttachment();
        answer.failure = QStringLiteral("Não foi possível ler as unidades de trabalho: ") + FailureWords::of(failure).text;
        return answer;
    }
    answer.units = searchUnits(units, input, kept);
    return answer;
}

ProtocolDetail detailOf(const QString &unitDatabaseName, const QString &number, const QString &year) {
    Connection connection;
    connection.setDatabaseName(unitDatabaseName);
    ProtocolDetail detail;
    {
        RecordSet documents(QStringLiteral("SQLDocumentos"));
        documents.setConnection(&connection);
        documents.openWith(DocumentStatements::ofProtocol(), {number, year});
        for (documents.first(); !documents.eof(); documents.next())
            detail.documents << ProtocolDetail::Document{documents.field(QStringLiteral("IDDOCUMENTO")).value().toInt(),
                                                         text(documents, QStringLiteral("NOMEDOCUMENTO")),
                                                         documents.field(QStringLiteral("PAGINA")).value()};
        RecordSet path(QStringLiteral("SQLCaminho"));
        path.setConnection(&connection);
        path.openWith(ConsultationStatements::pathOf(), {number, year});
        for (path.first(); !path.eof(); path.next()) {
            ProtocolDetail::Step step;
            step.code = path.field(QStringLiteral("IDMOVIMENTACAO")).value().toInt();
            step.date = path.field(QStringLiteral("DATA")).value().toDate();
            step.time = path.field(QStringLiteral("HORA")).value().toTime();
            step.sector = text(path, QStringLiteral("SETOR"));
            step.person = text(path, QStringLiteral("RESPONSAVEL"));
            step.situation = text(path, QStringLiteral("SITUACAO"));
            step.remarks = text(path, QStringLiteral("OBSERVACAO"));
            detail.path << step;
        }
    }
    connection.close();
    return detail;
}

}  // namespace ConsultationStore

}  // namespace kalvero
