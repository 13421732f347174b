#include "TRelatorio_Etiqueta.h"

namespace kalvero {

TRelatorio_Etiqueta::TRelatorio_Etiqueta(RecordSet &cdsEtiquetaProtocolo)
    : LabelLayout(cdsEtiquetaProtocolo, 1.4, 0.3, QStringLiteral("DATADEENTRADA"), 19.5, 16.6) {
    caption(1.4, 4.9, QStringLiteral("Motivo:"));
    dataText(QStringLiteral("DESCRICAO_1"), 13.7, 4.9, 37.0, 10.5, 6, Qt::AlignJustify);
}

}  // namespace kalvero
