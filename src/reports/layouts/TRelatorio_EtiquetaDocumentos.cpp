#include "TRelatorio_EtiquetaDocumentos.h"

namespace kalvero {

TRelatorio_EtiquetaDocumentos::TRelatorio_EtiquetaDocumentos(RecordSet &cdsTBRel_AUX)
    : LabelLayout(cdsTBRel_AUX, 1.7, 0.4, QStringLiteral("DATAENTRADA"), 21.4, 16.4) {
    caption(1.7, 4.5, QStringLiteral("Documento:"));
    dataText(QStringLiteral("NOMEDOCUMENTO"), 16.9, 4.7, 33.8, 6.1, 6);
    caption(1.7, 11.9, QStringLiteral("Página:"));
    dataText(QStringLiteral("PAG_ATUAL"), 20.1 - 6.0, 11.9, 6.0, 3.0, 7, Qt::AlignRight);
    caption(20.5, 11.9, QStringLiteral("/"));
    dataText(QStringLiteral("PAG_TOTAL"), 21.6, 11.9, 10.9, 3.0, 7);
}

}  // namespace kalvero
