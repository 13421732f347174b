#pragma once

#include "TestDatabase.h"
#include "Workstation.h"

#include "data/firebird/Connection.h"

#include <QDate>
#include <QTime>

namespace kalvero::test {

// A unit database with one requester, one subject, two protocols of 2014
// (00001 and 00002), and three sectors: 1 GABINETE with JOAO (1) and MARIA
// (2), 2 OBRAS with PEDRO (3), 3 ARQUIVO without anyone. `other` writes
// behind the desk's back as another workstation.
struct MovementBase {
    ScratchFolder folder;
    QString database = createUnitDatabase(folder);
    Connection other;

    MovementBase() {
        other.setDatabaseName(database);
        other.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA DE SOUSA')"));
        other.execute(QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
        for (const char *number : {"00001", "00002"})
            other.execute(QStringLiteral("insert into TBPROTOCOLO values (?, '2014', 1, 1, ?, '0', ?)"),
                          {QLatin1String(number), QDate(2014, 5, 20), QStringLiteral("PEDIDO DE ALVARA")});
        other.execute(QStringLiteral("insert into TBSETOR values (1, 'GABINETE')"));
        other.execute(QStringLiteral("insert into TBSETOR values (2, 'OBRAS')"));
        other.execute(QStringLiteral("insert into TBSETOR values (3, 'ARQUIVO')"));
        other.execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (1, 'JOAO', 1)"));
        other.execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (2, 'MARIA', 1)"));
        other.execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (3, 'PEDRO', 2)"));
    }
    ~MovementBase() { other.close(); }

    // A movement written by another desk.
    void addMovement(const QString &number, int id, const QDate &date, const QTime &time,
                     const QString &situation = QStringLiteral("0"), const QString &remarks = QString(),
                     int sector = 1, int person = 1) {
        other.execute(QStringLiteral("insert into TBMOVIMENTACAO (IDMOVIMENTACAO, IDPROTOCOLO, ANO, SETOR, RESPONSAVEL, "
                                     "DATA, HORA, SITUACAO, OBSERVACAO, SOPERADOR, SDATAMOV) "
                                     "values (?, ?, '2014', ?, ?, ?, ?, ?, ?, '0002', ?)"),
                      {id, number, sector, person, date, time, situation, remarks.isNull() ? QVariant() : remarks,
                       date});
    }
    QVariant scalar(const QString &sql, const QVariantList &params = {}) { return scalarOn(database, sql, params); }
    qint64 count(const QString &sql, const QVariantList &params = {}) { return scalar(sql, params).toLongLong(); }
};

}  // namespace kalvero::test
