#pragma once

namespace kalvero {

class TDM;
class TUDMCadastro;

// The two schema repairs run each time the main window opens a unit. A probe
// that succeeds executes nothing; each returns whether it repaired.

// Opens the label scratch rows; makes TBREL_AUX when that fails.
bool EnsureLabelScratchTable(TDM &dm);
// Opens the entity with all its fields; adds CONFIG_SEQ_IMP (0 in every row)
// when that fails.
bool EnsureLabelSequenceColumn(TDM &dm, TUDMCadastro &cadastro);

}  // namespace kalvero
