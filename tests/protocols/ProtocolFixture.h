#pragma once

#include "TestDatabase.h"
#include "Workstation.h"

#include "data/firebird/Connection.h"
#include "protocols/ProtocolStore.h"

#include <QDate>
#include <memory>

namespace kalvero::test {

// A unit database with one requester (1, "ANA") and two subjects: 1 "ALVARA"
// with three required documents, 2 "CERTIDAO" with none. The desk under test
// has its protocol store; `other` writes behind its back as another desk.
struct ProtocolFixture {
    ScratchFolder folder;
    QString database = createUnitDatabase(folder);
    Connection other;
    std::unique_ptr<Workstation> desk;
    std::unique_ptr<ProtocolStore> store;

    ProtocolFixture() {
        other.setDatabaseName(database);
        other.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
        other.execute(QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
        other.execute(QStringLiteral("insert into TBASSUNTO values (2, 'CERTIDAO')"));
        // Entered out of order: the list follows the numbers.
        other.execute(QStringLiteral("insert into TBASSUNTO_DOCUMENTOS values (3, 'PLANTA', 1)"));
        other.execute(QStringLiteral("insert into TBASSUNTO_DOCUMENTOS values (1, 'RG', 1)"));
        other.execute(QStringLiteral("insert into TBASSUNTO_DOCUMENTOS values (2, 'CPF', 1)"));
        desk = std::make_unique<Workstation>(database);
        store = std::make_unique<ProtocolStore>(desk->cadastro);
        store->openLists();
    }
    ~ProtocolFixture() {
        store.reset();
        desk.reset();
        other.close();
    }

    RecordSet &protocols() { return desk->cadastro.cdsTBProtocolo; }
    RecordSet &documents() { return desk->cadastro.cdsTBDocumentos; }

    // A protocol written by another desk.
    void addProtocol(const QString &number, const QString &year, const QDate &entry, const QString &status = "0",
                     const QString &description = QStringLiteral("PEDIDO")) {
        other.execute(QStringLiteral("insert into TBPROTOCOLO values (?, ?, 1, 1, ?, ?, ?)"),
                      {number, year, entry, status, description});
    }
    void addDocument(int id, const QString &number, const QString &year, const QVariant &pages) {
        other.execute(QStringLiteral("insert into TBDOCUMENTOS values (?, ?, ?, 'DOC', ?)"), {id, number, year, pages});
    }
    QVariant scalar(const QString &sql, const QVariantList &params = {}) { return scalarOn(database, sql, params); }
    qint64 count(const QString &sql, const QVariantList &params = {}) { return scalar(sql, params).toLongLong(); }

    // What the operator types after "Novo".
    void typeNew(const QString &description = QStringLiteral("PEDIDO DE ALVARA"), int subject = 1) {
        store->startNew();
        protocols().field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
        protocols().field(QStringLiteral("ASSUNTO")).setAsInteger(subject);
        protocols().field(QStringLiteral("DESCRICAO")).setAsString(description);
    }
};

}  // namespace kalvero::test
