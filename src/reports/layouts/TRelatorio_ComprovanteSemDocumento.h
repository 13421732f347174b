#pragma once

#include "ReceiptLayout.h"

namespace kalvero {

// The receipt of a protocol without documents, from the one row of
// cdsComprovanteSemDocumento.
class TRelatorio_ComprovanteSemDocumento : public ReceiptLayout {
public:
    TRelatorio_ComprovanteSemDocumento(RecordSet &cdsComprovanteSemDocumento, const SessionState &session)
        : ReceiptLayout(cdsComprovanteSemDocumento, session, false, QStringLiteral("REQUERIMENTO")) {}
};

}  // namespace kalvero
