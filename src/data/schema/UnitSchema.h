#pragma once

#include "ColumnCatalogue.h"
#include "TableDefinition.h"

namespace kalvero {

class Connection;

// The tables of a unit database (DBPROTOCOLO.FDB).
namespace UnitSchema {

// The nine tables that every unit database is made with, in creation order.
const QVector<TableDefinition> &templateTables();
// The label scratch table, made by the program itself on first start.
const TableDefinition &labelScratchTable();
// Any unit table by name (case-insensitive), TBREL_AUX included; nullptr if unknown.
const TableDefinition *table(const QString &name);
// Every unit table, for the record sets that read a unit database.
const ColumnCatalogue &catalogue();

// The statement that makes TBREL_AUX on an older database.
QString createLabelScratchTableStatement();
QString addLabelSequenceColumnStatement();
QString resetLabelSequenceStatement();

// Creates the nine template tables with their keys, references and indexes
// in an empty database.
void createTemplateTables(Connection &connection);

}  // namespace UnitSchema

// Protocol status codes (TBPROTOCOLO.STATUS).
namespace ProtocolStatus {
inline const QString Active = QStringLiteral("0");
inline const QString Cancelled = QStringLiteral("1");
inline const QString Archived = QStringLiteral("2");
QString text(const QString &code);  // "ATIVO", "CANCELADO", "ARQUIVADO"
}  // namespace ProtocolStatus

// Movement situation codes (TBMOVIMENTACAO.SITUACAO).
namespace MovementSituation {
inline const QString Delivered = QStringLiteral("0");
inline const QString Cancelled = QStringLiteral("1");
QString text(const QString &code);  // "ENTREGUE", "CANCELADO"
}  // namespace MovementSituation

// Kinds of label run (TBREL_AUX.TIPOREL) and the entity's label setting.
namespace LabelRun {
constexpr int PerDocument = 1;
constexpr int GroupedByProtocol = 2;
}  // namespace LabelRun

namespace LabelSequenceSetting {
constexpr int SeparateByDocument = 0;
constexpr int GroupedByProtocol = 1;
}  // namespace LabelSequenceSetting

}  // namespace kalvero
