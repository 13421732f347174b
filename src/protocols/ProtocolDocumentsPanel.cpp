#include "ProtocolDocumentsPanel.h"

#include "ProtocolForm.h"
#include "ProtocolMessages.h"
#include "ProtocolStore.h"
#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"
#include "ui/CurrentVersionOffer.h"
#include "ui/ErrorBox.h"
#include "ui/FaultMark.h"
#include "ui/LockWaitOffer.h"
#include "ui/RecordGrid.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace kalvero {

using Icon = MessageService::Icon;

ProtocolDocumentsPanel::ProtocolDocumentsPanel(QWidget *window, const ProtocolForm &f, ProtocolStore &store,
                                               const ProtocolPrinting &printing)
    : QObject(window), m_window(window), form(f), m_store(store), m_printing(printing) {
    auto command = [this](void (ProtocolDocumentsPanel::*handler)()) {
        return [this, handler] { ErrorBox::guard(m_window, [&] { (this->*handler)(); }); };
    };
    connect(form.btnIncluirDocumento, &QPushButton::clicked, this, command(&ProtocolDocumentsPanel::incluir));
    connect(form.btnAlterarDocumento, &QPushButton::clicked, this, command(&ProtocolDocumentsPanel::alterar));
    connect(form.btnExcluirDocumento, &QPushButton::clicked, this, command(&ProtocolDocumentsPanel::excluir));
    connect(form.btnGravarDocumento, &QPushButton::clicked, this, command(&ProtocolDocumentsPanel::gravar));
    connect(form.btnVoltarDocumento, &QPushButton::clicked, this, command(&ProtocolDocumentsPanel::voltar));
}

void ProtocolDocumentsPanel::showNone() {
    closeEntry();
    setCommandsEnabled(false);
    form.edtTotalDocumentos->setText(QStringLiteral("0"));
    form.edtTotalPaginas->setText(QStringLiteral("0"));
}

void ProtocolDocumentsPanel::load() {
    closeEntry();
    m_store.loadDocuments();
    showTotals();
}

void ProtocolDocumentsPanel::showTotals() {
    form.edtTotalDocumentos->setText(QString::number(m_store.documentCount()));
    form.edtTotalPaginas->setText(QString::number(m_store.pageTotal()));
}

void ProtocolDocumentsPanel::setCommandsEnabled(bool enabled) {
    for (QPushButton *b : {form.btnIncluirDocumento, form.btnAlterarDocumento, form.btnExcluirDocumento})
        b->setEnabled(enabled);
}

bool ProtocolDocumentsPanel::entering() const { return form.grpManutencaoDocumentos->isVisibleTo(form.tabManutencao); }

void ProtocolDocumentsPanel::abandonEntry() {
    if (!entering())
        return;
    m_store.cancelDocument();
    closeEntry();
}

void ProtocolDocumentsPanel::holdProtocol() {
    releaseProtocol();
    QList<QWidget *> held = form.protocolBoxes();
    held << form.btnEtiqueta << form.btnEtiquetaDocumento;
    for (QWidget *w : held) {
        m_held << qMakePair(w, w->isEnabled());
        w->setEnabled(false);
    }
}

void ProtocolDocumentsPanel::releaseProtocol() {
    for (const auto &[w, enabled] : std::as_const(m_held))
        w->setEnabled(enabled);
    m_held.clear();
}

void ProtocolDocumentsPanel::openEntry(Mode mode) {
    m_mode = mode;
    setCommandsEnabled(false);
    holdProtocol();
    form.grpManutencaoDocumentos->show();
    form.DBGrid2->setEnabled(false);
    form.edtNomeDocumento->setFocus(Qt::OtherFocusReason);
}

void ProtocolDocumentsPanel::closeEntry() {
    releaseProtocol();
    form.grpManutencaoDocumentos->hide();
    form.DBGrid2->setEnabled(true);
}

void ProtocolDocumentsPanel::incluir() {
    m_store.startDocument();
    openEntry(Mode::New);
}

void ProtocolDocumentsPanel::alterar() {
    // Nothing to change on an empty list.
    if (m_store.documentCount() == 0)
        return;
    m_store.editDocument();
    openEntry(Mode::Change);
}

void ProtocolDocumentsPanel::gravar() {
    if (QWidget *box = FaultMark::firstAtFault({{form.edtNomeDocumento, !form.edtNomeDocumento->text().trimmed().isEmpty()},
                                                {form.edtPaginas, !form.edtPaginas->text().isEmpty()}})) {
        FaultMark::refuse(box, [&] { ProtocolMessages::show(m_window, QStringLiteral("Informações Inválidas para Gravação!"), Icon::Warning); });
        return;
    }
    // A document handed in has at least one page; 0 would print no label.
    if (form.edtPaginas->text().toInt() < 1) {
        ProtocolMessages::show(m_window, QStringLiteral("Quantidade de páginas inválida!\n\nInforme ao menos 1 página."),
                               Icon::Warning);
        form.edtPaginas->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!ProtocolMessages::ask(m_window, QStringLiteral("Confirma a Gravação?")))
        return;
    if (m_mode == Mode::New) {
        try {
            // Another desk holding the protocol's documents past the wait:
            // asked again, and on Não the entry stays as typed.
            if (!LockWaitOffer::writeOrRetry(m_window, ProtocolMessages::Caption, [this] { m_store.saveDocument(); }))
                return;
        } catch (const std::exception &failure) {
            if (m_store.documents().isEditing())
                m_store.cancelDocument();
            ProtocolMessages::showFailure(m_window, QStringLiteral("Não foi possível gravar este protocolo!"), failure);
            // Nothing was written: the totals stand as they are (reading
            // them again would only fail once more with the server away).
            closeEntry();
            setCommandsEnabled(true);
            form.btnIncluirDocumento->setFocus(Qt::OtherFocusReason);
            return;
        }
    } else {
        // Changed at another workstation meanwhile: the entry stays open.
        if (!CurrentVersionOffer::writeOrOffer(m_window, ProtocolMessages::Caption, m_store.documents(),
                                               [this] { m_store.saveDocument(); }, {}, QStringLiteral("Voltar")))
            return;
    }
    showTotals();
    closeEntry();
    setCommandsEnabled(true);
    (m_mode == Mode::New ? form.btnIncluirDocumento : form.btnAlterarDocumento)->setFocus(Qt::OtherFocusReason);
    form.btnEtiquetaDocumento->setEnabled(true);
}

void ProtocolDocumentsPanel::voltar() {
    m_store.cancelDocument();
    closeEntry();
    setCommandsEnabled(true);
    (m_mode == Mode::New ? form.btnIncluirDocumento : form.btnAlterarDocumento)->setFocus(Qt::OtherFocusReason);
}

void ProtocolDocumentsPanel::excluir() {
    if (m_store.documentCount() == 0)
        return;
    if (!ProtocolMessages::ask(m_window, QStringLiteral("Confirma a Deleção?")))
        return;
    try {
        m_store.removeCurrentDocument();
        showTotals();
    } catch (const std::exception &failure) {
        // The reference is named only when it is the reason: a server that
        // went away is said as such.
        const auto *database = dynamic_cast<const DatabaseError *>(&failure);
        const bool referenced = database && database->isForeignKeyViolation();
        ProtocolMessages::showFailure(
            m_window,
            referenced ? QStringLiteral(
                             "Não foi possível excluir este documento porque já existe referência para ele no sistema!")
                       : QStringLiteral("Não foi possível excluir este documento!"),
            failure, Icon::Error);
    }
}

}  // namespace kalvero
