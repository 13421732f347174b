#include "UnitOpening.h"

#include "SchemaUpgrade.h"
#include "TDM.h"
#include "TUDMCadastro.h"
#include "../records/RecordSet.h"
#include "../session/EntitySession.h"

namespace kalvero {

void OpenUnitDatabase(TUDMCadastro &data, SessionState &session) {
    TDM &dm = data.connectionModule();
    dm.MDatabasePrincipal.close();
    dm.MDatabasePrincipal.open();
    EnsureLabelScratchTable(dm);
    EnsureLabelSequenceColumn(dm, data);
    EnsureTemplateIndexes(dm.MDatabasePrincipal);
    EnsureNumberingTable(dm.MDatabasePrincipal);

    RecordSet &entity = data.cdsTBEntidade;
    entity.close();
    entity.open();
    entity.first();
    readEntityIntoSession(entity, session);
    entity.close();
}

}  // namespace kalvero
