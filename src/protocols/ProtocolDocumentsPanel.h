#pragma once

#include "ProtocolPrinting.h"

#include <QList>
#include <QObject>
#include <QPair>

namespace kalvero {

class ProtocolStore;
struct ProtocolForm;

// The documents of the protocol open on the tab "Manutenção": the group's
// Incluir, Alterar and Excluir, the entry group with Gravar and Voltar, the
// list with its two totals and the document-label button.
class ProtocolDocumentsPanel : public QObject {
    Q_OBJECT
public:
    enum class Mode { New, Change };

    ProtocolDocumentsPanel(QWidget *window, const ProtocolForm &form, ProtocolStore &store,
                           const ProtocolPrinting &printing);

    // A new protocol has no documents until its first save.
    void showNone();
    // The open protocol's documents, read again, with their totals.
    void load();
    // The totals of the documents listed now.
    void showTotals();
    // The group's three buttons (the entry group closed).
    void setCommandsEnabled(bool enabled);
    // Leaves an entry without saving it (the protocol is left).
    void abandonEntry();
    bool entering() const;

private:
    void incluir();
    void alterar();
    void gravar();
    void voltar();
    void excluir();
    void openEntry(Mode mode);
    void closeEntry();
    // While a document is being entered the protocol waits: its boxes,
    // "&Gravar" and the label buttons are disabled, and given back as they
    // were when the entry closes.
    void holdProtocol();
    void releaseProtocol();

    QWidget *m_window;
    const ProtocolForm &form;
    ProtocolStore &m_store;
    const ProtocolPrinting &m_printing;
    Mode m_mode = Mode::New;
    QList<QPair<QWidget *, bool>> m_held;
};

}  // namespace kalvero
