#pragma once

#include "data/records/NumberedSave.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace kalvero {

class RecordSet;
class TUDMCadastro;

// The data steps of one protocol's movement page, without widgets: its
// movements newest first, the sectors and persons that name them, a new
// movement with its number within the protocol, and the cancellation of a
// movement. It works on the registry module's record sets, which the screen
// binds to, so that a process without a window can drive every save.
//
// Failures are thrown as the program's Failure (DatabaseError for what the
// database refused); the screen chooses the message.
class MovementStore {
public:
    static constexpr int RemarksLength = 500;  // TBMOVIMENTACAO.OBSERVACAO
    static inline const QString Delivered = QStringLiteral("0");
    static inline const QString Cancelled = QStringLiteral("1");

    explicit MovementStore(TUDMCadastro &data);

    // The protocol's movements, newest delivery first, with every sector
    // and person so that each movement shows its names.
    void openProtocol(const QString &number, const QString &year);
    // Drops a movement being entered and closes the list.
    void closeProtocol();
    void refresh();
    const QString &number() const { return m_number; }
    const QString &year() const { return m_year; }

    void loadSectors();
    void loadAllResponsibles();
    // The persons of one sector.
    void loadResponsiblesOf(int sectorCode);

    // A new, empty movement appended to the list.
    void startNew();
    // Drops the movement being entered.
    void abandonNew();

    struct Saved {
        int number = 0;  // IDMOVIMENTACAO given
    };
    // Writes the movement being entered as delivered, with the next number of
    // its protocol (the one after, when another workstation took that one
    // meanwhile), the date and time given, the operator and today's date.
    // On success the list is read again with the cursor on the new movement;
    // on failure nothing is written and the movement is still being entered
    // with what was typed.
    Saved save(const QDate &date, const QTime &time, const QString &operatorCode);

    // The remarks with the cancellation trailer, within the column's length:
    // the remarks give way before the trailer does.
    static QString withCancellationTrailer(const QString &remarks, const QString &reason, const QDate &today);
    bool currentIsCancelled() const;
    // The current movement's date as dd/mm/yyyy, as the messages name it.
    QString currentDateText() const;
    // Cancels the movement under the cursor and reads the list again with
    // the cursor on it; on failure the movement stays as it was. A list that
    // cannot be read again after the cancellation was written throws
    // NotReadAgain.
    void cancelCurrent(const QString &reason);

    RecordSet &movements() const;
    int movementCount() const;
    // The movements written, without the one being entered.
    int savedMovementCount() const;

private:
    TUDMCadastro &m_data;
    QString m_number;
    QString m_year;
    NumberedSave m_newMovementSave;
};

}  // namespace kalvero
