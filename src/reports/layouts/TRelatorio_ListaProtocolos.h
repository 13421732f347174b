#pragma once

#include "StandardHeading.h"
#include "reports/ReportLayout.h"

#include <memory>

namespace kalvero {

class RecordSet;
class ReportLabel;
struct SessionState;

// The list of protocols ("RELAÇÃO DE PROTOCOLOS"): one line per row of
// cdsRelProtocolo (number, year, status, entry date, requester, subject)
// under the standard heading and the column captions of every page, and the
// number of protocols listed at the end. Letter, 10 mm margins.
class TRelatorio_ListaProtocolos : public ReportLayout {
public:
    static const QString Title;

    TRelatorio_ListaProtocolos(RecordSet &cdsRelProtocolo, const SessionState &session);

private:
    void buildColumnHeader(ReportBand &band);
    void buildDetail(ReportBand &band);

    RecordSet &m_set;
    const SessionState &m_session;
    std::unique_ptr<StandardHeading> m_heading;
    ReportLabel *m_status = nullptr;
    ReportLabel *m_total = nullptr;
    ReportLabel *m_footer = nullptr;
    int m_statusField = -1;
};

}  // namespace kalvero
