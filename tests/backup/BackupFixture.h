#pragma once

#include "TestDatabase.h"

#include "data/firebird/Connection.h"

#include <QDir>
#include <QStringList>

namespace kalvero::test {

// A unit database with a requester and a subject to hang protocols on, and a
// Backup folder. The database is in the scratch folder, or in a folder of the
// server's that this process may not see.
struct BackupFixture {
    ScratchFolder scratch;
    QString databaseName;
    QString databasePath;
    QString backupFolder = scratch.file(QStringLiteral("Backup/UN01/"));

    explicit BackupFixture(const QString &databaseFolder = {})
        : databaseName(createUnitDatabaseAt((databaseFolder.isEmpty() ? scratch.path() : databaseFolder) +
                                            QStringLiteral("DBPROTOCOLO.FDB"))),
          databasePath(DatabaseTarget::parse(databaseName).path) {
        QDir().mkpath(backupFolder);
        executeOn(databaseName, QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
        executeOn(databaseName, QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (1, 'ALVARA')"));
    }

    static QString insertStatement() {
        return QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, DATADEENTRADA, "
                              "STATUS, DESCRICAO) values (?, '2014', 1, 1, '2014-03-05', '0', ?)");
    }
    static QString number(int n) { return QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0')); }

    void addProtocols(int from, int to) {
        Connection c;
        c.setDatabaseName(databaseName);
        for (int n = from; n <= to; ++n)
            c.execute(insertStatement(), {number(n), QStringLiteral("PEDIDO %1").arg(n)});
        c.close();
    }

    // The protocol numbers of the unit database, in order.
    QStringList protocols() const { return protocolsOf(databaseName); }
    static QStringList protocolsOf(const QString &databaseName);

    QString archive(const QString &name) const { return backupFolder + name; }
};

}  // namespace kalvero::test
