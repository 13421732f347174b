#pragma once

#include "ConsultationInput.h"
#include "WorkUnitList.h"

#include <QDate>
#include <QTime>
#include <QVariant>
#include <QHash>
#include <QVector>

#include <memory>
#include <mutex>

namespace kalvero {

// One protocol found, with where it is now: the sector and person of its
// latest delivered movement, or the reception when it has none.
struct ProtocolFound {
    QString number;
    QString year;
    QDate entry;
    QString status;  // ProtocolStatus code
    QString requester;
    QString cpf;
    QString cnpj;
    QString subject;
    QDate lastMovement;  // invalid: still at the reception
    QString sector;
    QString person;

    bool atReception() const { return !lastMovement.isValid(); }
    // "OBRAS - PEDRO", or "na recepção".
    QString whereNow() const;
    int daysSinceEntry(const QDate &today) const;
    // -1 without a movement.
    int daysSinceMovement(const QDate &today) const;
};

// What one unit answered: its protocols, or why its database could not be
// searched.
struct UnitAnswer {
    WorkUnit unit;
    QString failure;  // empty when the unit answered
    QVector<ProtocolFound> protocols;
    bool more = false;  // more protocols than a list shows: the search should be narrower
};

struct ConsultationAnswer {
    QString failure;  // the list of units could not be read
    QVector<UnitAnswer> units;
    int protocolCount() const;
};

// A protocol's documents and its whole path, newest delivery first.
struct ProtocolDetail {
    struct Document {
        int code = 0;
        QString name;
        QVariant pages;
    };
    struct Step {
        int code = 0;
        QDate date;
        QTime time;
        QString sector;
        QString person;
        QString situation;  // MovementSituation code
        QString remarks;
        bool cancelled() const;
    };
    QVector<Document> documents;
    QVector<Step> path;
};

class Connection;

// The connections of one consultation screen to the units' databases, kept
// between searches so that a search does not attach afresh each time. A
// connection serves one search at a time; the thread that holds it may be
// any.
class UnitConnections {
public:
    UnitConnections();
    ~UnitConnections();
    UnitConnections(const UnitConnections &) = delete;
    UnitConnections &operator=(const UnitConnections &) = delete;

    struct Slot {
        std::mutex busy;
        std::unique_ptr<Connection> connection;
    };
    Slot &slotFor(const QString &databaseName);

private:
    std::mutex m_lock;
    QHash<QString, std::shared_ptr<Slot>> m_slots;
};

// The searches of "Consulta de Protocolos", without widgets. Every unit is
// read on a connection of its own with read-only transactions: the
// consultation never writes. Without kept connections, each search attaches
// for itself and lets go afterwards.
namespace ConsultationStore {

// The statement of a search and its values; empty for a form that is not
// searched.
QPair<QString, QVariantList> statementOf(const ConsultationInput &input);

// One unit; a database that cannot be opened or read gives its failure in
// words for the desk instead of protocols (and its kept connection is let
// go, so that the next search attaches afresh).
UnitAnswer searchUnit(const WorkUnit &unit, const ConsultationInput &input, UnitConnections *kept = nullptr);
// The units side by side, one thread and one connection each; the answers
// in the order of the units.
QVector<UnitAnswer> searchUnits(const QVector<WorkUnit> &units, const ConsultationInput &input,
                                UnitConnections *kept = nullptr);
// Every unit of the access database.
ConsultationAnswer searchAll(const QString &serverAddress, const QString &programFolder,
                             const ConsultationInput &input, UnitConnections *kept = nullptr);

ProtocolDetail detailOf(const QString &unitDatabaseName, const QString &number, const QString &year);

}  // namespace ConsultationStore

}  // namespace kalvero
