#pragma once

#include "LabelLayout.h"

namespace kalvero {

// One label per page of all the protocol's documents, numbered across them,
// from the operator's grouped label rows (cdsTBRel_AUX).
class TRelatorio_EtiquetaDocumentosAgrupado : public LabelLayout {
public:
    explicit TRelatorio_EtiquetaDocumentosAgrupado(RecordSet &cdsTBRel_AUX);
};

}  // namespace kalvero
