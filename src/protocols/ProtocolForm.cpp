#include "ProtocolForm.h"

#include "ProtocolSearch.h"

#include "data/modules/TUDMCadastro.h"
#include "ui/EnterAsTab.h"
#include "ui/FieldBinding.h"
#include "ui/FormParts.h"
#include "ui/LookupBinding.h"
#include "ui/RecordGrid.h"
#include "ui/OneVisibleTab.h"
#include "ui/RecordNavigator.h"
#include "ui/TextCase.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvero {

using namespace FormParts;

namespace {

const QStringList StatusNames = {QStringLiteral("ATIVO"), QStringLiteral("CANCELADO"), QStringLiteral("ARQUIVADO")};

QComboBox *statusList(QWidget *parent, const char *name) {
    auto *list = named(new QComboBox(parent), name);
    list->addItems(StatusNames);
    return list;
}

void buildListTab(ProtocolForm &f, TUDMCadastro &data) {
    QWidget *tab = f.tabProtocolo;
    auto *column = new QVBoxLayout(tab);
    auto *top = new QHBoxLayout;

    auto *operations = new QGroupBox(QStringLiteral("Operações"), tab);
    auto *ops = new QGridLayout(operations);
    f.btnNovo = button(operations, "btnNovo", QStringLiteral("Novo"), QStyle::SP_FileIcon);
    f.btnAlterar = button(operations, "btnAlterar", QStringLiteral("Alterar"), QStyle::SP_FileDialogDetailedView);
    f.btnCancelarProtocolo =
        button(operations, "btnCancelarProtocolo", QStringLiteral("Cancelar Protocolo"), QStyle::SP_DialogDiscardButton);
    f.btnSair = button(operations, "btnSair", QStringLiteral("&Sair"), QStyle::SP_DialogCloseButton);
    ops->addWidget(f.btnNovo, 0, 0);
    ops->addWidget(f.btnAlterar, 0, 1);
    ops->addWidget(f.btnCancelarProtocolo, 1, 0);
    ops->addWidget(f.btnSair, 1, 1);
    top->addWidget(operations);

    f.search = ProtocolSearch::build(tab);
    QWidget *queries = f.search.group;
    f.search.periodRow->addStretch();
    f.cbStatusFiltro = statusList(queries, "cbStatusFiltro");
    f.btnExibirTodos = button(queries, "btnExibirTodos", QStringLiteral("Exibir &Todos"), QStyle::SP_BrowserReload);
    f.search.grid->addWidget(label(QStringLiteral("Status"), f.cbStatusFiltro, queries), 2, 0);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(f.cbStatusFiltro);
    statusRow->addWidget(f.btnExibirTodos);
    statusRow->addStretch();
    f.search.grid->addLayout(statusRow, 2, 1);
    top->addWidget(queries, 1);
    column->addLayout(top);

    auto *navigation = new QHBoxLayout;
    f.navigator = new RecordNavigator(&data.cdsTBProtocolo, tab);
    navigation->addWidget(f.navigator, 1);
    f.btnComprovante = button(tab, "btnComprovante", QStringLiteral("Comprovante de Entrega"), QStyle::SP_FileDialogInfoView);
    navigation->addWidget(f.btnComprovante);
    column->addLayout(navigation);

    f.list = ProtocolListView::build(tab, column, data.cdsTBProtocolo);
}

void buildProtocolFields(ProtocolForm &f, TUDMCadastro &data, QVBoxLayout *column) {
    QWidget *tab = f.tabManutencao;
    RecordSet *protocol = &data.cdsTBProtocolo;
    auto *fields = new QGroupBox(tab);
    auto *g = new QGridLayout(fields);

    f.edtIdProtocolo = named(new QLineEdit(fields), "edtIdProtocolo");
    FieldBinding::bind(f.edtIdProtocolo, protocol, QStringLiteral("IDPROTOCOLO"), TextCase::AsTyped);
    f.edtAno = named(new QLineEdit(fields), "edtAno");
    FieldBinding::bind(f.edtAno, protocol, QStringLiteral("ANO"), TextCase::AsTyped);
    for (QLineEdit *box : {f.edtIdProtocolo, f.edtAno}) {
        box->setEnabled(false);
        box->setMaximumWidth(70);
    }
    f.dtpEntrada = datePicker(fields, "dtpEntrada");
    f.cbStatus = statusList(fields, "cbStatus");

    auto *keyRow = new QHBoxLayout;
    keyRow->addWidget(f.edtIdProtocolo);
    keyRow->addWidget(label(QStringLiteral("Ano*"), f.edtAno, fields));
    keyRow->addWidget(f.edtAno);
    keyRow->addSpacing(12);
    keyRow->addWidget(label(QStringLiteral("Data de Entrada*"), f.dtpEntrada, fields));
    keyRow->addWidget(f.dtpEntrada);
    keyRow->addSpacing(12);
    keyRow->addWidget(label(QStringLiteral("Status*"), f.cbStatus, fields));
    keyRow->addWidget(f.cbStatus);
    keyRow->addStretch();
    g->addWidget(label(QStringLiteral("Número*"), f.edtIdProtocolo, fields), 0, 0);
    g->addLayout(keyRow, 0, 1);

    auto lookupRow = [&](int row, const QString &caption, QLineEdit *&code, const char *codeName, QComboBox *&lookup,
                         const char *lookupName, QToolButton *&add, const char *addName, const QString &field,
                         const LookupBinding::Choices &choices) {
        code = codeBox(fields, codeName, protocol, field);
        lookup = named(new QComboBox(fields), lookupName);
        LookupBinding::bind(lookup, protocol, field, choices);
        add = imageButton(fields, addName, QStringLiteral("Incluir"), QStyle::SP_FileDialogNewFolder);
        // Filling the protocol with Enter never opens a registry.
        EnterAsTab::passBy(add);
        auto *line = new QHBoxLayout;
        line->addWidget(code);
        line->addWidget(lookup, 1);
        line->addWidget(add);
        g->addWidget(label(caption, code, fields), row, 0);
        g->addLayout(line, row, 1);
    };
    lookupRow(1, QStringLiteral("Solicitante*"), f.edtSolicitante, "edtSolicitante", f.cbSolicitante, "cbSolicitante",
              f.btnIncluirSolicitante, "btnIncluirSolicitante", QStringLiteral("SOLICITANTE"),
              {&data.cdsTBSolicitante, QStringLiteral("IDSOLICITANTE"), QStringLiteral("NOME"),
               {QStringLiteral("IDSOLICITANTE"), QStringLiteral("NOME")}});
    lookupRow(2, QStringLiteral("Assunto*"), f.edtAssunto, "edtAssunto", f.cbAssunto, "cbAssunto", f.btnIncluirAssunto,
              "btnIncluirAssunto", QStringLiteral("ASSUNTO"),
              {&data.cdsTBAssunto, QStringLiteral("IDASSUNTO"), QStringLiteral("DESCRICAO"),
               {QStringLiteral("IDASSUNTO"), QStringLiteral("DESCRICAO")}});
    column->addWidget(fields);

    auto *description = new QGroupBox(QStringLiteral(" Descrição* "), tab);
    auto *d = new QHBoxLayout(description);
    f.mmDescricao = named(new QPlainTextEdit(description), "mmDescricao");
    FieldBinding::bind(f.mmDescricao, protocol, QStringLiteral("DESCRICAO"));
    f.mmDescricao->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    f.mmDescricao->setTabChangesFocus(true);  // Enter moves on too, as everywhere on this window
    f.mmDescricao->setFixedHeight(70);
    d->addWidget(f.mmDescricao, 1);
    f.btnEtiqueta = imageButton(description, "btnEtiqueta", QStringLiteral("Imprimir Etiqueta"), QStyle::SP_FileIcon);
    f.btnEtiqueta->setIconSize(QSize(32, 32));
    d->addWidget(f.btnEtiqueta, 0, Qt::AlignTop);
    column->addWidget(description);
}

void buildDocuments(ProtocolForm &f, TUDMCadastro &data, QVBoxLayout *column) {
    QWidget *tab = f.tabManutencao;
    RecordSet *documents = &data.cdsTBDocumentos;
    auto *row = new QHBoxLayout;

    auto *commands = new QGroupBox(QStringLiteral(" Documentos "), tab);
    auto *c = new QVBoxLayout(commands);
    f.btnIncluirDocumento = button(commands, "btnIncluirDocumento", QStringLiteral("Incluir"), QStyle::SP_FileIcon);
    f.btnAlterarDocumento =
        button(commands, "btnAlterarDocumento", QStringLiteral("Alterar"), QStyle::SP_FileDialogDetailedView);
    f.btnExcluirDocumento = button(commands, "btnExcluirDocumento", QStringLiteral("Excluir"), QStyle::SP_TrashIcon);
    for (QPushButton *b : {f.btnIncluirDocumento, f.btnAlterarDocumento, f.btnExcluirDocumento})
        c->addWidget(b);
    c->addStretch();
    row->addWidget(commands);

    auto *right = new QVBoxLayout;
    f.grpManutencaoDocumentos = named(new QGroupBox(QStringLiteral(" Manutenção dos Documentos "), tab),
                                     "grpManutencaoDocumentos");
    auto *e = new QHBoxLayout(f.grpManutencaoDocumentos);
    f.edtNomeDocumento = named(new QLineEdit(f.grpManutencaoDocumentos), "edtNomeDocumento");
    FieldBinding::bind(f.edtNomeDocumento, documents, QStringLiteral("NOMEDOCUMENTO"), TextCase::Upper);
    f.edtPaginas = named(new QLineEdit(f.grpManutencaoDocumentos), "edtPaginas");
    FieldBinding::bind(f.edtPaginas, documents, QStringLiteral("PAGINA"), TextCase::AsTyped);
    acceptDigitsOnly(f.edtPaginas, 5);
    f.edtPaginas->setMaximumWidth(60);
    f.btnGravarDocumento = button(f.grpManutencaoDocumentos, "btnGravarDocumento", QStringLiteral("Gravar"),
                                  QStyle::SP_DialogSaveButton);
    f.btnVoltarDocumento = button(f.grpManutencaoDocumentos, "btnVoltarDocumento", QStringLiteral("Voltar"),
                                  QStyle::SP_ArrowBack);
    e->addWidget(label(QStringLiteral("Descrição*"), f.edtNomeDocumento, f.grpManutencaoDocumentos));
    e->addWidget(f.edtNomeDocumento, 1);
    e->addWidget(label(QStringLiteral("Qtd de Páginas*"), f.edtPaginas, f.grpManutencaoDocumentos));
    e->addWidget(f.edtPaginas);
    e->addWidget(f.btnGravarDocumento);
    e->addWidget(f.btnVoltarDocumento);
    f.grpManutencaoDocumentos->hide();
    right->addWidget(f.grpManutencaoDocumentos);

    auto *attached = new QGroupBox(QStringLiteral(" Documentos Anexados ao Protocolo "), tab);
    auto *a = new QHBoxLayout(attached);
    f.DBGrid2 = named(new RecordGrid(documents, RecordGrid::Colours::Zebra, attached), "DBGrid2");
    f.DBGrid2->setFieldNames({QStringLiteral("IDDOCUMENTO"), QStringLiteral("IDPROTOCOLO"), QStringLiteral("ANO"),
                              QStringLiteral("NOMEDOCUMENTO"), QStringLiteral("PAGINA")});
    a->addWidget(f.DBGrid2, 1);
    f.btnEtiquetaDocumento = imageButton(attached, "btnEtiquetaDocumento", QStringLiteral("Imprimir Etiqueta Documento"),
                                         QStyle::SP_FileLinkIcon);
    f.btnEtiquetaDocumento->setIconSize(QSize(32, 32));
    a->addWidget(f.btnEtiquetaDocumento, 0, Qt::AlignTop);
    right->addWidget(attached, 1);

    auto *totals = new QHBoxLayout;
    totals->addStretch();
    f.edtTotalDocumentos = totalBox(tab, "edtTotalDocumentos");
    f.edtTotalPaginas = totalBox(tab, "edtTotalPaginas");
    totals->addWidget(label(QStringLiteral("Total de Documentos:"), f.edtTotalDocumentos, tab));
    totals->addWidget(f.edtTotalDocumentos);
    totals->addSpacing(12);
    totals->addWidget(label(QStringLiteral("Total de Páginas:"), f.edtTotalPaginas, tab));
    totals->addWidget(f.edtTotalPaginas);
    right->addLayout(totals);
    row->addLayout(right, 1);
    column->addLayout(row, 1);
}

void buildMaintenanceTab(ProtocolForm &f, TUDMCadastro &data) {
    auto *column = new QVBoxLayout(f.tabManutencao);
    buildProtocolFields(f, data, column);
    buildDocuments(f, data, column);

    auto *bottom = new QGroupBox(f.tabManutencao);
    auto *b = new QHBoxLayout(bottom);
    b->addWidget(new QLabel(QStringLiteral("* Informações Obrigatórias"), bottom));
    b->addStretch();
    f.btnGravar = button(bottom, "btnGravar", QStringLiteral("&Gravar"), QStyle::SP_DialogSaveButton);
    f.btnSairManutencao = button(bottom, "btnSairManutencao", QStringLiteral("&Sair"), QStyle::SP_ArrowBack);
    b->addWidget(f.btnGravar);
    b->addWidget(f.btnSairManutencao);
    column->addWidget(bottom);
}

}  // namespace

ProtocolForm ProtocolForm::build(QDialog *window, TUDMCadastro &data) {
    ProtocolForm f;
    const TwoPages pages = twoPageWindow(window, QStringLiteral("Cadastro de Protocolos"), QSize(707, 648),
                                         "tabProtocolo", QStringLiteral("Protocolo"), "tabManutencao",
                                         QStringLiteral("Manutenção"));
    f.PageControl = pages.tabs;
    f.tabProtocolo = pages.first;
    f.tabManutencao = pages.second;
    buildListTab(f, data);
    buildMaintenanceTab(f, data);
    return f;
}

void ProtocolForm::showListTab() const { showOnlyTab(PageControl, tabProtocolo, tabManutencao); }

void ProtocolForm::showMaintenanceTab() const { showOnlyTab(PageControl, tabManutencao, tabProtocolo); }

QList<QWidget *> ProtocolForm::protocolBoxes() const {
    return {dtpEntrada, edtSolicitante, edtAssunto, cbSolicitante, cbAssunto, mmDescricao, btnIncluirSolicitante,
            btnIncluirAssunto, btnGravar, cbStatus};
}

}  // namespace kalvero
