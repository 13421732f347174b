#pragma once

#include "../records/DataSource.h"
#include "../records/RecordSet.h"

#include <QObject>

namespace kalvero {

class TDM;

// The report data module: the datasets that feed the printed layouts, and
// the label scratch rows. At most one exists at a time; while it does, it is
// reached through UDMRelatorio.
class TUDMRelatorio : public QObject {
    Q_OBJECT
public:
    explicit TUDMRelatorio(TDM &dm, QObject *parent = nullptr);
    ~TUDMRelatorio() override;

    RecordSet cdsComprovante;
    RecordSet cdsComprovanteSemDocumento;
    RecordSet cdsEtiquetaProtocolo;
    RecordSet cdsEtiquetaDocumentos;
    RecordSet cdsEtiquetaSeqAgrupada;
    RecordSet cdsTBRel_AUX;
    RecordSet cdsMovimentacao;
    RecordSet cdsRelProtocolo;

    DataSource dsTBRel_AUX;
};

extern TUDMRelatorio *UDMRelatorio;

}  // namespace kalvero
