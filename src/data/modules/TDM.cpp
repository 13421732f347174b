#include "TDM.h"

#include "../schema/UnitSchema.h"

namespace kalvero {

TDM *DM = nullptr;

TDM::TDM(QObject *parent) : QObject(parent), SQLConsulta(QStringLiteral("SQLConsulta")), SQLExec(QStringLiteral("SQLExec")) {
    setObjectName(QStringLiteral("DM"));
    MDatabasePrincipal.setCatalogue(&UnitSchema::catalogue());
    SQLConsulta.setConnection(&MDatabasePrincipal);
    SQLExec.setConnection(&MDatabasePrincipal);
    if (!DM)
        DM = this;
}

TDM::~TDM() {
    // Record sets let go of their rows before the connection closes.
    SQLConsulta.close();
    SQLExec.close();
    if (DM == this)
        DM = nullptr;
}

}  // namespace kalvero
