#include "ProtocolPrintCommands.h"

#include "ProtocolMessages.h"
#include "ProtocolPrintStore.h"
#include "ProtocolStore.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "reports/layouts/TRelatorio_Comprovante.h"
#include "reports/layouts/TRelatorio_ComprovanteSemDocumento.h"
#include "reports/layouts/TRelatorio_Etiqueta.h"
#include "reports/layouts/TRelatorio_EtiquetaDocumentos.h"
#include "reports/layouts/TRelatorio_EtiquetaDocumentosAgrupado.h"

#include <QScopeGuard>
#include <QWidget>

#include <memory>

namespace kalvero {

namespace {

// Takes a window off the screen for a while without closing it: a dialog
// hidden the ordinary way would also end its modal loop.
class SteppedAside {
public:
    explicit SteppedAside(QWidget *window) : m_window(window && window->isVisible() ? window : nullptr) {
        if (m_window)
            m_window->QWidget::setVisible(false);
    }
    ~SteppedAside() {
        if (m_window)
            m_window->QWidget::setVisible(true);
    }
    SteppedAside(const SteppedAside &) = delete;
    SteppedAside &operator=(const SteppedAside &) = delete;

private:
    QWidget *m_window;
};

}  // namespace

void ProtocolPrintCommands::preview(ReportLayout &layout, QWidget *screen) { layout.preview(screen); }

ProtocolPrintCommands::ProtocolPrintCommands(TUDMCadastro &data, TUDMRelatorio &reports, const SessionState &session,
                                             Presenter present)
    : m_data(data), m_reports(reports), m_session(session), m_present(std::move(present)) {}

ProtocolPrinting ProtocolPrintCommands::commands(TUDMCadastro &data, TUDMRelatorio &reports,
                                                 const SessionState &session, Presenter present) {
    auto shared = std::make_shared<ProtocolPrintCommands>(data, reports, session, std::move(present));
    ProtocolPrinting printing;
    printing.deliveryReceipt = [shared](QWidget *screen) { shared->deliveryReceipt(screen); };
    printing.savedReceipt = [shared](QWidget *screen) { shared->receipt(screen); };
    printing.protocolLabel = [shared](QWidget *screen) { shared->protocolLabel(screen); };
    printing.documentLabels = [shared](QWidget *screen) { shared->documentLabels(screen); };
    return printing;
}

bool ProtocolPrintCommands::hasProtocol() const {
    const RecordSet &p = m_data.cdsTBProtocolo;
    return p.isActive() && !p.isEmpty();
}

QString ProtocolPrintCommands::number() const { return m_data.cdsTBProtocolo.field(QStringLiteral("IDPROTOCOLO")).asString(); }

QString ProtocolPrintCommands::year() const { return m_data.cdsTBProtocolo.field(QStringLiteral("ANO")).asString(); }

void ProtocolPrintCommands::deliveryReceipt(QWidget *screen) {
    if (!hasProtocol())
        return;
    const int status = m_data.cdsTBProtocolo.field(QStringLiteral("STATUS")).asString().trimmed().toInt();
    if (status != 0) {
        ProtocolMessages::show(screen,
                               QStringLiteral("Não será possível imprimir o comprovante de entrega do protocolo de Nº") +
                                   number() + year() + QStringLiteral(" porque este protocolo esta cancelado!"),
                               MessageService::Icon::Warning);
        return;
    }
    ProtocolStore(m_data).loadDocuments();
    receipt(screen);
}

void ProtocolPrintCommands::receipt(QWidget *screen) {
    if (!hasProtocol())
        return;
    const SteppedAside aside(screen);
    ProtocolPrintStore store(m_reports);
    // The saved documents choose the layout: one being entered is not on it.
    store.loadReceiptWithDocuments(number(), year());
    if (!m_reports.cdsComprovante.isEmpty()) {
        TRelatorio_Comprovante layout(m_reports.cdsComprovante, m_session);
        m_present(layout, screen);
    } else {
        store.loadReceiptWithoutDocuments(number(), year());
        TRelatorio_ComprovanteSemDocumento layout(m_reports.cdsComprovanteSemDocumento, m_session);
        m_present(layout, screen);
    }
}

void ProtocolPrintCommands::protocolLabel(QWidget *screen) {
    if (!hasProtocol())
        return;
    ProtocolPrintStore(m_reports).loadProtocolLabel(number(), year());
    TRelatorio_Etiqueta layout(m_reports.cdsEtiquetaProtocolo);
    m_present(layout, screen);
}

void ProtocolPrintCommands::documentLabels(QWidget *screen) {
    if (!hasProtocol())
        return;
    ProtocolPrintStore store(m_reports);
    switch (m_session.LabelSequence) {
    case 0: {
        RecordSet &documents = m_data.cdsTBDocumentos;
        if (!documents.isActive() || documents.isEmpty())
            return;
        store.prepareDocumentLabels(number(), year(), int(documents.field(QStringLiteral("IDDOCUMENTO")).asInteger()),
                                    m_session.OperatorCode);
        TRelatorio_EtiquetaDocumentos layout(m_reports.cdsTBRel_AUX);
        m_present(layout, screen);
        return;
    }
    case 1: {
        store.prepareGroupedLabels(number(), year(), m_session.OperatorCode);
        TRelatorio_EtiquetaDocumentosAgrupado layout(m_reports.cdsTBRel_AUX);
        m_present(layout, screen);
        return;
    }
    default:
        return;
    }
}

}  // namespace kalvero
