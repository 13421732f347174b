#include "TCAD_Movimentacao.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "data/NotReadAgain.h"
#include "data/modules/TUDMCadastro.h"
#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "protocols/ProtocolMessages.h"
#include "protocols/TFRM_CancelandoProtocolo.h"
#include "registries/TCAD_Setores.h"
#include "ui/BoxExit.h"
#include "ui/EnterAsTab.h"
#include "ui/ErrorBox.h"
#include "ui/FaultMark.h"
#include "ui/LockWaitOffer.h"
#include "ui/MaskedDigitsEdit.h"
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
using Order = ProtocolListQuery::Order;

std::optional<QTime> TCAD_Movimentacao::timeOfDay(const QString &digits) {
    // The box gives its four positions: a blank first hour digit is allowed
    // (" 9:30"), any other blank position leaves the time incomplete.
    if (digits.size() != 4)
        return std::nullopt;
    const QString hours = digits.left(2).trimmed();
    const QString minutes = digits.mid(2);
    bool hoursOk = false;
    bool minutesOk = false;
    const int h = hours.toInt(&hoursOk);
    const int m = minutes.toInt(&minutesOk);
    if (hours.isEmpty() || !hoursOk || !minutesOk || minutes.contains(QLatin1Char(' ')))
        return std::nullopt;
    const QTime time(h, m);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

TCAD_Movimentacao::TCAD_Movimentacao(TUDMCadastro &data, SessionState &session, HistoryPrint printHistory,
                                     QWidget *parent)
    : QDialog(parent), m_data(data), m_session(session), m_printHistory(std::move(printHistory)), m_protocols(data),
      m_movements(data) {
    setObjectName(QStringLiteral("CAD_Movimentacao"));
    form = MovementForm::build(this, data);

    auto command = [this](void (TCAD_Movimentacao::*handler)()) {
        return [this, handler] { ErrorBox::guard(this, [&] { (this->*handler)(); }); };
    };
    connect(form.btnMovimentar, &QPushButton::clicked, this, command(&TCAD_Movimentacao::movimentar));
    connect(form.btnSair, &QPushButton::clicked, this, &QDialog::close);
    connect(form.search.btnFiltrar, &QPushButton::clicked, this, command(&TCAD_Movimentacao::filterPeriod));
    connect(form.btnExibirTodos, &QPushButton::clicked, this, command(&TCAD_Movimentacao::exibirTodos));
    form.search.connect(this, m_protocols);

    connect(form.btnIncluir, &QPushButton::clicked, this, command(&TCAD_Movimentacao::incluir));
    connect(form.btnCancelar, &QPushButton::clicked, this, command(&TCAD_Movimentacao::cancelarMovimentacao));
    connect(form.btnImprimir, &QPushButton::clicked, this, command(&TCAD_Movimentacao::imprimir));
    connect(form.btnIncluirSetor, &QToolButton::clicked, this, command(&TCAD_Movimentacao::incluirSetor));
    connect(form.btnIncluirResponsavel, &QToolButton::clicked, this,
            command(&TCAD_Movimentacao::incluirResponsavel));
    connect(form.dtpData, &QDateEdit::dateChanged, this, command(&TCAD_Movimentacao::deliveryDateChanged));
    connect(form.btnGravar, &QPushButton::clicked, this, command(&TCAD_Movimentacao::gravar));
    connect(form.btnCancelarEntrada, &QPushButton::clicked, this, command(&TCAD_Movimentacao::cancelarEntrada));
    connect(form.btnSairManutencao, &QPushButton::clicked, this, command(&TCAD_Movimentacao::sairManutencao));
    new BoxExitWatch(form.cbSetor, [this] { ErrorBox::guard(this, [this] { sectorLeft(); }); });

    connect(this, &QDialog::finished, this, [this] { closeRecordSets(); });
    EnterAsTab::enable(this);
    ErrorBox::guard(this, [this] { openScreen(); });
}

TCAD_Movimentacao::~TCAD_Movimentacao() { closeRecordSets(); }

void TCAD_Movimentacao::keyPressEvent(QKeyEvent *event) {
    // Esc does not close the screen: it is left through "&Sair" or its close box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TCAD_Movimentacao::closeRecordSets() {
    m_movements.abandonNew();
    for (RecordSet *set : {&m_data.cdsTBSolicitante, &m_data.cdsTBAssunto, &m_data.cdsTBSetor,
                           &m_data.cdsTBResponsavelPorSetor, &m_data.cdsTBMovimentacao, &m_data.cdsTBProtocolo})
        set->close();
}

void TCAD_Movimentacao::message(const QString &text, MessageService::Icon icon) {
    ProtocolMessages::show(this, text, icon);
}

// ---- Tab "Protocolo" ------------------------------------------------------

void TCAD_Movimentacao::openScreen() {
    form.showListTab();
    form.search.showCurrentYearAndMonth();
    m_protocols.openLists(ProtocolListQuery::ofStatus(QStringLiteral("0"), Order::NewestNumber));
    showProtocolTotal();
    form.btnMovimentar->setFocus(Qt::OtherFocusReason);
}

void TCAD_Movimentacao::showProtocolTotal() {
    form.list.showTotal(m_protocols.protocols());
}

void TCAD_Movimentacao::filterPeriod() {
    m_protocols.loadList(ProtocolListQuery::ofPeriod(QStringLiteral("0"), form.search.dtpDe->date(), form.search.dtpAte->date(),
                                                     Order::NewestNumber));
    showProtocolTotal();
}

void TCAD_Movimentacao::exibirTodos() {
    form.search.edtConsultaNumero->clear();
    form.search.showCurrentYearAndMonth();
    m_protocols.loadList(ProtocolListQuery::ofStatus(QStringLiteral("0"), Order::NewestNumber));
    showProtocolTotal();
}

void TCAD_Movimentacao::movimentar() {
    RecordSet &protocols = m_protocols.protocols();
    if (!protocols.isActive() || protocols.isEmpty())
        return;
    const QString number = protocols.field(QStringLiteral("IDPROTOCOLO")).asString();
    const QString year = protocols.field(QStringLiteral("ANO")).asString();
    form.edtNumero->setText(number);
    form.edtAno->setText(year);
    form.edtDataEntrada->setText(DateText::fromDate(protocols.field(QStringLiteral("DATADEENTRADA")).value().toDate()));
    form.edtSolicitante->setText(protocols.field(QStringLiteral("SOLICITANTENOME")).asString());
    form.edtAssunto->setText(protocols.field(QStringLiteral("ASSUNTONOME")).asString());

    m_movements.openProtocol(number, year);
    showMovementTotal();
    form.showMaintenanceTab();
    browse();
}

// ---- Tab "Manutenção" -----------------------------------------------------

void TCAD_Movimentacao::showMovementTotal() {
    form.edtTotalMovimentacoes->setText(QString::number(m_movements.movementCount()));
}

void TCAD_Movimentacao::browse() {
    form.showBrowseLayout();
    for (QWidget *w : std::initializer_list<QWidget *>{form.btnIncluir, form.btnCancelar, form.DBGrid2})
        w->setEnabled(true);
    form.btnIncluir->setFocus(Qt::OtherFocusReason);
}

void TCAD_Movimentacao::incluir() {
    m_movements.startNew();
    form.showEntryLayout();
    for (QWidget *w : std::initializer_list<QWidget *>{form.btnIncluir, form.btnCancelar, form.DBGrid2})
        w->setEnabled(false);
    form.cbSituacao->setCurrentIndex(0);
    m_settingDate = true;
    form.dtpData->setDate(Clock::today());
    m_settingDate = false;
    form.edtHora->clear();
    form.cbResponsavel->setEnabled(false);
    form.edtSetor->setFocus(Qt::OtherFocusReason);
}

void TCAD_Movimentacao::sectorLeft() {
    RecordSet &m = m_movements.movements();
    if (!m.isActive())
        return;
    const QVariant sector = m.field(QStringLiteral("SETOR")).value();
    if (!sector.isNull())
        m_movements.loadResponsiblesOf(sector.toInt());
    enableResponsibleBox();
}

void TCAD_Movimentacao::enableResponsibleBox() {
    form.cbResponsavel->setEnabled(m_data.cdsTBResponsavelPorSetor.isActive() &&
                                   !m_data.cdsTBResponsavelPorSetor.isEmpty());
}

void TCAD_Movimentacao::registerOnTheWay(int SessionState::*handoff, const QString &field,
                                         const std::function<void()> &reload) {
    m_session.*handoff = 0;
    TCAD_Setores(m_data, m_session, this).exec();
    // The registry works on the same sector and person lists.
    reload();
    RecordSet &m = m_movements.movements();
    if (m_session.*handoff != 0 && m.isActive() && m.isEditing())
        m.field(field).setValue(m_session.*handoff);
}

void TCAD_Movimentacao::showResponsiblesOfTheSector() {
    // Without a sector chosen there is no person to list.
    const QVariant sector = m_movements.movements().field(QStringLiteral("SETOR")).value();
    m_movements.loadResponsiblesOf(sector.isNull() ? -1 : sector.toInt());
    enableResponsibleBox();
}

void TCAD_Movimentacao::incluirSetor() {
    registerOnTheWay(&SessionState::LastSavedSectorCode, QStringLiteral("SETOR"), [this] { m_movements.loadSectors(); });
    // The persons listed are those of the sector now in the box, the one
    // just registered included.
    if (m_movements.movements().isActive() && m_movements.movements().isEditing())
        showResponsiblesOfTheSector();
}

void TCAD_Movimentacao::incluirResponsavel() {
    registerOnTheWay(&SessionState::LastSavedResponsibleCode, QStringLiteral("RESPONSAVEL"), [this] {
        m_movements.loadSectors();
        showResponsiblesOfTheSector();
    });
}

void TCAD_Movimentacao::deliveryDateChanged() {
    if (m_settingDate || !m_movements.movements().isActive() || !m_movements.movements().isEditing())
        return;
    const QString year = m_movements.year();
    if (QString::number(form.dtpData->date().year()).rightJustified(4, QLatin1Char('0')) != year)
        message(QStringLiteral("Data inválida!\n\nInforme uma data no ano de ") + year, Icon::Error);
}

QWidget *TCAD_Movimentacao::boxAtFault() const {
    // A code that is in no list leaves its lookup box empty.
    const bool sector = !form.cbSetor->currentText().isEmpty() && form.cbResponsavel->isEnabled();
    return FaultMark::firstAtFault({{form.cbSituacao, form.cbSituacao->currentIndex() == 0},
                                    {form.edtSetor, sector},
                                    {form.edtHora, timeOfDay(form.edtHora->digits()).has_value()},
                                    {form.cbResponsavel, !form.cbResponsavel->currentText().isEmpty()}});
}

void TCAD_Movimentacao::gravar() {
    RecordSet &m = m_movements.movements();
    if (!m.isActive() || !m.isNewRecord())
        return;
    if (QWidget *box = boxAtFault()) {
        FaultMark::refuse(box, [&] { message(QStringLiteral("Informações Inválidas para Gravação!"), Icon::Warning); });
        return;
    }
    if (!ProtocolMessages::ask(this, QStringLiteral("Confirma a Gravação?")))
        return;
    try {
        // Another desk holding the protocol's movements past the wait: asked again.
        if (!LockWaitOffer::writeOrRetry(this, ProtocolMessages::Caption, [this] {
                m_movements.save(form.dtpData->date(), *timeOfDay(form.edtHora->digits()), m_session.OperatorCode);
            }))
            return;
    } catch (const std::exception &failure) {
        // Nothing was written (or it is looked for at the next press); the
        // entry stays as typed for another try.
        ProtocolMessages::showFailure(this, QStringLiteral("Não foi possível gravar esta movimentação!"), failure);
        return;
    }
    showMovementTotal();
    browse();
    m_movements.loadAllResponsibles();
}

void TCAD_Movimentacao::cancelarEntrada() {
    m_movements.abandonNew();
    browse();
    m_movements.loadAllResponsibles();
}

void TCAD_Movimentacao::cancelarMovimentacao() {
    RecordSet &m = m_movements.movements();
    if (!m.isActive() || m.isEmpty() || m.isEditing())
        return;
    const QString date = m_movements.currentDateText();
    if (m_movements.currentIsCancelled()) {
        message(QStringLiteral("A movimentação do dia ") + date + QStringLiteral(" já foi cancelada!"), Icon::Error);
        return;
    }
    if (!ProtocolMessages::ask(this, QStringLiteral("Deseja CANCELAR a movimentação do dia ") + date +
                                         QLatin1Char('?')))
        return;
    if (!TFRM_CancelandoProtocolo::askReason(m_session.CancellationReason, this))
        return;
    const QString cancelled = QStringLiteral("Movimentação do dia ") + date + QStringLiteral(" cancelada com sucesso!");
    try {
        m_movements.cancelCurrent(m_session.CancellationReason);
    } catch (const NotReadAgain &unread) {
        showMovementTotal();
        MessageService::inform(this, ProtocolMessages::Caption,
                               cancelled + QStringLiteral("\n\nO histórico de movimentações não pôde ser lido "
                                                          "novamente; o cancelamento aparece na próxima leitura."),
                               Icon::Warning, unread.readingDetails());
        return;
    } catch (const std::exception &failure) {
        ProtocolMessages::showFailure(this, QStringLiteral("Não foi possível cancelar a movimentação do dia ") + date,
                                      failure);
        return;
    }
    showMovementTotal();
    message(cancelled, Icon::Information);
}

void TCAD_Movimentacao::imprimir() {
    // A movement being entered is not in the history yet.
    if (m_movements.savedMovementCount() == 0) {
        message(QStringLiteral("Protocolo sem movimentação!"), Icon::Warning);
        return;
    }
    if (m_printHistory)
        m_printHistory(m_movements.number(), m_movements.year(), this);
}

void TCAD_Movimentacao::sairManutencao() {
    m_movements.closeProtocol();
    form.showListTab();
    form.btnMovimentar->setFocus(Qt::OtherFocusReason);
}

}  // namespace kalvero
