#pragma once

#include "StandardHeading.h"
#include "reports/ReportLayout.h"

#include <memory>

namespace kalvero {

class RecordSet;
class ReportLabel;
class ReportMemo;
struct SessionState;

// What the status slip prints about its protocol, as text.
struct StatusSlipData {
    QString unit;  // "02-PREFEITURA ..."
    QString number;
    QString year;
    QString entry;  // dd/mm/yyyy
    QString status;  // "ATIVO", ...
    QString requester;
    QString document;  // the CPF or CNPJ as shown, may be empty
    QString subject;
    QString whereNow;
    QString daysSinceEntry;
    QString daysSinceMovement;  // "-" without a movement
};

// The citizen's status slip from "Consulta de Protocolos": the standard
// heading, the protocol, where it is now and its path, newest delivery first,
// one line per movement of the dataset (DATA, HORA, SETOR, RESPONSAVEL,
// SITUACAO). A4, 10 mm margins.
class TRelatorio_SituacaoProtocolo : public ReportLayout {
public:
    TRelatorio_SituacaoProtocolo(RecordSet &path, const StatusSlipData &protocol, const SessionState &session);
    ~TRelatorio_SituacaoProtocolo() override;

    static inline const QString Title = QStringLiteral("SITUAÇÃO DO PROTOCOLO");

private:
    void buildPageHeader(ReportBand &band);
    void buildColumnHeader(ReportBand &band);
    void buildDetail(ReportBand &band);

    RecordSet &m_path;
    StatusSlipData m_protocol;
    const SessionState &m_session;
    std::unique_ptr<StandardHeading> m_heading;
    ReportLabel *m_time = nullptr;
    ReportLabel *m_situation = nullptr;
    ReportLabel *m_total = nullptr;
    ReportLabel *m_footer = nullptr;
};

}  // namespace kalvero
