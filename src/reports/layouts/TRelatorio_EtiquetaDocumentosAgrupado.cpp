#include "TRelatorio_EtiquetaDocumentosAgrupado.h"

namespace kalvero {

TRelatorio_EtiquetaDocumentosAgrupado::TRelatorio_EtiquetaDocumentosAgrupado(RecordSet &cdsTBRel_AUX)
    : LabelLayout(cdsTBRel_AUX, 1.7, 0.4, QStringLiteral("DATAENTRADA"), 21.4, 16.4) {
    caption(1.7, 7.9, QStringLiteral("Página:"));
    dataText(QStringLiteral("PAG_ATUAL"), 19.9 - 6.0, 7.9, 6.0, 3.0, 7, Qt::AlignRight);
    caption(20.5, 7.9, QStringLiteral("/"));
    dataText(QStringLiteral("PAG_TOTAL"), 21.7, 7.9, 10.9, 3.0, 7);
}

}  // namespace kalvero
