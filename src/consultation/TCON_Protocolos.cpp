#include "TCON_Protocolos.h"

#include "ConsultationRunner.h"
#include "StatusSlipPrint.h"
#include "data/Clock.h"
#include "data/DateText.h"
#include "data/firebird/FailureWords.h"
#include "data/schema/UnitSchema.h"
#include "data/session/SessionState.h"
#include "ui/ErrorBox.h"
#include "ui/MessageService.h"
#include "ui/ProgramFonts.h"
#include "ui/ZebraRowDelegate.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kalvero {

namespace {

const QString Caption = QStringLiteral("Atenção");

QTableWidget *grid(QWidget *parent, const QString &name, const QStringList &headers) {
    auto *g = new QTableWidget(parent);
    g->setObjectName(name);
    g->setColumnCount(int(headers.size()));
    g->setHorizontalHeaderLabels(headers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(20);
    g->horizontalHeader()->setHighlightSections(false);
    g->setItemDelegate(new ZebraRowDelegate(g));
    return g;
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setToolTip(text);  // the whole text, however narrow the column
    return item;
}

QString days(int n) { return n < 0 ? QStringLiteral("-") : QString::number(n); }

QPushButton *button(QWidget *parent, const QString &name, const QString &text) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TCON_Protocolos::Commands TCON_Protocolos::standardCommands(const SessionState &session, Commands c) {
    if (!c.search) {
        const QString server = session.ServerAddress;
        const QString folder = session.ProgramFolder;
        // The screen's connections to the units, kept while it is open.
        auto kept = std::make_shared<UnitConnections>();
        c.search = [server, folder, kept](const ConsultationInput &input) {
            return ConsultationStore::searchAll(server, folder, input, kept.get());
        };
    }
    if (!c.detail)
        c.detail = [](const WorkUnit &unit, const ProtocolFound &p) {
            return ConsultationStore::detailOf(unit.databaseName, p.number, p.year);
        };
    if (!c.printSlip)
        c.printSlip = [&session](const WorkUnit &unit, const ProtocolFound &p, QWidget *screen) {
            StatusSlipPrint(session).print(unit, p, screen);
        };
    return c;
}

TCON_Protocolos::TCON_Protocolos(const SessionState &session, Commands commands, QWidget *parent)
    : QDialog(parent), m_session(session), m_commands(standardCommands(session, std::move(commands))) {
    setObjectName(QStringLiteral("CON_Protocolos"));
    setWindowTitle(QStringLiteral("Consulta de Protocolos"));
    resize(1000, 640);

    auto *layout = new QVBoxLayout(this);
    auto *searchGroup = new QGroupBox(QStringLiteral(" Onde está meu protocolo? "), this);
    auto *searchLine = new QHBoxLayout(searchGroup);
    auto *prompt = new QLabel(QStringLiteral("Etiqueta, número/ano, CPF, CNPJ ou nome do solicitante:"), searchGroup);
    edtConsulta = new QLineEdit(searchGroup);
    edtConsulta->setObjectName(QStringLiteral("edtConsulta"));
    edtConsulta->setFont(ProgramFonts::tahoma(12, true));
    edtConsulta->setMaxLength(80);
    edtConsulta->setClearButtonEnabled(true);
    btnConsultar = button(searchGroup, QStringLiteral("btnConsultar"), QStringLiteral("Consultar"));
    searchLine->addWidget(prompt);
    searchLine->addWidget(edtConsulta, 1);
    searchLine->addWidget(btnConsultar);
    layout->addWidget(searchGroup);

    lblMensagem = new QLabel(this);
    lblMensagem->setObjectName(QStringLiteral("lblMensagem"));
    lblMensagem->setWordWrap(true);
    layout->addWidget(lblMensagem);

    grdProtocolos = grid(this, QStringLiteral("grdProtocolos"),
                         {QStringLiteral("Unidade"), QStringLiteral("Protocolo"), QStringLiteral("Entrada"),
                          QStringLiteral("Solicitante"), QStringLiteral("Assunto"), QStringLiteral("Status"),
                          QStringLiteral("Onde está agora"), QStringLiteral("Dias desde a entrada"),
                          QStringLiteral("Dias desde a últ. movimentação")});
    const int widths[] = {170, 80, 80, 200, 150, 85, 200, 70, 90};
    for (int i = 0; i < 9; ++i)
        grdProtocolos->setColumnWidth(i, widths[i]);
    grdProtocolos->horizontalHeader()->setStretchLastSection(true);
    grdProtocolos->installEventFilter(this);
    static_cast<ZebraRowDelegate *>(grdProtocolos->itemDelegate())->setMarkedRows([this](int row) {
        return row >= 0 && row < m_lines.size() && m_lines.at(row).second < 0;
    });
    layout->addWidget(grdProtocolos, 3);

    auto *lower = new QHBoxLayout;
    auto *documentsGroup = new QGroupBox(QStringLiteral(" Documentos "), this);
    auto *documentsBox = new QVBoxLayout(documentsGroup);
    grdDocumentos = grid(documentsGroup, QStringLiteral("grdDocumentos"),
                         {QStringLiteral("Código"), QStringLiteral("Documento"), QStringLiteral("Qtd de Páginas")});
    grdDocumentos->setColumnWidth(0, 55);
    grdDocumentos->setColumnWidth(1, 220);
    grdDocumentos->horizontalHeader()->setStretchLastSection(true);
    documentsBox->addWidget(grdDocumentos);
    lower->addWidget(documentsGroup, 2);

    auto *pathGroup = new QGroupBox(QStringLiteral(" Caminho do Protocolo "), this);
    auto *pathBox = new QVBoxLayout(pathGroup);
    grdCaminho = grid(pathGroup, QStringLiteral("grdCaminho"),
                      {QStringLiteral("Código"), QStringLiteral("Data"), QStringLiteral("Hora"),
                       QStringLiteral("Setor"), QStringLiteral("Responsável"), QStringLiteral("Situação")});
    const int pathWidths[] = {50, 80, 50, 160, 160, 80};
    for (int i = 0; i < 6; ++i)
        grdCaminho->setColumnWidth(i, pathWidths[i]);
    grdCaminho->horizontalHeader()->setStretchLastSection(true);
    static_cast<ZebraRowDelegate *>(grdCaminho->itemDelegate())->setMarkedRows([this](int row) {
        return row >= 0 && row < m_cancelledSteps.size() && m_cancelledSteps.at(row);
    });
    pathBox->addWidget(grdCaminho);
    lblLegenda = new QLabel(QStringLiteral("As movimentações marcadas em vermelho estão canceladas"), pathGroup);
    lblLegenda->setObjectName(QStringLiteral("lblLegenda"));
    lblLegenda->setFont(ProgramFonts::tahoma(8, true));
    QPalette red = lblLegenda->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lblLegenda->setPalette(red);
    pathBox->addWidget(lblLegenda);
    lower->addWidget(pathGroup, 3);
    layout->addLayout(lower, 2);

    auto *bottom = new QHBoxLayout;
    auto *keys = new QLabel(QStringLiteral("F3: nova consulta    Enter na linha: abre o protocolo da unidade atual"), this);
    bottom->addWidget(keys, 1);
    btnImprimir = button(this, QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    btnImprimir->setEnabled(false);
    btnSair = button(this, QStringLiteral("btnSair"), QStringLiteral("&Sair"));
    bottom->addWidget(btnImprimir);
    bottom->addWidget(btnSair);
    layout->addLayout(bottom);

    m_runner = new ConsultationRunner(m_commands.search, this);
    connect(m_runner, &ConsultationRunner::answered, this, &TCON_Protocolos::answered);
    m_typingPause = new QTimer(this);
    m_typingPause->setSingleShot(true);
    m_typingPause->setInterval(TypingPauseMs);
    connect(m_typingPause, &QTimer::timeout, this, &TCON_Protocolos::typed);
    connect(edtConsulta, &QLineEdit::textEdited, m_typingPause, qOverload<>(&QTimer::start));
    connect(edtConsulta, &QLineEdit::returnPressed, this, &TCON_Protocolos::searchNow);
    connect(btnConsultar, &QPushButton::clicked, this, &TCON_Protocolos::searchNow);
    connect(grdProtocolos, &QTableWidget::currentCellChanged, this, [this] {
        ErrorBox::guard(this, [&] { showDetail(); });
    });
    connect(grdProtocolos, &QTableWidget::cellDoubleClicked, this, &TCON_Protocolos::openChosen);
    connect(btnImprimir, &QPushButton::clicked, this, [this] { ErrorBox::guard(this, [&] { printChosen(); }); });
    connect(btnSair, &QPushButton::clicked, this, &QDialog::close);

    showMessage(ConsultationInput::hint(), false);
    edtConsulta->setFocus(Qt::OtherFocusReason);
}

TCON_Protocolos::~TCON_Protocolos() = default;

bool TCON_Protocolos::searching() const { return m_runner->busy(); }

void TCON_Protocolos::showMessage(const QString &text, bool trouble) {
    QPalette palette = lblMensagem->palette();
    palette.setColor(QPalette::WindowText, trouble ? QColor(255, 0, 0) : this->palette().color(QPalette::WindowText));
    lblMensagem->setPalette(palette);
    lblMensagem->setText(text);
}

// A pause in the typing: search what the box holds when it is a whole form;
// otherwise say what is missing.
void TCON_Protocolos::typed() {
    const ConsultationInput input = ConsultationInput::read(edtConsulta->text());
    if (!input.searchable()) {
        m_runner->supersede();
        if (input.kind == ConsultationInput::Kind::Refused)
            clearAnswer();
        showMessage(input.kind == ConsultationInput::Kind::Empty ? ConsultationInput::hint() : input.message,
                    input.kind == ConsultationInput::Kind::Refused);
        return;
    }
    showMessage(QStringLiteral("Consultando: ") + input.description() + QStringLiteral("..."), false);
    m_runner->start(input);
}

void TCON_Protocolos::searchNow() {
    m_typingPause->stop();
    const ConsultationInput input = ConsultationInput::read(edtConsulta->text());
    // The next scan replaces what is in the box.
    edtConsulta->selectAll();
    if (input.kind == ConsultationInput::Kind::Refused) {
        m_runner->supersede();
        clearAnswer();
        showMessage(input.message, true);
        MessageService::inform(this, Caption, input.message, MessageService::Icon::Warning);
        return;
    }
    typed();
}

void TCON_Protocolos::answered(const ConsultationInput &input, const ConsultationAnswer &answer) {
    m_answer = answer;
    m_lines.clear();
    grdProtocolos->setRowCount(0);
    const QDate today = Clock::today();
    QStringList notes;
    int unitsWith = 0;
    int failed = 0;
    for (int u = 0; u < answer.units.size(); ++u) {
        const UnitAnswer &unit = answer.units.at(u);
        if (!unit.failure.isEmpty()) {
            const int row = grdProtocolos->rowCount();
            grdProtocolos->insertRow(row);
            grdProtocolos->setItem(row, Unidade, cell(unit.unit.label()));
            grdProtocolos->setItem(row, Protocolo,
                                   cell(QStringLiteral("Unidade não consultada: ") + unit.failure));
            grdProtocolos->setSpan(row, Protocolo, 1, grdProtocolos->columnCount() - Protocolo);
            m_lines << qMakePair(u, -1);
            ++failed;
            continue;
        }
        if (!unit.protocols.isEmpty())
            ++unitsWith;
        if (unit.more)
            notes << QStringLiteral("A unidade %1 tem mais de %2 protocolos para esta consulta: só os mais recentes "
                                    "aparecem; informe mais do nome.")
                         .arg(unit.unit.code)
                         .arg(unit.protocols.size());
        for (int p = 0; p < unit.protocols.size(); ++p) {
            const ProtocolFound &found = unit.protocols.at(p);
            const int row = grdProtocolos->rowCount();
            grdProtocolos->insertRow(row);
            const Qt::Alignment centre = Qt::AlignCenter;
            grdProtocolos->setItem(row, Unidade, cell(unit.unit.label()));
            grdProtocolos->setItem(row, Protocolo, cell(found.number + QLatin1Char('/') + found.year, centre));
            grdProtocolos->setItem(row, Entrada, cell(DateText::fromDate(found.entry), centre));
            grdProtocolos->setItem(row, Solicitante, cell(found.requester));
            grdProtocolos->setItem(row, Assunto, cell(found.subject));
            grdProtocolos->setItem(row, Status, cell(ProtocolStatus::text(found.status), centre));
            grdProtocolos->setItem(row, OndeEsta, cell(found.whereNow()));
            grdProtocolos->setItem(row, DiasEntrada, cell(days(found.daysSinceEntry(today)), centre));
            grdProtocolos->setItem(row, DiasMovimento, cell(days(found.daysSinceMovement(today)), centre));
            m_lines << qMakePair(u, p);
        }
    }
    // Where the protocol is now is read whole: the column takes the room its
    // longest text needs, never less than it was given.
    grdProtocolos->resizeColumnToContents(OndeEsta);
    grdProtocolos->setColumnWidth(OndeEsta, std::max(200, grdProtocolos->columnWidth(OndeEsta)));

    QString summary;
    if (!answer.failure.isEmpty()) {
        summary = answer.failure;
    } else {
        const int count = answer.protocolCount();
        summary = input.description() + QStringLiteral(": ") +
                  (count == 0 ? QStringLiteral("nenhum protocolo encontrado")
                              : QStringLiteral("%1 protocolo(s) em %2 unidade(s)").arg(count).arg(unitsWith)) +
                  QStringLiteral(" (%1 unidade(s) consultada(s))").arg(answer.units.size() - failed);
        if (failed > 0)
            summary += QStringLiteral("; %1 unidade(s) não puderam ser consultadas").arg(failed);
        summary += QLatin1Char('.');
    }
    if (!notes.isEmpty())
        summary += QLatin1Char(' ') + notes.join(QLatin1Char(' '));
    showMessage(summary, !answer.failure.isEmpty() || failed > 0);

    // The first protocol found is chosen, so that a scan shows its path at once.
    int first = -1;
    for (int row = 0; row < m_lines.size() && first < 0; ++row)
        if (m_lines.at(row).second >= 0)
            first = row;
    if (first >= 0)
        grdProtocolos->setCurrentCell(first, Protocolo);
    else
        showDetail();
}

void TCON_Protocolos::clearAnswer() {
    m_answer = ConsultationAnswer();
    m_lines.clear();
    grdProtocolos->setRowCount(0);
    showDetail();
}

const UnitAnswer *TCON_Protocolos::chosenUnit() const {
    const int row = grdProtocolos->currentRow();
    if (row < 0 || row >= m_lines.size())
        return nullptr;
    return &m_answer.units.at(m_lines.at(row).first);
}

const ProtocolFound *TCON_Protocolos::chosenProtocol() const {
    const int row = grdProtocolos->currentRow();
    if (row < 0 || row >= m_lines.size() || m_lines.at(row).second < 0)
        return nullptr;
    return &m_answer.units.at(m_lines.at(row).first).protocols.at(m_lines.at(row).second);
}

void TCON_Protocolos::showDetail() {
    grdDocumentos->setRowCount(0);
    grdCaminho->setRowCount(0);
    m_cancelledSteps.clear();
    const ProtocolFound *protocol = chosenProtocol();
    btnImprimir->setEnabled(protocol != nullptr);
    if (!protocol)
        return;
    const ProtocolDetail detail = m_commands.detail(chosenUnit()->unit, *protocol);
    for (const ProtocolDetail::Document &d : detail.documents) {
        const int row = grdDocumentos->rowCount();
        grdDocumentos->insertRow(row);
        grdDocumentos->setItem(row, 0, cell(QString::number(d.code).rightJustified(3, QLatin1Char('0')), Qt::AlignCenter));
        grdDocumentos->setItem(row, 1, cell(d.name));
        grdDocumentos->setItem(row, 2, cell(d.pages.isNull() ? QString() : d.pages.toString(), Qt::AlignCenter));
    }
    for (const ProtocolDetail::Step &s : detail.path) {
        const int row = grdCaminho->rowCount();
        grdCaminho->insertRow(row);
        grdCaminho->setItem(row, 0, cell(QString::number(s.code).rightJustified(3, QLatin1Char('0')), Qt::AlignCenter));
        grdCaminho->setItem(row, 1, cell(DateText::fromDate(s.date), Qt::AlignCenter));
        grdCaminho->setItem(row, 2, cell(s.time.toString(QStringLiteral("HH:mm")), Qt::AlignCenter));
        grdCaminho->setItem(row, 3, cell(s.sector));
        grdCaminho->setItem(row, 4, cell(s.person));
        grdCaminho->setItem(row, 5, cell(MovementSituation::text(s.situation), Qt::AlignCenter));
        m_cancelledSteps << s.cancelled();
    }
}

void TCON_Protocolos::openChosen() {
    const ProtocolFound *protocol = chosenProtocol();
    if (!protocol)
        return;
    const WorkUnit &unit = chosenUnit()->unit;
    if (unit.code != m_session.UnitCode) {
        MessageService::inform(this, Caption,
                               QStringLiteral("O protocolo ") + protocol->number + QLatin1Char('/') + protocol->year +
                                   QStringLiteral(" é da unidade ") + unit.label() +
                                   QStringLiteral(". Para abri-lo, entre no sistema nessa unidade."),
                               MessageService::Icon::Information);
        return;
    }
    if (m_commands.openProtocol) {
        const QString number = protocol->number;
        const QString year = protocol->year;
        ErrorBox::guard(this, [&] { m_commands.openProtocol(number, year, this); });
    }
}

void TCON_Protocolos::printChosen() {
    const ProtocolFound *protocol = chosenProtocol();
    if (!protocol || !m_commands.printSlip)
        return;
    const WorkUnit unit = chosenUnit()->unit;
    const ProtocolFound copy = *protocol;
    m_commands.printSlip(unit, copy, this);
}

bool TCON_Protocolos::eventFilter(QObject *watched, QEvent *event) {
    if (watched == grdProtocolos && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openChosen();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCON_Protocolos::keyPressEvent(QKeyEvent *event) {
    // F3 here starts a new consultation: the box, emptied, takes the focus.
    if (event->key() == Qt::Key_F3) {
        edtConsulta->clear();
        edtConsulta->setFocus(Qt::ShortcutFocusReason);
        event->accept();
        return;
    }
    // Enter never closes the screen.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace kalvero
