#include "TCAD_Protocolo.h"

#include "ProtocolDocumentsPanel.h"
#include "ProtocolMessages.h"
#include "TFRM_CancelandoProtocolo.h"
#include "data/Clock.h"
#include "data/NotReadAgain.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "data/session/SessionState.h"
#include "registries/TCAD_Assuntos.h"
#include "registries/TCAD_Solicitantes.h"
#include "ui/CurrentVersionOffer.h"
#include "ui/EnterAsTab.h"
#include "ui/ErrorBox.h"
#include "ui/FaultMark.h"
#include "ui/LockWaitOffer.h"
#include "ui/RecordGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace kalvero {

using Icon = MessageService::Icon;

namespace {

const QString SaveFailed = QStringLiteral("Não foi possível gravar este protocolo!");

QString currentYear() { return QString::number(Clock::today().year()); }

// Runs a printing command that the printing code has filled in.
void print(const ProtocolPrinting::Command &command, QWidget *screen) {
    if (command)
        command(screen);
}

}  // namespace

TCAD_Protocolo::TCAD_Protocolo(TUDMCadastro &data, SessionState &session, ProtocolPrinting printing, QWidget *parent)
    : QDialog(parent), m_data(data), m_session(session), m_printing(std::move(printing)), m_store(data) {
    setObjectName(QStringLiteral("CAD_Protocolo"));
    form = ProtocolForm::build(this, data);
    m_documents = new ProtocolDocumentsPanel(this, form, m_store, m_printing);

    auto command = [this](void (TCAD_Protocolo::*handler)()) {
        return [this, handler] { ErrorBox::guard(this, [&] { (this->*handler)(); }); };
    };
    connect(form.btnNovo, &QPushButton::clicked, this, command(&TCAD_Protocolo::novo));
    connect(form.btnAlterar, &QPushButton::clicked, this, command(&TCAD_Protocolo::alterar));
    connect(form.btnCancelarProtocolo, &QPushButton::clicked, this, command(&TCAD_Protocolo::cancelarProtocolo));
    connect(form.btnSair, &QPushButton::clicked, this, &QDialog::close);
    connect(form.cbStatusFiltro, &QComboBox::activated, this, command(&TCAD_Protocolo::chooseStatus));
    connect(form.search.btnFiltrar, &QPushButton::clicked, this, command(&TCAD_Protocolo::filterPeriod));
    connect(form.btnExibirTodos, &QPushButton::clicked, this, command(&TCAD_Protocolo::exibirTodos));
    form.search.connect(this, m_store);

    connect(form.btnGravar, &QPushButton::clicked, this, command(&TCAD_Protocolo::gravar));
    connect(form.btnSairManutencao, &QPushButton::clicked, this, command(&TCAD_Protocolo::sairManutencao));
    connect(form.btnIncluirSolicitante, &QToolButton::clicked, this, command(&TCAD_Protocolo::incluirSolicitante));
    connect(form.btnIncluirAssunto, &QToolButton::clicked, this, command(&TCAD_Protocolo::incluirAssunto));
    connect(form.dtpEntrada, &QDateEdit::dateChanged, this, command(&TCAD_Protocolo::entryDateChanged));

    auto printCommand = [this](ProtocolPrinting::Command ProtocolPrinting::*which) {
        return [this, which] { ErrorBox::guard(this, [&] { print(m_printing.*which, this); }); };
    };
    connect(form.btnComprovante, &QPushButton::clicked, this, printCommand(&ProtocolPrinting::deliveryReceipt));
    connect(form.btnEtiqueta, &QToolButton::clicked, this, printCommand(&ProtocolPrinting::protocolLabel));
    connect(form.btnEtiquetaDocumento, &QToolButton::clicked, this, printCommand(&ProtocolPrinting::documentLabels));
    // The double click is the document-label button's shortcut: it acts
    // only where that button does (not in the read-only view).
    connect(form.DBGrid2, &RecordGrid::listDoubleClicked, this, [this] {
        if (form.btnEtiquetaDocumento->isEnabled() && m_store.documentCount() > 0)
            ErrorBox::guard(this, [&] { print(m_printing.documentLabels, this); });
    });

    connect(this, &QDialog::finished, this, [this] { closeRecordSets(); });
    EnterAsTab::enable(this);
    openScreen();
}

TCAD_Protocolo::~TCAD_Protocolo() { closeRecordSets(); }

void TCAD_Protocolo::keyPressEvent(QKeyEvent *event) {
    // Esc does not close the screen: it is left through "&Sair" or its close box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TCAD_Protocolo::closeRecordSets() {
    for (RecordSet *set : {&m_data.cdsTBSolicitante, &m_data.cdsTBAssunto, &m_data.cdsTBAssunto_Documentos,
                           &m_data.cdsTBDocumentos, &m_data.cdsTBProtocolo})
        set->close();
}

void TCAD_Protocolo::message(const QString &text, MessageService::Icon icon) {
    ProtocolMessages::show(this, text, icon);
}

// ---- Tab "Protocolo" ------------------------------------------------------

void TCAD_Protocolo::openScreen() {
    m_store.openLists();
    showProtocolTotal();
    form.showListTab();
    form.cbStatusFiltro->setCurrentIndex(0);
    // The period pickers start on the current month.
    form.search.showCurrentYearAndMonth();
    form.btnNovo->setFocus(Qt::OtherFocusReason);
}

void TCAD_Protocolo::showProtocolTotal() {
    form.list.showTotal(m_store.protocols());
}

void TCAD_Protocolo::novo() {
    m_mode = Mode::New;
    m_store.startNew();
    m_settingDate = true;
    form.dtpEntrada->setDate(Clock::today());
    m_settingDate = false;
    form.cbStatus->setCurrentIndex(0);
    m_documents->showNone();
    form.showMaintenanceTab();
    m_receiptPending = false;
    form.btnEtiqueta->setEnabled(false);
    form.btnEtiquetaDocumento->setEnabled(false);
    setProtocolBoxesEnabled(true);
    form.edtSolicitante->setFocus(Qt::OtherFocusReason);
}

void TCAD_Protocolo::alterar() {
    RecordSet &protocols = m_store.protocols();
    if (!protocols.isActive() || protocols.isEmpty())
        return;
    const bool active = protocols.field(QStringLiteral("STATUS")).asString() == QLatin1String("0");
    if (active) {
        m_mode = Mode::Change;
        protocols.edit();
    }
    // Cancelled and archived protocols are only shown.
    showEntryDateAndStatus();
    setProtocolBoxesEnabled(active);
    m_documents->load();
    m_documents->setCommandsEnabled(active);
    form.btnEtiqueta->setEnabled(active);
    form.btnEtiquetaDocumento->setEnabled(active && m_store.documentCount() > 0);
    m_receiptPending = false;
    form.showMaintenanceTab();
    (active ? static_cast<QWidget *>(form.edtSolicitante) : form.btnSairManutencao)->setFocus(Qt::OtherFocusReason);
}

void TCAD_Protocolo::cancelarProtocolo() {
    RecordSet &protocols = m_store.protocols();
    if (!protocols.isActive() || protocols.isEmpty())
        return;
    // Number and year side by side, as every message of the list writes them.
    const QString protocol =
        protocols.field(QStringLiteral("IDPROTOCOLO")).asString() + protocols.field(QStringLiteral("ANO")).asString();
    if (protocols.field(QStringLiteral("STATUS")).asString() != QLatin1String("0")) {
        message(QStringLiteral("O protocolo de Nº") + protocol + QStringLiteral(" já foi cancelado!"), Icon::Error);
        return;
    }
    if (!ProtocolMessages::ask(this, QStringLiteral("Deseja CANCELAR o protocolo de Nº") + protocol + QLatin1Char('?')))
        return;
    if (!TFRM_CancelandoProtocolo::askReason(m_session.CancellationReason, this))
        return;
    const QString cancelled = QStringLiteral("Protocolo de Nº") + protocol + QStringLiteral(" cancelado com sucesso!");
    try {
        m_store.cancelCurrent(m_session.CancellationReason);
    } catch (const NotReadAgain &unread) {
        showProtocolTotal();
        MessageService::inform(this, ProtocolMessages::Caption,
                               cancelled + QStringLiteral("\n\nA lista de protocolos não pôde ser lida novamente; o "
                                                          "cancelamento aparece na próxima leitura."),
                               Icon::Warning, unread.readingDetails());
        return;
    } catch (const std::exception &failure) {
        ProtocolMessages::showFailure(this, QStringLiteral("Não foi possível cancelar o protocolo de Nº") + protocol,
                                      failure);
        return;
    }
    showProtocolTotal();
    message(cancelled, Icon::Information);
}

void TCAD_Protocolo::chooseStatus() {
    m_store.loadList(ProtocolListQuery::ofStatus(QString::number(form.cbStatusFiltro->currentIndex())));
    showProtocolTotal();
}

bool TCAD_Protocolo::showProtocol(const QString &number, const QString &year) {
    RecordSet &protocols = m_store.protocols();
    const QString key = QStringLiteral("IDPROTOCOLO;ANO");
    // The list opens on the active protocols; the others are in the lists
    // of their own status.
    for (int status = 0; status < form.cbStatusFiltro->count(); ++status) {
        if (status != form.cbStatusFiltro->currentIndex()) {
            form.cbStatusFiltro->setCurrentIndex(status);
            chooseStatus();
        }
        if (protocols.locate(key, {number, year})) {
            alterar();
            return true;
        }
    }
    form.cbStatusFiltro->setCurrentIndex(0);
    chooseStatus();
    return false;
}

void TCAD_Protocolo::filterPeriod() {
    m_store.loadList(ProtocolListQuery::ofPeriod(QString::number(form.cbStatusFiltro->currentIndex()),
                                                 form.search.dtpDe->date(), form.search.dtpAte->date()));
    showProtocolTotal();
}

void TCAD_Protocolo::exibirTodos() {
    form.search.edtConsultaNumero->clear();
    form.search.edtConsultaAno->setText(currentYear());
    form.cbStatusFiltro->setCurrentIndex(0);
    m_store.loadList(ProtocolListQuery::ofStatus(QStringLiteral("0")));
    showProtocolTotal();
}

// ---- Tab "Manutenção" -----------------------------------------------------

void TCAD_Protocolo::setProtocolBoxesEnabled(bool enabled) {
    for (QWidget *w : form.protocolBoxes())
        w->setEnabled(enabled);
}

void TCAD_Protocolo::showEntryDateAndStatus() {
    RecordSet &protocols = m_store.protocols();
    m_settingDate = true;
    form.dtpEntrada->setDate(protocols.field(QStringLiteral("DATADEENTRADA")).value().toDate());
    m_settingDate = false;
    form.cbStatus->setCurrentIndex(int(protocols.field(QStringLiteral("STATUS")).asInteger()));
}

void TCAD_Protocolo::entryDateChanged() {
    RecordSet &protocols = m_store.protocols();
    if (m_settingDate || !protocols.isEditing())
        return;
    const QString year = protocols.field(QStringLiteral("ANO")).asString();
    if (QString::number(form.dtpEntrada->date().year()).rightJustified(4, QLatin1Char('0')) != year)
        message(QStringLiteral("Data inválida!\n\nInforme uma data no ano de ") + year, Icon::Error);
}

QWidget *TCAD_Protocolo::boxAtFault() const {
    // A code that is in no list leaves its lookup box empty.
    return FaultMark::firstAtFault({{form.edtSolicitante, !form.cbSolicitante->currentText().isEmpty()},
                                    {form.edtAssunto, !form.cbAssunto->currentText().isEmpty()},
                                    {form.mmDescricao, form.mmDescricao->toPlainText().trimmed().size() > 3}});
}

void TCAD_Protocolo::gravar() {
    // A document being entered is saved or dropped first.
    if (!m_store.protocols().isEditing() || m_documents->entering())
        return;
    if (QWidget *box = boxAtFault()) {
        FaultMark::refuse(box, [&] { message(QStringLiteral("Informações Inválidas para Gravação!"), Icon::Warning); });
        return;
    }
    if (!ProtocolMessages::ask(this, QStringLiteral("Confirma a Gravação?")))
        return;
    if (m_mode == Mode::New)
        saveFirst();
    else
        saveLater();
}

void TCAD_Protocolo::saveFirst() {
    // The required documents are offered before the write, so that the
    // protocol and the documents chosen are written together.
    QStringList documents;
    try {
        const int subject = int(m_store.protocols().field(QStringLiteral("ASSUNTO")).asInteger());
        const QStringList required = m_store.requiredDocumentNames(subject);
        if (!required.isEmpty() &&
            ProtocolMessages::ask(this, QStringLiteral("Deseja incluir os documentos necessários do ") +
                                            form.cbAssunto->currentText() + QLatin1Char('?')))
            documents = required;
        // Another desk holding the year's numbers past the wait: asked again.
        if (!LockWaitOffer::writeOrRetry(this, ProtocolMessages::Caption, [&] {
                m_store.saveFirst(form.dtpEntrada->date(), form.cbStatus->currentIndex(), documents);
            }))
            return;
    } catch (const std::exception &failure) {
        // Nothing was written (or it is looked for at the next press); the
        // typing stays for another try.
        ProtocolMessages::showFailure(this, SaveFailed, failure);
        return;
    }
    showProtocolTotal();
    form.btnEtiqueta->setEnabled(true);
    m_mode = Mode::Change;
    m_documents->setCommandsEnabled(true);
    m_documents->showTotals();
    if (!documents.isEmpty())
        form.btnEtiquetaDocumento->setEnabled(true);
    m_receiptPending = true;
    form.btnIncluirDocumento->setFocus(Qt::OtherFocusReason);
}

void TCAD_Protocolo::saveLater() {
    // Another workstation changed this protocol since it was opened: the
    // operator may take its version, with what they changed kept.
    try {
        if (!CurrentVersionOffer::writeOrOffer(
                this, ProtocolMessages::Caption, m_store.protocols(),
                [this] { m_store.saveChanges(form.dtpEntrada->date(), form.cbStatus->currentIndex()); },
                [this] { showEntryDateAndStatus(); }, QStringLiteral("Sair")))
            return;
    } catch (const std::exception &failure) {
        // The changes stay on the screen for another try.
        ProtocolMessages::showFailure(this, SaveFailed, failure);
        return;
    }
    if (m_receiptPending) {
        // The receipt stays due until it has been shown: after a failure the
        // protocol is open again, and the next "&Gravar" shows it.
        try {
            print(m_printing.savedReceipt, this);
        } catch (...) {
            m_store.protocols().edit();
            throw;
        }
        m_receiptPending = false;
    }
    form.showListTab();
    form.btnAlterar->setFocus(Qt::OtherFocusReason);
    m_store.refreshList();
    showProtocolTotal();
}

void TCAD_Protocolo::sairManutencao() {
    m_documents->abandonEntry();
    if (m_store.protocols().isEditing())
        m_store.protocols().cancel();
    form.showListTab();
    form.btnNovo->setFocus(Qt::OtherFocusReason);
}

void TCAD_Protocolo::registerOnTheWay(const std::function<void()> &runRegistry, int SessionState::*handoff,
                                      RecordSet &list, const QString &statement, const QString &field) {
    m_session.*handoff = 0;
    runRegistry();
    // The registry may have left the list closed or reordered.
    list.openWith(statement);
    // What the registry saved is chosen at once.
    if (m_session.*handoff != 0 && m_store.protocols().isEditing())
        m_store.protocols().field(field).setValue(m_session.*handoff);
}

void TCAD_Protocolo::incluirSolicitante() {
    registerOnTheWay([this] { TCAD_Solicitantes(m_data, m_session, this).exec(); }, &SessionState::LastSavedRequesterCode,
                     m_data.cdsTBSolicitante, RequesterStatements::orderedByName(), QStringLiteral("SOLICITANTE"));
}

void TCAD_Protocolo::incluirAssunto() {
    registerOnTheWay([this] { TCAD_Assuntos(m_data, m_session, this).exec(); }, &SessionState::LastSavedSubjectCode,
                     m_data.cdsTBAssunto, SubjectStatements::orderedByDescription(), QStringLiteral("ASSUNTO"));
}

}  // namespace kalvero
