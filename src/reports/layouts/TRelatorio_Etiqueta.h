#pragma once

#include "LabelLayout.h"

namespace kalvero {

// The label for a protocol's folder, from the one row of
// cdsEtiquetaProtocolo: the top line, the subject as its reason and the
// barcode.
class TRelatorio_Etiqueta : public LabelLayout {
public:
    explicit TRelatorio_Etiqueta(RecordSet &cdsEtiquetaProtocolo);
};

}  // namespace kalvero
