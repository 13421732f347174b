#pragma once

#include "ReceiptLayout.h"

namespace kalvero {

// The receipt of a protocol with documents: one line per document of
// cdsComprovante and the totals.
class TRelatorio_Comprovante : public ReceiptLayout {
public:
    TRelatorio_Comprovante(RecordSet &cdsComprovante, const SessionState &session)
        : ReceiptLayout(cdsComprovante, session, true, QString()) {}
};

}  // namespace kalvero
