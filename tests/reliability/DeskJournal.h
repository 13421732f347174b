#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace kalvero::test {

// What the desk processes of the reliability runs say they did, one line per
// event on their standard output, and what the database holds afterwards.
//
//     SAVED P <number> <year> <tag>           a protocol and its documents
//     SAVED M <number> <year> <movement> <tag> a movement of it
//     CANCELLED P|M <number> <year> <tag>
//     FAIL <what> <tag> :: <message shown> || <details>   a refusal; the desk tries again
//     RSS <kB at start> <kB at the end>
//
// A tag names one protocol of one desk ("MESA 2 PEDIDO 17"); its movement's
// remarks begin with the same tag.
struct DeskJournal {
    struct Saved {
        QString number;
        QString year;
        int movement = 0;
    };
    QMap<QString, Saved> protocols;   // by tag
    QMap<QString, Saved> movements;   // by tag
    QStringList cancelledProtocols;   // tags
    QStringList cancelledMovements;   // tags
    QMap<QString, int> refusals;      // message shown -> how many
    QMap<QString, QString> refusalExamples;  // message shown -> its first whole line
    QStringList refusalsWithoutMessage;
    QList<QPair<qint64, qint64>> memory;  // per desk: kB at start, at the end

    // Adds one desk's output.
    void read(const QByteArray &output);
    int refusalCount() const;
    int operationCount() const;
};

// The database set against the journal.
struct DeskAudit {
    int protocolsInDatabase = 0;
    int movementsInDatabase = 0;
    QStringList lost;          // reported saved, not there (or not as reported)
    QStringList duplicates;    // a tag written more than once
    QStringList halfWritten;   // a protocol without all its documents
    QStringList unreported;    // written, never reported saved
    QStringList wrongState;    // reported cancelled and not, or the other way

    // expectedDocuments: how many documents each protocol was given.
    static DeskAudit of(const QString &databaseName, const DeskJournal &journal, int expectedDocuments);
    bool clean() const;
    QString summary() const;
};

}  // namespace kalvero::test
