#include "NumberedSave.h"

#include "EnteredRow.h"
#include "RecordSet.h"
#include "WriteTransaction.h"
#include "../firebird/Connection.h"
#include "../firebird/FirebirdError.h"

#include <QElapsedTimer>

namespace kalvero {

namespace {

// Each row of TBNUMERACAO is the turn of the scopes that hash to it; a save
// holds it from its first statement to its commit.
const QString TakeTurn = QStringLiteral("update TBNUMERACAO set GRAVACOES = GRAVACOES + 1 where IDNUMERACAO = ?");
const QString AddTurn = QStringLiteral("insert into TBNUMERACAO (IDNUMERACAO, GRAVACOES) values (?, 0)");

// A number found written by a program that numbers without the turn costs a
// round; so does every commit of another desk that this save waited for. Both
// are bounded by time as well (the lock wait), so a scope that stays busy is
// reported, never waited on for ever.
constexpr int MaxRounds = 1000;

enum class Turn {
    Taken,    // this save holds the scope until its commit
    Again,    // the table or the slot's row was just made: take it in a new transaction
    Without,  // no TBNUMERACAO and none can be made: number as older versions did
};

// The scope's turn, taken inside the save's transaction.
Turn takeTurn(WriteTransaction &save, Connection &connection, int slot) {
    try {
        if (save.execute(TakeTurn, {slot}) > 0)
            return Turn::Taken;
    } catch (const DatabaseError &e) {
        if (!e.hasCode(FbCode::TableUnknown))
            throw;
        // A unit not yet upgraded gets the table now; a desk that makes it in
        // the same moment wins. Without the right to make it, uniqueness
        // still settles a collision.
        try {
            connection.execute(NumberedSave::createTableStatement());
        } catch (const DatabaseError &) {
        }
        try {
            connection.prepare(TakeTurn);
        } catch (const DatabaseError &) {
            return Turn::Without;
        }
        return Turn::Again;
    }
    // The first save of a slot makes its row, committed by itself so that the
    // others find it.
    try {
        connection.execute(AddTurn, {slot});
    } catch (const DatabaseError &e) {
        if (!e.isDuplicateKey())
            throw;
    }
    return Turn::Again;
}

DatabaseError scopeBusy(const NumberScope &scope) {
    return DatabaseError(QStringLiteral("%1 %2: outra estação de trabalho está gravando no mesmo momento e não "
                                        "terminou a tempo.")
                             .arg(scope.table, scope.owner),
                         {FbCode::LockTimeout});
}

}  // namespace

QVariant NumberScope::nextAfter(const QVariant &highest) const {
    const qint64 next = (highest.isNull() ? 0 : highest.toLongLong()) + 1;
    if (textWidth == 0)
        return next;
    const QString text = QString::number(next);
    if (text.size() > textWidth)
        throw DatabaseError(whenFull);
    return text.rightJustified(textWidth, QLatin1Char('0'));
}

int NumberedSave::slotOf(const NumberScope &scope) {
    // FNV-1a: the same slot for the same scope in every program and version.
    quint32 hash = 2166136261u;
    const QByteArray key = (scope.table + QChar(0x1f) + scope.owner).toUtf8();
    for (const char c : key) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return int(hash % Slots);
}

QString NumberedSave::createTableStatement() {
    return QStringLiteral(
        "CREATE TABLE TBNUMERACAO (IDNUMERACAO INTEGER NOT NULL, GRAVACOES BIGINT DEFAULT 0 NOT NULL, "
        "CONSTRAINT PK_TBNUMERACAO PRIMARY KEY (IDNUMERACAO))");
}

NumberedSave::Saved NumberedSave::save(const Row &row) {
    RecordSet &set = *row.set;
    Connection &connection = *set.connection();
    const NumberScope &scope = row.scope;
    const auto fill = [&](const QVariant &number) {
        if (row.fill) {
            row.fill(number);
            return;
        }
        if (!set.isEditing())
            set.edit();
        set.field(scope.keyField).setValue(number);
        set.post();
    };
    const auto dropAlongside = [&] {
        for (RecordSet *other : row.alongside)
            if (other->isActive())
                other->cancelUpdates();
    };

    // What was typed, to give back if the save fails. A row still pending from
    // a save in doubt is put back into edit state first.
    if (!set.isEditing() && set.isNewRecord())
        set.edit();
    const EnteredRow typed(set);
    const auto giveBackTyped = [&] {
        dropAlongside();
        typed.restoreAsNew(set);
    };

    Saved saved;
    if (m_inDoubt && m_inDoubt->table == scope.table && m_inDoubt->owner == scope.owner) {
        const QVariant number = m_inDoubt->number;
        try {
            fill(number);
            set.takeWrittenChanges();
        } catch (...) {
            giveBackTyped();
            throw;
        }
        m_inDoubt.reset();
        if (set.changeCount() == 0) {
            // The row and what went with it were one transaction: all there.
            dropAlongside();
            saved.number = number;
            return saved;
        }
        giveBackTyped();  // looked for and not there: it was not written
    }
    m_inDoubt.reset();

    const Connection::WaitLabel label(connection, row.what);
    const int slot = slotOf(scope);
    QElapsedTimer waited;
    waited.start();
    const qint64 budgetMs = qint64(connection.lockWaitSeconds()) * 1000;
    for (int round = 1;; ++round) {
        if (round > MaxRounds || (round > 1 && waited.elapsed() > budgetMs)) {
            giveBackTyped();
            throw scopeBusy(scope);
        }
        QVariant number;
        try {
            WriteTransaction save(connection);
            if (takeTurn(save, connection, slot) == Turn::Again)
                continue;
            number = scope.nextAfter(save.firstValue(scope.highestStatement, scope.params, scope.keyField));
            fill(number);
            set.applyUpdates(save);
            for (RecordSet *other : row.alongside)
                if (other->isActive())
                    other->applyUpdates(save);
            save.commit();
            saved.number = number;
            return saved;
        } catch (const DatabaseError &e) {
            if (e.isUpdateConflict() && !e.isLockWaitOver()) {
                // Another desk committed in this scope while this one waited
                // for its turn: its number is written now, so read again.
                ++saved.turnsWaited;
                giveBackTyped();
                continue;
            }
            if (e.isDuplicateKey()) {
                ++saved.numbersTaken;
                giveBackTyped();
                continue;
            }
            if (e.save() == DatabaseError::Save::InDoubt)
                m_inDoubt = InDoubt{scope.table, scope.owner, number};
            giveBackTyped();
            throw;
        } catch (...) {
            giveBackTyped();
            throw;
        }
    }
}

}  // namespace kalvero
