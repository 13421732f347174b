#include "MovementForm.h"

#include "data/modules/TUDMCadastro.h"
#include "ui/EnterAsTab.h"
#include "ui/FieldBinding.h"
#include "ui/FormParts.h"
#include "ui/LookupBinding.h"
#include "ui/MaskedDigitsEdit.h"
#include "ui/OneVisibleTab.h"
#include "ui/ProgramFonts.h"
#include "ui/RecordGrid.h"
#include "ui/RecordNavigator.h"
#include "ui/TextCase.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvero {

using namespace FormParts;

// The maintenance tab's groups stand at fixed heights, as the desk knows
// them; their widths follow the tab's.
class MovementPagePlacer : public QObject {
public:
    MovementPagePlacer(QWidget *tab, QWidget *protocol, QWidget *operations, QWidget *entry, QWidget *history,
                       QWidget *totals, QWidget *bottom)
        : QObject(tab), m_tab(tab), m_protocol(protocol), m_operations(operations), m_entry(entry),
          m_history(history), m_totals(totals), m_bottom(bottom) {
        tab->installEventFilter(this);
    }

    void setEntry(bool entry) {
        m_entryLayout = entry;
        m_entry->setVisible(entry);
        place();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            place();
        return false;
    }

private:
    void place() {
        constexpr int margin = 4;
        const int width = m_tab->width() - 2 * margin;
        const int operationsWidth = 160;
        m_protocol->setGeometry(margin, margin, width - operationsWidth - margin, MovementForm::PageTop - 2 * margin);
        m_operations->setGeometry(width - operationsWidth + margin, margin, operationsWidth,
                                  MovementForm::PageTop - 2 * margin);
        if (m_entryLayout) {
            m_entry->setGeometry(margin, MovementForm::PageTop, width, MovementForm::EntryHeight);
            m_history->setGeometry(margin, MovementForm::EntryHistoryTop, width, MovementForm::EntryHistoryHeight);
        } else {
            m_history->setGeometry(margin, MovementForm::PageTop, width, MovementForm::BrowseHistoryHeight);
        }
        const int below = MovementForm::PageTop + MovementForm::BrowseHistoryHeight + margin;
        const int totalsHeight = m_totals->sizeHint().height();
        m_totals->setGeometry(margin, below, width, totalsHeight);
        const int bottomTop = below + totalsHeight + margin;
        m_bottom->setGeometry(margin, bottomTop, width, std::max(m_tab->height() - bottomTop - margin, 0));
    }

    QWidget *m_tab, *m_protocol, *m_operations, *m_entry, *m_history, *m_totals, *m_bottom;
    bool m_entryLayout = false;
};

namespace {

QLineEdit *readOnlyBox(QWidget *parent, const char *name) {
    auto *box = named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

void buildListTab(MovementForm &f, TUDMCadastro &data) {
    QWidget *tab = f.tabProtocolo;
    auto *column = new QVBoxLayout(tab);
    auto *top = new QHBoxLayout;

    auto *operations = new QGroupBox(QStringLiteral("Operações"), tab);
    auto *ops = new QVBoxLayout(operations);
    f.btnMovimentar =
        button(operations, "btnMovimentar", QStringLiteral("Movimentar Protocolo"), QStyle::SP_ArrowForward);
    f.btnSair = button(operations, "btnSair", QStringLiteral("&Sair"), QStyle::SP_DialogCloseButton);
    ops->addWidget(f.btnMovimentar);
    ops->addWidget(f.btnSair);
    top->addWidget(operations);

    f.search = ProtocolSearch::build(tab);
    f.btnExibirTodos =
        button(f.search.group, "btnExibirTodos", QStringLiteral("Exibir &Todos"), QStyle::SP_BrowserReload);
    f.search.periodRow->addWidget(f.btnExibirTodos);
    f.search.periodRow->addStretch();
    QWidget *queries = f.search.group;
    top->addWidget(queries, 1);
    column->addLayout(top);

    f.navigator = new RecordNavigator(&data.cdsTBProtocolo, tab);
    column->addWidget(f.navigator);

    f.list = ProtocolListView::build(tab, column, data.cdsTBProtocolo);
}

QGroupBox *buildProtocolData(MovementForm &f) {
    auto *group = named(new QGroupBox(QStringLiteral(" Dados do Protocolo "), f.tabManutencao), "grpDadosProtocolo");
    auto *g = new QGridLayout(group);
    f.edtNumero = readOnlyBox(group, "edtNumero");
    f.edtAno = readOnlyBox(group, "edtAno");
    f.edtDataEntrada = readOnlyBox(group, "edtDataEntrada");
    f.edtSolicitante = readOnlyBox(group, "edtSolicitante");
    f.edtAssunto = readOnlyBox(group, "edtAssunto");
    for (QLineEdit *box : {f.edtNumero, f.edtAno, f.edtDataEntrada})
        box->setMaximumWidth(80);
    auto *keyRow = new QHBoxLayout;
    keyRow->addWidget(f.edtNumero);
    keyRow->addWidget(label(QStringLiteral("Ano"), f.edtAno, group));
    keyRow->addWidget(f.edtAno);
    keyRow->addWidget(label(QStringLiteral("Data de Entrada"), f.edtDataEntrada, group));
    keyRow->addWidget(f.edtDataEntrada);
    keyRow->addStretch();
    g->addWidget(label(QStringLiteral("Número"), f.edtNumero, group), 0, 0);
    g->addLayout(keyRow, 0, 1);
    g->addWidget(label(QStringLiteral("Solicitante"), f.edtSolicitante, group), 1, 0);
    g->addWidget(f.edtSolicitante, 1, 1);
    g->addWidget(label(QStringLiteral("Assunto"), f.edtAssunto, group), 2, 0);
    g->addWidget(f.edtAssunto, 2, 1);
    return group;
}

QGroupBox *buildOperations(MovementForm &f) {
    auto *group = new QGroupBox(QStringLiteral(" Operação "), f.tabManutencao);
    auto *c = new QVBoxLayout(group);
    f.btnIncluir = button(group, "btnIncluir", QStringLiteral("Incluir"), QStyle::SP_FileIcon);
    f.btnCancelar = button(group, "btnCancelar", QStringLiteral("Cancelar"), QStyle::SP_DialogDiscardButton);
    f.btnImprimir = button(group, "btnImprimir", QStringLiteral("Imprimir Relação"), QStyle::SP_FileDialogInfoView);
    for (QPushButton *b : {f.btnIncluir, f.btnCancelar, f.btnImprimir})
        c->addWidget(b);
    c->addStretch();
    return group;
}

QGroupBox *buildEntry(MovementForm &f, TUDMCadastro &data) {
    RecordSet *movement = &data.cdsTBMovimentacao;
    auto *group = named(new QGroupBox(QStringLiteral(" Manutenção da Movimentação "), f.tabManutencao),
                        "grpManutencao");
    // Everything fits the group's fixed height: tight margins, and the
    // situation and the sector on one line.
    auto *column = new QVBoxLayout(group);
    column->setContentsMargins(6, 2, 6, 4);
    column->setSpacing(2);

    f.cbSituacao = named(new QComboBox(group), "cbSituacao");
    f.cbSituacao->addItem(QStringLiteral("ENTREGUE"));
    f.edtSetor = codeBox(group, "edtSetor", movement, QStringLiteral("SETOR"));
    f.cbSetor = named(new QComboBox(group), "cbSetor");
    LookupBinding::bind(f.cbSetor, movement, QStringLiteral("SETOR"),
                        {&data.cdsTBSetor, QStringLiteral("IDSETOR"), QStringLiteral("NOME"),
                         {QStringLiteral("IDSETOR"), QStringLiteral("NOME")}});
    f.btnIncluirSetor =
        imageButton(group, "btnIncluirSetor", QStringLiteral("Incluir"), QStyle::SP_FileDialogNewFolder);
    auto *first = new QHBoxLayout;
    first->addWidget(label(QStringLiteral("Situação*"), f.cbSituacao, group));
    first->addWidget(f.cbSituacao);
    first->addSpacing(12);
    first->addWidget(label(QStringLiteral("Setor*"), f.edtSetor, group));
    first->addWidget(f.edtSetor);
    first->addWidget(f.cbSetor, 1);
    first->addWidget(f.btnIncluirSetor);
    column->addLayout(first);

    auto *delivery = new QGroupBox(QStringLiteral(" Registro de Entrega "), group);
    auto *d = new QHBoxLayout(delivery);
    d->setContentsMargins(6, 2, 6, 2);
    f.dtpData = datePicker(delivery, "dtpData");
    f.edtHora = named(new MaskedDigitsEdit(QStringLiteral("99:99"), QLatin1Char('_'), delivery), "edtHora");
    f.edtHora->setMaximumWidth(60);
    f.cbResponsavel = named(new QComboBox(delivery), "cbResponsavel");
    LookupBinding::bind(f.cbResponsavel, movement, QStringLiteral("RESPONSAVEL"),
                        {&data.cdsTBResponsavelPorSetor, QStringLiteral("IDRESPONSAVEL"), QStringLiteral("NOME"),
                         {QStringLiteral("IDRESPONSAVEL"), QStringLiteral("NOME")}});
    f.btnIncluirResponsavel =
        imageButton(delivery, "btnIncluirResponsavel", QStringLiteral("Incluir"), QStyle::SP_FileDialogNewFolder);
    d->addWidget(label(QStringLiteral("Data"), f.dtpData, delivery));
    d->addWidget(f.dtpData);
    d->addWidget(label(QStringLiteral("Hora"), f.edtHora, delivery));
    d->addWidget(f.edtHora);
    d->addWidget(label(QStringLiteral("Responsável"), f.cbResponsavel, delivery));
    d->addWidget(f.cbResponsavel, 1);
    d->addWidget(f.btnIncluirResponsavel);
    column->addWidget(delivery);

    auto *lower = new QHBoxLayout;
    auto *remarks = new QGroupBox(QStringLiteral(" Observações"), group);
    auto *r = new QHBoxLayout(remarks);
    r->setContentsMargins(6, 2, 6, 4);
    f.mmObservacao = named(new QPlainTextEdit(remarks), "mmObservacao");
    FieldBinding::bind(f.mmObservacao, movement, QStringLiteral("OBSERVACAO"));
    f.mmObservacao->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    f.mmObservacao->setTabChangesFocus(true);  // Enter moves on too, as everywhere on this window
    r->addWidget(f.mmObservacao, 1);
    lower->addWidget(remarks, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    f.btnGravar = button(group, "btnGravar", QStringLiteral("Gravar"), QStyle::SP_DialogSaveButton);
    f.btnCancelarEntrada =
        button(group, "btnCancelarEntrada", QStringLiteral("Cancelar"), QStyle::SP_DialogCancelButton);
    buttons->addWidget(f.btnGravar);
    buttons->addWidget(f.btnCancelarEntrada);
    lower->addLayout(buttons);
    column->addLayout(lower, 1);
    group->hide();
    return group;
}

QGroupBox *buildHistory(MovementForm &f, TUDMCadastro &data) {
    auto *group = named(new QGroupBox(QStringLiteral(" Histórico de Movimentações deste Protocolo "), f.tabManutencao),
                        "grpHistorico");
    auto *column = new QVBoxLayout(group);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);
    f.DBGrid2 = named(new RecordGrid(&data.cdsTBMovimentacao, RecordGrid::Colours::Zebra, group), "DBGrid2");
    f.DBGrid2->setFieldNames({QStringLiteral("IDMOVIMENTACAO"), QStringLiteral("SETORNOME"), QStringLiteral("RESPNOME"),
                              QStringLiteral("DATA"), QStringLiteral("HORA")});
    f.DBGrid2->markRowsWhere(QStringLiteral("SITUACAO"), QStringLiteral("1"));
    column->addWidget(f.DBGrid2, 1);
    f.lblLegenda = named(new QLabel(QStringLiteral("As movimentações marcadas em vermelho estão canceladas"), group),
                         "lblLegenda");
    f.lblLegenda->setFont(ProgramFonts::tahoma(11, true));  // 8 pt
    f.lblLegenda->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    column->addWidget(f.lblLegenda);
    return group;
}

QWidget *buildTotals(MovementForm &f) {
    auto *totals = new QWidget(f.tabManutencao);
    auto *t = new QHBoxLayout(totals);
    t->setContentsMargins(0, 0, 0, 0);
    t->addStretch();
    f.edtTotalMovimentacoes = totalBox(totals, "edtTotalMovimentacoes");
    t->addWidget(label(QStringLiteral("Total de Movimentações:"), f.edtTotalMovimentacoes, totals));
    t->addWidget(f.edtTotalMovimentacoes);
    return totals;
}

QGroupBox *buildBottomBar(MovementForm &f) {
    auto *bottom = new QGroupBox(f.tabManutencao);
    auto *b = new QHBoxLayout(bottom);
    b->addWidget(new QLabel(QStringLiteral("* Informações Obrigatórias"), bottom));
    b->addStretch();
    f.btnGravarRodape = button(bottom, "btnGravarRodape", QStringLiteral("&Gravar"), QStyle::SP_DialogSaveButton);
    f.btnGravarRodape->hide();
    f.btnSairManutencao = button(bottom, "btnSairManutencao", QStringLiteral("&Sair"), QStyle::SP_ArrowBack);
    b->addWidget(f.btnGravarRodape);
    b->addWidget(f.btnSairManutencao);
    return bottom;
}

void buildMaintenanceTab(MovementForm &f, TUDMCadastro &data) {
    QGroupBox *protocol = buildProtocolData(f);
    QGroupBox *operations = buildOperations(f);
    f.grpManutencao = buildEntry(f, data);
    f.grpHistorico = buildHistory(f, data);
    QWidget *totals = buildTotals(f);
    QGroupBox *bottom = buildBottomBar(f);
    f.placer = new MovementPagePlacer(f.tabManutencao, protocol, operations, f.grpManutencao, f.grpHistorico, totals,
                                      bottom);
    // Tab order: the entry's boxes in the order they are filled.
    const QList<QWidget *> order = {f.btnIncluir,    f.btnCancelar,   f.btnImprimir,        f.cbSituacao,
                                    f.edtSetor,      f.cbSetor,       f.btnIncluirSetor,    f.dtpData,
                                    f.edtHora,       f.cbResponsavel, f.btnIncluirResponsavel, f.mmObservacao,
                                    f.btnGravar,     f.btnCancelarEntrada, f.DBGrid2,       f.btnSairManutencao};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    // Filling the entry with Enter never opens the sector registry.
    EnterAsTab::passBy(f.btnIncluirSetor);
    EnterAsTab::passBy(f.btnIncluirResponsavel);
}

}  // namespace

MovementForm MovementForm::build(QDialog *window, TUDMCadastro &data) {
    MovementForm f;
    const TwoPages pages =
        twoPageWindow(window, QStringLiteral("Cadastro da Movimentação dos Protocolos"), QSize(707, 640),
                      "tabProtocolo", QStringLiteral("Protocolo"), "tabManutencao", QStringLiteral("Manutenção"));
    f.PageControl = pages.tabs;
    f.tabProtocolo = pages.first;
    f.tabManutencao = pages.second;
    buildListTab(f, data);
    buildMaintenanceTab(f, data);
    return f;
}

void MovementForm::showListTab() const { showOnlyTab(PageControl, tabProtocolo, tabManutencao); }

void MovementForm::showMaintenanceTab() const { showOnlyTab(PageControl, tabManutencao, tabProtocolo); }

void MovementForm::showBrowseLayout() const { placer->setEntry(false); }

void MovementForm::showEntryLayout() const { placer->setEntry(true); }

}  // namespace kalvero
