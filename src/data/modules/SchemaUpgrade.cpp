#include "SchemaUpgrade.h"

#include "TDM.h"
#include "TUDMCadastro.h"
#include "TUDMRelatorio.h"
#include "../firebird/Connection.h"
#include "../firebird/FirebirdError.h"
#include "../records/NumberedSave.h"
#include "../records/RecordSet.h"
#include "../schema/UnitSchema.h"

#include <QSet>

#include <memory>

namespace kalvero {

namespace {

void executeSchemaStatement(TDM &dm, const QString &sql) {
    dm.SQLExec.close();
    dm.SQLExec.setCommandText(QString());
    dm.SQLExec.setCommandText(sql);
    dm.SQLExec.execSql();
}

}  // namespace

bool EnsureLabelScratchTable(TDM &dm) {
    // The report module is made for the probe alone unless one is open already.
    std::unique_ptr<TUDMRelatorio> own;
    TUDMRelatorio *reports = UDMRelatorio;
    if (!reports) {
        own = std::make_unique<TUDMRelatorio>(dm);
        reports = own.get();
    }
    try {
        reports->cdsTBRel_AUX.close();
        reports->cdsTBRel_AUX.open();
        reports->cdsTBRel_AUX.close();
        return false;
    } catch (const DatabaseError &) {
        // Whatever the cause, the table is taken as missing.
        reports->cdsTBRel_AUX.close();
    }
    executeSchemaStatement(dm, UnitSchema::createLabelScratchTableStatement());
    return true;
}

bool EnsureLabelSequenceColumn(TDM &dm, TUDMCadastro &cadastro) {
    try {
        cadastro.cdsTBEntidade.close();
        cadastro.cdsTBEntidade.open();
        cadastro.cdsTBEntidade.close();
        return false;
    } catch (const DatabaseError &) {
        cadastro.cdsTBEntidade.close();
    }
    executeSchemaStatement(dm, UnitSchema::addLabelSequenceColumnStatement());
    executeSchemaStatement(dm, UnitSchema::resetLabelSequenceStatement());
    dm.SQLExec.close();
    dm.SQLExec.setCommandText(QString());
    return true;
}

int EnsureTemplateIndexes(Connection &unit) {
    QSet<QString> present;
    {
        RecordSet indexes(QStringLiteral("SQLIndices"));
        indexes.setConnection(&unit);
        indexes.openWith(QStringLiteral("select trim(RDB$INDEX_NAME) as NAME from RDB$INDICES"));
        for (int row = 0; row < indexes.recordCount(); ++row)
            present.insert(indexes.valueAt(row, 0).toString().toUpper());
    }
    int made = 0;
    for (const TableDefinition &table : UnitSchema::templateTables())
        for (const IndexDefinition &index : table.indexes) {
            if (present.contains(index.name.toUpper()))
                continue;
            try {
                unit.execute(table.indexStatement(index));
                ++made;
            } catch (const DatabaseError &) {
            }
        }
    return made;
}

bool EnsureNumberingTable(Connection &unit) {
    {
        RecordSet present(QStringLiteral("SQLNumeracao"));
        present.setConnection(&unit);
        present.openWith(QStringLiteral("select 1 from RDB$RELATIONS where RDB$RELATION_NAME = 'TBNUMERACAO'"));
        if (!present.isEmpty())
            return false;
    }
    try {
        unit.execute(NumberedSave::createTableStatement());
    } catch (const DatabaseError &) {
        // Another workstation opening the unit in the same moment made it.
    }
    return true;
}

}  // namespace kalvero
