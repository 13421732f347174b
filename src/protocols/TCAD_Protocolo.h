#pragma once

#include "ProtocolForm.h"
#include "ProtocolPrinting.h"
#include "ProtocolStore.h"
#include "ui/MessageService.h"

#include <QDialog>
#include <functional>

namespace kalvero {

class ProtocolDocumentsPanel;
class RecordSet;
class TUDMCadastro;
struct SessionState;

// The protocol register: the list of protocols with its filters, search and
// cancellation, and the entry of one protocol with its documents. Every data
// step goes through the ProtocolStore on the registry module given; the
// requester and subject registries opened on the way hand their codes over
// through the session given; printing goes to the commands given.
class TCAD_Protocolo : public QDialog {
    Q_OBJECT
public:
    enum class Mode { New, Change };

    TCAD_Protocolo(TUDMCadastro &data, SessionState &session, ProtocolPrinting printing = {},
                   QWidget *parent = nullptr);
    ~TCAD_Protocolo() override;

    Mode mode() const { return m_mode; }
    // Puts the list on the protocol's status with the cursor on it and opens
    // it as "Alterar" does; false when the unit has no such protocol.
    bool showProtocol(const QString &number, const QString &year);
    bool receiptPending() const { return m_receiptPending; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Tab "Protocolo".
    void openScreen();
    void novo();
    void alterar();
    void cancelarProtocolo();
    void chooseStatus();
    void filterPeriod();
    void exibirTodos();
    void showProtocolTotal();

    // Tab "Manutenção".
    void gravar();
    void saveFirst();
    void saveLater();
    void sairManutencao();
    // Opens a registry; the code it hands over is chosen in the field.
    void registerOnTheWay(const std::function<void()> &runRegistry, int SessionState::*handoff, RecordSet &list,
                          const QString &statement, const QString &field);
    void incluirSolicitante();
    void incluirAssunto();
    void entryDateChanged();
    void setProtocolBoxesEnabled(bool enabled);
    void showEntryDateAndStatus();
    QWidget *boxAtFault() const;  // none: the entry may be saved

    void message(const QString &text, MessageService::Icon icon);
    void closeRecordSets();

    TUDMCadastro &m_data;
    SessionState &m_session;
    ProtocolPrinting m_printing;
    ProtocolStore m_store;
    ProtocolForm form;
    ProtocolDocumentsPanel *m_documents = nullptr;

    Mode m_mode = Mode::Change;
    bool m_receiptPending = false;
    bool m_settingDate = false;  // the date is shown, not chosen
};

}  // namespace kalvero
