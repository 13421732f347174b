#pragma once

#include "data/firebird/Connection.h"
#include "data/records/DataSource.h"
#include "data/records/RecordSet.h"

namespace kalvero {

// The access data module: the connection to the access database and the
// operators and work units read through it.
class Tdm2 : public QObject {
    Q_OBJECT
public:
    explicit Tdm2(QObject *parent = nullptr);
    ~Tdm2() override;

    Connection MDatabaseSenha;
    RecordSet tbOperacao;  // OperatorStatements::standing
    RecordSet tbAcesso;    // WorkUnitStatements::standing
    DataSource dsOperacao;
    DataSource dsAcesso;
    // Free query; the registries load their duplicate checks into it.
    RecordSet qrLocaliza;

    // The access database's path under a program folder.
    static QString databaseNameFor(const QString &serverAddress, const QString &programFolder);
};

extern Tdm2 *dm2;

}  // namespace kalvero
