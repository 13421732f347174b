#pragma once

#include "StandardHeading.h"
#include "reports/ReportLayout.h"

#include <memory>

namespace kalvero {

class RecordSet;
class ReportMemo;
struct SessionState;

// The delivery receipt ("R E Q U E R I M E N T O") the requester takes home:
// the protocol's data, the documents handed in with their page counts, and
// the two signature lines. Letter, 10 mm margins. The layouts with and
// without documents are built here; the page header and the summary are
// filled from the dataset's current row and the session.
class ReceiptLayout : public ReportLayout {
public:
    // The CPF as the receipt prints it: 123.456.789-01.
    static QString formattedCpf(const QString &cpf);

protected:
    ReceiptLayout(RecordSet &dataSet, const SessionState &session, bool withDocuments, const QString &headingTitle);

private:
    void buildPageHeader(ReportBand &band);
    void buildDocumentBands();
    void buildSummary(ReportBand &band);
    void fillPageHeader();
    QString text(const QString &field) const;

    RecordSet &m_set;
    const SessionState &m_session;
    const bool m_withDocuments;
    const QString m_headingTitle;
    std::unique_ptr<StandardHeading> m_heading;

    ReportLabel *m_subject = nullptr;
    ReportLabel *m_status = nullptr;
    ReportLabel *m_idCaption = nullptr;
    ReportLabel *m_id = nullptr;
    ReportMemo *m_description = nullptr;
    ReportLabel *m_city = nullptr;
    ReportLabel *m_operatorName = nullptr;
    ReportLabel *m_requesterName = nullptr;
    ReportLabel *m_footer = nullptr;
    ReportLabel *m_documentCode = nullptr;
    ReportLabel *m_totals = nullptr;
};

}  // namespace kalvero
