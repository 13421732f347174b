#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <optional>

namespace kalvero {

class RecordSet;

// Where a new row takes its number: the highest number of its scope plus one
// (the protocols of one year, the documents of one protocol, the whole table
// of requesters...).
struct NumberScope {
    QString table;               // TBPROTOCOLO
    QString owner;               // what the numbers count within ("2026", "00012/2026"); empty: the whole table
    QString keyField;            // the column the number goes into
    QString highestStatement;    // the scope's highest number in the first row of keyField
    QVariantList params;
    int textWidth = 0;           // 0: an integer; else text padded with "0" to this width (and no wider)
    QString whenFull;            // said when a text number would outgrow its width

    // The number after the highest (null: the scope is empty, the first is 1).
    QVariant nextAfter(const QVariant &highest) const;
};

// The one routine by which every numbered row is written: protocols with
// their documents, documents, movements, requesters, subjects, sectors and
// the child lists.
//
// Desks that number in the same scope take their turns: the save first takes
// the scope's row in TBNUMERACAO (an update, held until its commit), then
// reads the highest number, writes the row and what goes with it, and
// commits. A desk that comes meanwhile waits for that commit, at most the
// connection's lock wait, and then reads a number the first one has already
// written; no two desks ever write the same number, none is skipped, and
// nothing waits for the deadlock scan. A program that numbers without the
// turn (an older version) is still caught by the key's uniqueness: the row
// then takes the next number.
//
// A save whose commit was cut off (the connection lost in that moment) is
// in doubt. The next save of the same scope looks for it first, by its
// number and every value as typed: found, it is taken as written instead of
// being written twice.
class NumberedSave {
public:
    struct Row {
        RecordSet *set = nullptr;  // the new row, being inserted (or still pending from a save in doubt)
        NumberScope scope;
        // Puts the number into the row and whatever goes with it, posted. By
        // default the number goes into scope.keyField and the row is posted.
        std::function<void(const QVariant &number)> fill;
        // Sets whose pending changes (filled by fill) are written in the same
        // transaction, all or nothing with the row.
        QList<RecordSet *> alongside;
        // Names the work while the save waits ("Gravando o protocolo").
        QString what;
    };

    struct Saved {
        QVariant number;
        int turnsWaited = 0;   // commits of other desks in the scope that this save waited for
        int numbersTaken = 0;  // numbers found written by a program that numbers without the turn
    };

    // Writes the row under the next number of its scope. On success the row
    // (and the alongside sets) hold what was written, in browse state. On
    // failure nothing is written: the row is back as typed, being inserted,
    // the alongside sets' pending changes are dropped, and the failure is
    // thrown (DatabaseError::isLockWaitOver when another desk held the scope
    // longer than the lock wait).
    Saved save(const Row &row);

    // Whether a save of this object was cut off in its commit and has not
    // been looked for yet.
    bool hasSaveInDoubt() const { return m_inDoubt.has_value(); }

    // The TBNUMERACAO row that serialises a scope (stable across programs and versions).
    static int slotOf(const NumberScope &scope);
    static constexpr int Slots = 4096;
    // The statement that makes TBNUMERACAO, at the schema upgrade.
    static QString createTableStatement();

private:
    struct InDoubt {
        QString table;
        QString owner;
        QVariant number;
    };
    std::optional<InDoubt> m_inDoubt;
};

}  // namespace kalvero
