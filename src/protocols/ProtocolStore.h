#pragma once

#include "ProtocolListQuery.h"

#include "data/records/NumberedSave.h"

#include <QDate>
#include <QString>
#include <QStringList>


namespace kalvero {

class RecordSet;
class TUDMCadastro;

// The data steps of the protocol register, without widgets: the lists, the
// saves with their numbering, the documents of the open protocol and the
// cancellation. It works on the record sets of the registry data module, which
// the screen binds to, so that the screen stays thin and a process without a
// window can drive every save.
//
// Failures are thrown as the program's Failure (DatabaseError for what the
// database refused); the screen chooses the message.
class ProtocolStore {
public:
    explicit ProtocolStore(TUDMCadastro &data);

    // Requesters by name, subjects by description, then the protocols of the
    // query (the active ones unless told).
    void openLists(const ProtocolListQuery &first = {});

    void loadList(const ProtocolListQuery &query);
    // Runs the last query again.
    void refreshList();
    const ProtocolListQuery &listQuery() const { return m_query; }

    // Moves the list's cursor to the loaded row with this number and year;
    // false (cursor kept) when none matches.
    bool findInList(const QString &number5, const QString &year4);

    // A new protocol: a row inserted with ANO = the current year, kept from
    // now on; the documents list emptied.
    void startNew();

    // The subject's required documents, in their order.
    QStringList requiredDocumentNames(int subjectCode);

    struct FirstSave {
        QString number;   // IDPROTOCOLO given
        int retries = 0;  // numbers found taken before this one
    };
    // Writes the new protocol with the next number of its year and the given
    // documents (numbered 1, 2, 3, ..., one page each) in one transaction.
    // On success the row is written and back in edit state and the documents
    // list holds the protocol's documents. On failure nothing is written and
    // the row is as typed, still being inserted. When the connection went
    // during the commit, nobody knows whether the protocol was written: the
    // next first save looks for it under the number it was given, and takes
    // it as saved when it finds it as typed, rather than writing it twice.
    FirstSave saveFirst(const QDate &entryDate, int status, const QStringList &documentsToAdd);

    // A later save of the open protocol; on failure the row keeps what was typed.
    void saveChanges(const QDate &entryDate, int status);

    // Documents of the open protocol.
    void loadDocuments();
    void startDocument();
    void editDocument();
    // A new document takes the protocol's highest number plus one (the next
    // again when another workstation took it); a changed one is written as is.
    // On failure the document entered is dropped (new) or kept being edited.
    void saveDocument();
    void cancelDocument();
    void removeCurrentDocument();
    qint64 pageTotal();
    int documentCount() const;

    // The description with the cancellation trailer, within the column's
    // length: the description gives way before the trailer does.
    static QString withCancellationTrailer(const QString &description, const QString &reason, const QDate &today);
    // Cancels the protocol under the list's cursor and reloads the list; on
    // failure the row stays as it was. A list that cannot be read again
    // after the cancellation was written throws NotReadAgain.
    void cancelCurrent(const QString &reason);

    RecordSet &protocols() const;
    RecordSet &documents() const;

private:
    // Puts the number, the entry data and the documents into the rows, posted.
    void fillNew(const QString &number, const QString &year, const QDate &entryDate, int status,
                 const QStringList &documentsToAdd);
    TUDMCadastro &m_data;
    ProtocolListQuery m_query;
    NumberedSave m_firstSave;
    NumberedSave m_documentSave;
};

}  // namespace kalvero
