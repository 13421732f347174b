#pragma once

#include "LabelLayout.h"

namespace kalvero {

// One label per page of one document, from the operator's label rows
// (cdsTBRel_AUX): the document's name and "Página: i / n".
class TRelatorio_EtiquetaDocumentos : public LabelLayout {
public:
    explicit TRelatorio_EtiquetaDocumentos(RecordSet &cdsTBRel_AUX);
};

}  // namespace kalvero
