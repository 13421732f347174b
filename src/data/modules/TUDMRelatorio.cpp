#include "TUDMRelatorio.h"

#include "TDM.h"
#include "UnitStatements.h"
#include "../firebird/FirebirdError.h"
#include "../schema/UnitSchema.h"

namespace kalvero {

TUDMRelatorio *UDMRelatorio = nullptr;

TUDMRelatorio::TUDMRelatorio(TDM &dm, QObject *parent)
    : QObject(parent),
      cdsComprovante(QStringLiteral("cdsComprovante")),
      cdsComprovanteSemDocumento(QStringLiteral("cdsComprovanteSemDocumento")),
      cdsEtiquetaProtocolo(QStringLiteral("cdsEtiquetaProtocolo")),
      cdsEtiquetaDocumentos(QStringLiteral("cdsEtiquetaDocumentos")),
      cdsEtiquetaSeqAgrupada(QStringLiteral("cdsEtiquetaSeqAgrupada")),
      cdsTBRel_AUX(QStringLiteral("cdsTBRel_AUX")),
      cdsMovimentacao(QStringLiteral("cdsMovimentacao")),
      cdsRelProtocolo(QStringLiteral("cdsRelProtocolo")),
      dsTBRel_AUX(QStringLiteral("dsTBRel_AUX"), &cdsTBRel_AUX) {
    if (UDMRelatorio)
        throw DatabaseError(QStringLiteral("O módulo de relatórios já existe."));
    setObjectName(QStringLiteral("UDMRelatorio"));
    for (RecordSet *s : {&cdsComprovante, &cdsComprovanteSemDocumento, &cdsEtiquetaProtocolo, &cdsEtiquetaDocumentos,
                         &cdsEtiquetaSeqAgrupada, &cdsTBRel_AUX, &cdsMovimentacao, &cdsRelProtocolo})
        s->setConnection(&dm.MDatabasePrincipal);
    cdsTBRel_AUX.declareTable(UnitSchema::labelScratchTable());
    cdsTBRel_AUX.setCommandText(LabelScratchStatements::standing());
    UDMRelatorio = this;
}

TUDMRelatorio::~TUDMRelatorio() {
    for (RecordSet *s : {&cdsComprovante, &cdsComprovanteSemDocumento, &cdsEtiquetaProtocolo, &cdsEtiquetaDocumentos,
                         &cdsEtiquetaSeqAgrupada, &cdsTBRel_AUX, &cdsMovimentacao, &cdsRelProtocolo})
        s->close();
    if (UDMRelatorio == this)
        UDMRelatorio = nullptr;
}

}  // namespace kalvero
