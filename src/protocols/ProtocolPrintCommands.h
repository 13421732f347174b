#pragma once

#include "ProtocolPrinting.h"

#include <QString>

#include <functional>

class QWidget;

namespace kalvero {

class ReportLayout;
class TUDMCadastro;
class TUDMRelatorio;
struct SessionState;

// The printing commands of the protocol screen: the delivery receipt, the
// folder label and the page labels of the protocol under the list's cursor,
// each shown in the report engine's preview.
class ProtocolPrintCommands {
public:
    // How a layout reaches the operator: the modal preview, from which they
    // print or save a PDF. Tests hand in their own.
    using Presenter = std::function<void(ReportLayout &layout, QWidget *screen)>;
    static void preview(ReportLayout &layout, QWidget *screen);

    ProtocolPrintCommands(TUDMCadastro &data, TUDMRelatorio &reports, const SessionState &session,
                          Presenter present = preview);

    // "Comprovante de Entrega": refused for a cancelled or archived protocol;
    // the documents list is read again before the receipt.
    void deliveryReceipt(QWidget *screen);
    // The receipt with the protocol's saved documents (without documents
    // when it has none). The screen steps aside while the preview is up and
    // comes back when it closes.
    void receipt(QWidget *screen);
    void protocolLabel(QWidget *screen);
    // Labels per document or grouped by protocol, as the entity's label
    // sequence says.
    void documentLabels(QWidget *screen);

    // The four commands bound to one set of these, for the screen.
    static ProtocolPrinting commands(TUDMCadastro &data, TUDMRelatorio &reports, const SessionState &session,
                                     Presenter present = preview);

private:
    QString number() const;
    QString year() const;
    bool hasProtocol() const;

    TUDMCadastro &m_data;
    TUDMRelatorio &m_reports;
    const SessionState &m_session;
    Presenter m_present;
};

}  // namespace kalvero
