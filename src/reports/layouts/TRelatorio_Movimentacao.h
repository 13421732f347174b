#pragma once

#include "StandardHeading.h"
#include "reports/ReportLayout.h"

#include <memory>

namespace kalvero {

class RecordSet;
class ReportMemo;
struct SessionState;

// The printed history of one protocol: its data at the top of every page and
// one entry per movement of cdsMovimentacao, newest first, with sector, date,
// time, person, situation and remarks. A4, 10 mm margins.
class TRelatorio_Movimentacao : public ReportLayout {
public:
    TRelatorio_Movimentacao(RecordSet &cdsMovimentacao, const SessionState &session);
    ~TRelatorio_Movimentacao() override;

    // SITUACAO as a word: "0" ENTREGUE, anything else CANCELADO.
    static QString situationText(const QString &situation);

private:
    void buildPageHeader(ReportBand &band);
    void buildColumnHeader(ReportBand &band);
    void buildDetail(ReportBand &band);
    void fillPageHeader();
    QString text(const QString &field) const;

    RecordSet &m_set;
    const SessionState &m_session;
    std::unique_ptr<StandardHeading> m_heading;

    ReportLabel *m_status = nullptr;
    ReportMemo *m_description = nullptr;
    ReportLabel *m_code = nullptr;
    ReportLabel *m_time = nullptr;
    ReportLabel *m_situation = nullptr;
    ReportMemo *m_remarks = nullptr;
    ReportLabel *m_total = nullptr;
    ReportLabel *m_footer = nullptr;
};

}  // namespace kalvero
