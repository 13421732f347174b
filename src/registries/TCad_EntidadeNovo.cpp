#include "TCad_EntidadeNovo.h"

#include "RecordWrite.h"
#include "UCpfCnpj.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "data/session/EntitySession.h"
#include "data/session/StateNames.h"
#include "ui/BoxExit.h"
#include "ui/ChoiceBinding.h"
#include "ui/DialogKeys.h"
#include "ui/EnterAsTab.h"
#include "ui/ErrorBox.h"
#include "ui/FaultMark.h"
#include "ui/ScreenCentre.h"
#include "ui/FieldBinding.h"
#include "ui/MessageService.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kalvero {

namespace {

const QString Caption = QStringLiteral("Atenção");
const QString CnpjInvalid = QStringLiteral("CNPJ Inválido!");

// What the CNPJ box takes: the 14 characters, or a number typed with its
// dots, slash and hyphen, which the check then refuses.
constexpr int CnpjTyped = 18;

QGroupBox *group(const char *name, const QString &title, QWidget *parent) {
    auto *g = new QGroupBox(title, parent);
    g->setObjectName(QLatin1String(name));
    auto *grid = new QGridLayout(g);
    grid->setColumnStretch(1, 1);
    return g;
}

}  // namespace

// A caption and its box in the next row of a group's grid.
QLineEdit *TCad_EntidadeNovo::dataBox(QGroupBox *group, const char *name, const QString &label, const QString &field,
                                      TextCase textCase) {
    auto *grid = static_cast<QGridLayout *>(group->layout());
    const int row = grid->count() == 0 ? 0 : grid->rowCount();
    auto *box = new QLineEdit(group);
    box->setObjectName(QLatin1String(name));
    FieldBinding::bind(box, &m_entity, field, textCase);
    auto *caption = new QLabel(label, group);
    caption->setBuddy(box);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

TCad_EntidadeNovo::TCad_EntidadeNovo(TUDMCadastro &data, SessionState &session, QWidget *parent)
    : QDialog(parent), m_entity(data.cdsTBEntidade), m_session(session) {
    setObjectName(QStringLiteral("CAD_Entidade"));
    setWindowTitle(QStringLiteral("Informações da Entidade"));
    // A fixed border and only the close box in the title bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    CentreOnScreenWhenShown::install(this);
    RecordSet *records = &m_entity;

    auto *outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    grpEntidade = new QGroupBox(this);
    grpEntidade->setObjectName(QStringLiteral("grpEntidade"));
    auto *body = new QVBoxLayout(grpEntidade);
    outer->addWidget(grpEntidade);

    // CNPJ and telephone on top. The CNPJ box is not bound: it takes more
    // than the column holds, and the field gets its text once it is valid.
    auto *top = new QGridLayout;
    edtCnpj = new QLineEdit(grpEntidade);
    edtCnpj->setObjectName(QStringLiteral("edtCnpj"));
    edtCnpj->setMaxLength(CnpjTyped);
    // The alphanumeric CNPJ of new companies is written in capitals.
    applyTextCase(edtCnpj, TextCase::Upper);
    edtFone = new QLineEdit(grpEntidade);
    edtFone->setObjectName(QStringLiteral("edtFone"));
    FieldBinding::bind(edtFone, records, QStringLiteral("FONE"), TextCase::AsTyped);
    auto *cnpjCaption = new QLabel(QStringLiteral("CNPJ*"), grpEntidade);
    cnpjCaption->setBuddy(edtCnpj);
    auto *foneCaption = new QLabel(QStringLiteral("Telefone"), grpEntidade);
    foneCaption->setBuddy(edtFone);
    top->addWidget(cnpjCaption, 0, 0);
    top->addWidget(edtCnpj, 0, 1);
    top->addWidget(foneCaption, 0, 2);
    top->addWidget(edtFone, 0, 3);
    body->addLayout(top);

    grpResponsaveis = group("grpResponsaveis", QStringLiteral(" Responsáveis pela Entidade "), grpEntidade);
    edtPrefeito = dataBox(grpResponsaveis, "edtPrefeito", QStringLiteral("Gestor*"), QStringLiteral("PREFEITO"), TextCase::Upper);
    edtTesoureiro = dataBox(grpResponsaveis, "edtTesoureiro", QStringLiteral("Tesoureiro*"), QStringLiteral("TESOUREIRO"), TextCase::Upper);
    body->addWidget(grpResponsaveis);

    grpEndereco = group("grpEndereco", QStringLiteral(" Endereço "), grpEntidade);
    edtEndereco = dataBox(grpEndereco, "edtEndereco", QStringLiteral("Rua/Av"), QStringLiteral("ENDERECO"), TextCase::Upper);
    edtNumero = dataBox(grpEndereco, "edtNumero", QStringLiteral("Nº"), QStringLiteral("NUMERO"), TextCase::Upper);
    edtComplemento = dataBox(grpEndereco, "edtComplemento", QStringLiteral("Complemento"), QStringLiteral("COMPLEMENTO"), TextCase::Upper);
    edtBairro = dataBox(grpEndereco, "edtBairro", QStringLiteral("Bairro"), QStringLiteral("BAIRRO"), TextCase::Upper);
    // The box takes what the column holds (9 characters, as "58000-000").
    edtCep = dataBox(grpEndereco, "edtCep", QStringLiteral("CEP"), QStringLiteral("CEP"), TextCase::AsTyped);
    edtCidade = dataBox(grpEndereco, "edtCidade", QStringLiteral("Cidade*"), QStringLiteral("CIDADE"), TextCase::Upper);
    cbEstado = new QComboBox(grpEndereco);
    cbEstado->setObjectName(QStringLiteral("cbEstado"));
    cbEstado->addItems(StateNames());
    cbEstado->setMaxVisibleItems(StateNames().size());
    ChoiceBinding::bind(cbEstado, records, QStringLiteral("ESTADO"));
    {
        auto *grid = static_cast<QGridLayout *>(grpEndereco->layout());
        auto *caption = new QLabel(QStringLiteral("Estado*"), grpEndereco);
        caption->setBuddy(cbEstado);
        const int row = grid->rowCount();
        grid->addWidget(caption, row, 0);
        grid->addWidget(cbEstado, row, 1);
    }
    for (QLineEdit *shortBox : {edtNumero, edtCep})
        shortBox->setMaximumWidth(110);
    body->addWidget(grpEndereco);

    grpRelatorios = group("grpRelatorios", QStringLiteral(" Responsáveis pelos Relatórios  "), grpEntidade);
    edtResponsavel1 =
        dataBox(grpRelatorios, "edtResponsavel1", QStringLiteral("Resp 1"), QStringLiteral("RESPONSAVEL_RELATORIO_1"), TextCase::AsTyped);
    edtResponsavel2 =
        dataBox(grpRelatorios, "edtResponsavel2", QStringLiteral("Resp 2"), QStringLiteral("RESPONSAVEL_RELATORIO_2"), TextCase::AsTyped);
    {
        auto *grid = static_cast<QGridLayout *>(grpRelatorios->layout());
        for (QLineEdit *signer : {edtResponsavel1, edtResponsavel2})
            signer->setMinimumWidth(280);
        grid->addWidget(new QLabel(QStringLiteral("Ex: Funcionário Emitente / Tesoureiro(a)"), grpRelatorios), 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("Ex: Tesoureiro(a) / Prefeito(a)"), grpRelatorios), 1, 2);
    }
    body->addWidget(grpRelatorios);

    grpConfiguracoes = new QGroupBox(QStringLiteral(" Configurações "), grpEntidade);
    grpConfiguracoes->setObjectName(QStringLiteral("grpConfiguracoes"));
    auto *settings = new QVBoxLayout(grpConfiguracoes);
    rgSequenciaImpressao =
        new QGroupBox(QStringLiteral(" Sequência de Impressão de Etiquetas dos Documentos "), grpConfiguracoes);
    rgSequenciaImpressao->setObjectName(QStringLiteral("rgSequenciaImpressao"));
    auto *columns = new QHBoxLayout(rgSequenciaImpressao);
    rbSeparados = new QRadioButton(QStringLiteral("Separados por Documentos"), rgSequenciaImpressao);
    rbSeparados->setObjectName(QStringLiteral("rbSeparados"));
    rbAgrupados = new QRadioButton(QStringLiteral("Agrupados por Protocolo"), rgSequenciaImpressao);
    rbAgrupados->setObjectName(QStringLiteral("rbAgrupados"));
    columns->addWidget(rbSeparados, 1);
    columns->addWidget(rbAgrupados, 1);
    m_sequence = new QButtonGroup(this);
    m_sequence->addButton(rbSeparados, 0);
    m_sequence->addButton(rbAgrupados, 1);
    ChoiceBinding::bind(m_sequence, records, QStringLiteral("CONFIG_SEQ_IMP"));
    settings->addWidget(rgSequenciaImpressao);
    body->addWidget(grpConfiguracoes);

    auto *bottom = new QGroupBox(this);
    auto *bottomRow = new QHBoxLayout(bottom);
    lblObrigatorias = new QLabel(QStringLiteral("* Informações Obrigatórias"), bottom);
    lblObrigatorias->setObjectName(QStringLiteral("lblObrigatorias"));
    bottomRow->addWidget(lblObrigatorias);
    bottomRow->addStretch();
    btnGravar = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("&Gravar"), bottom);
    btnGravar->setObjectName(QStringLiteral("btnGravar"));
    btnSair = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Sair"), bottom);
    btnSair->setObjectName(QStringLiteral("btnSair"));
    for (QPushButton *b : {btnGravar, btnSair}) {
        b->setMinimumHeight(34);
        bottomRow->addWidget(b);
    }
    outer->addWidget(bottom);

    QWidget *order[] = {edtCnpj, edtFone, edtPrefeito, edtTesoureiro, edtEndereco, edtNumero, edtComplemento,
                        edtBairro, edtCep, edtCidade, cbEstado, edtResponsavel1, edtResponsavel2, rbSeparados,
                        rbAgrupados, btnGravar, btnSair};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(btnGravar, &QPushButton::clicked, this, [this] { ErrorBox::guard(this, [this] { gravar(); }); });
    connect(btnSair, &QPushButton::clicked, this, &TCad_EntidadeNovo::sair);
    // However the window closes, the record set closes with it and a row
    // not saved is discarded.
    connect(this, &QDialog::finished, this, [this] { m_entity.close(); });
    edtCnpj->installEventFilter(this);
    btnSair->installEventFilter(this);
    EnterAsTab::enable(this);
    DialogKeys::install(this);

    loadEntity();
}

TCad_EntidadeNovo::~TCad_EntidadeNovo() { m_entity.close(); }

void TCad_EntidadeNovo::loadEntity() {
    RecordSet &e = m_entity;
    e.openWith(EntityStatements::standing());
    e.first();
    if (e.isEmpty()) {
        e.append();
        e.field(QStringLiteral("ESTADO")).setAsString(QStringLiteral("PARAÍBA"));
        e.field(QStringLiteral("RESPONSAVEL_RELATORIO_1")).setAsString(QStringLiteral("Funcionário(a) Emitente"));
        e.field(QStringLiteral("RESPONSAVEL_RELATORIO_2"))
            .setAsString(QStringLiteral("Tesoureiro(a) ou Ordenador da Despesa"));
    } else {
        e.edit();
    }
    edtCnpj->setText(e.field(QStringLiteral("CNPJ")).asString());
    edtCnpj->setFocus(Qt::OtherFocusReason);
}

void TCad_EntidadeNovo::done(int result) {
    // Boxes losing the focus to a closing window are not left.
    m_closing = true;
    QDialog::done(result);
}

bool TCad_EntidadeNovo::eventFilter(QObject *watched, QEvent *event) {
    if (watched == edtCnpj && leavesBox(event) && !m_closing && m_entity.isEditing()) {
        // The mouse pressed on "&Sair" waits for its release: a press that
        // becomes a click leaves the window unsaved whatever the CNPJ holds;
        // one released elsewhere leaves the box like any other exit.
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason &&
            QApplication::focusWidget() == btnSair)
            m_cnpjExitPending = true;
        else
            leaveCnpjBox();
    } else if (watched == btnSair && event->type() == QEvent::MouseButtonRelease && m_cnpjExitPending) {
        // Checked once the release has had its effect: a click has closed the window by then.
        QMetaObject::invokeMethod(this, [this] {
            if (!m_cnpjExitPending)
                return;
            m_cnpjExitPending = false;
            if (!m_closing && m_entity.isEditing())
                leaveCnpjBox();
        }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TCad_EntidadeNovo::leaveCnpjBox() {
    if (CnpjIsValid(edtCnpj->text()))
        return;
    warn(CnpjInvalid);
    edtCnpj->setFocus(Qt::OtherFocusReason);
}

void TCad_EntidadeNovo::warn(const QString &text) {
    MessageService::inform(this, Caption, text, MessageService::Icon::Warning);
}

void TCad_EntidadeNovo::gravar() {
    // Blanks around a name do not count towards its length.
    if (QWidget *box = FaultMark::firstAtFault({{edtCnpj, edtCnpj->text().size() >= 4},
                                                {edtPrefeito, edtPrefeito->text().trimmed().size() >= 4},
                                                {edtTesoureiro, edtTesoureiro->text().trimmed().size() >= 4},
                                                {edtCidade, edtCidade->text().trimmed().size() >= 4}})) {
        FaultMark::refuse(box, [&] { warn(QStringLiteral("Informações Inválidas para Gravação!")); });
        return;
    }
    // The accelerator saves without leaving the CNPJ box: its check is made
    // here too, so that no invalid CNPJ is ever written.
    if (!CnpjIsValid(edtCnpj->text())) {
        warn(CnpjInvalid);
        edtCnpj->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!MessageService::confirm(this, Caption, QStringLiteral("Confirma a Gravação?"), MessageService::Icon::Question))
        return;
    RecordSet &e = m_entity;
    e.field(QStringLiteral("CNPJ")).setAsString(edtCnpj->text());
    postAndApply(e);
    // The session follows the entity as stored: a refused write leaves it
    // as it was.
    readEntityIntoSession(e, m_session);
    accept();
}

void TCad_EntidadeNovo::sair() {
    m_entity.cancel();
    close();
}

}  // namespace kalvero
