#pragma once

namespace kalvero {

class TUDMCadastro;
struct SessionState;

// What every opening of a unit's database on this workstation does, after
// the login as after a restore has put another database in its place: the
// connection is opened afresh, the schema brought up to date (the label
// scratch table, the label-order column, the indexes) and the entity's
// wording read into the session.
void OpenUnitDatabase(TUDMCadastro &data, SessionState &session);

}  // namespace kalvero
