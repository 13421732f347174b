#pragma once

namespace kalvero {

class Connection;
class TDM;
class TUDMCadastro;

// The schema repairs run each time the main window opens a unit. A probe
// that succeeds executes nothing; each returns whether it repaired.

// Opens the label scratch rows; makes TBREL_AUX when that fails.
bool EnsureLabelScratchTable(TDM &dm);
// Opens the entity with all its fields; adds CONFIG_SEQ_IMP (0 in every row)
// when that fails.
bool EnsureLabelSequenceColumn(TDM &dm, TUDMCadastro &cadastro);
// Creates the indexes of the template tables that a database made from an
// older template lacks (the searches by CPF and CNPJ need theirs); gives how
// many it made. An index the database refuses now (another workstation
// holding the table) is tried again at the next start.
int EnsureTemplateIndexes(Connection &unit);
// Makes TBNUMERACAO, the turns of the numbered saves, on a database that
// lacks it; gives whether it made it.
bool EnsureNumberingTable(Connection &unit);

}  // namespace kalvero
