#include "TCAD_Solicitantes.h"

#include "RegistryController.h"
#include "RegistryWidgets.h"
#include "UCpfCnpj.h"
#include "data/modules/UnitNumbering.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "ui/BoxExit.h"
#include "ui/DialogKeys.h"
#include "ui/ErrorBox.h"
#include "ui/FaultMark.h"
#include "ui/RecordGrid.h"
#include "ui/FieldBinding.h"
#include "ui/MaskedDigitsEdit.h"
#include "ui/RecordGrid.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace kalvero {

namespace {

QString withoutSpaces(QString text) { return text.remove(QLatin1Char(' ')); }

}  // namespace

TCAD_Solicitantes::TCAD_Solicitantes(TUDMCadastro &data, SessionState &session, QWidget *parent)
    : QDialog(parent), m_data(data) {
    setObjectName(QStringLiteral("CAD_Solicitante"));
    RecordSet *records = &data.cdsTBSolicitante;
    form = RegistryForm::build(this, {QStringLiteral("Cadastro dos Solicitantes"), QStringLiteral("Solicitantes"), records,
                                      {QStringLiteral("IDSOLICITANTE"), QStringLiteral("CPF"), QStringLiteral("CNPJ"),
                                       QStringLiteral("NOME")},
                                      true, true, QSize(820, 600)});

    using namespace RegistryWidgets;
    edtConsultaCodigo = codeSearchBox(form, "edtConsultaCodigo", 0, QStringLiteral("Código:"));
    btnLocalizar = findButton(form, 0);
    edtConsultaNome = textSearchBox(form, "edtConsultaNome", 1, QStringLiteral("Nome:"), 80);
    edtConsultaCpf = maskedSearchBox(form, "edtConsultaCpf", 2, QStringLiteral("CPF:"), MaskedDigitsEdit::cpfPattern());
    edtConsultaCnpj =
        maskedSearchBox(form, "edtConsultaCnpj", 3, QStringLiteral("CNPJ:"), MaskedDigitsEdit::cnpjPattern());

    // Edit tab: the code and the person type on top, then the documents and the address.
    auto *grid = form.dataLayout;
    edtCodigo = dataBox(form, "edtCodigo", 0, QStringLiteral("Código*"), records, QStringLiteral("IDSOLICITANTE"));
    rgTipoSolicitante = new QGroupBox(QStringLiteral("Tipo do Solicitante*"), form.grpDados);
    rgTipoSolicitante->setObjectName(QStringLiteral("rgTipoSolicitante"));
    auto *types = new QHBoxLayout(rgTipoSolicitante);
    rbPessoaFisica = new QRadioButton(QStringLiteral("Pessoa Fisíca"), rgTipoSolicitante);
    rbPessoaFisica->setObjectName(QStringLiteral("rbPessoaFisica"));
    rbPessoaJuridica = new QRadioButton(QStringLiteral("Pessoa Juridica"), rgTipoSolicitante);
    rbPessoaJuridica->setObjectName(QStringLiteral("rbPessoaJuridica"));
    types->addWidget(rbPessoaFisica);
    types->addWidget(rbPessoaJuridica);
    m_personTypes = new QButtonGroup(this);
    m_personTypes->addButton(rbPessoaFisica, PessoaFisica);
    m_personTypes->addButton(rbPessoaJuridica, PessoaJuridica);
    grid->addWidget(rgTipoSolicitante, 0, 2, 1, 2);

    auto documentBox = [&](const char *name, int row, const QString &label, const QString &pattern,
                           const QString &field) {
        auto *box = new MaskedDigitsEdit(pattern, QLatin1Char('_'), form.grpDados);
        box->setObjectName(QLatin1String(name));
        box->setMaximumWidth(180);
        FieldBinding::bind(box, records, field);
        auto *caption = new QLabel(label, form.grpDados);
        caption->setBuddy(box);
        grid->addWidget(caption, row, 0);
        grid->addWidget(box, row, 1);
        box->installEventFilter(this);
        return box;
    };
    edtCpf = documentBox("edtCpf", 1, QStringLiteral("CPF*"), MaskedDigitsEdit::cpfPattern(), QStringLiteral("CPF"));
    edtCnpj = documentBox("edtCnpj", 2, QStringLiteral("CNPJ*"), MaskedDigitsEdit::cnpjPattern(), QStringLiteral("CNPJ"));
    edtNome = dataBox(form, "edtNome", 3, QStringLiteral("Nome*"), records, QStringLiteral("NOME"));
    edtEndereco = dataBox(form, "edtEndereco", 4, QStringLiteral("Endereço*"), records, QStringLiteral("ENDERECO"));
    edtNumero = dataBox(form, "edtNumero", 5, QStringLiteral("Número"), records, QStringLiteral("NUMERO"));
    edtCep = dataBox(form, "edtCep", 5, QStringLiteral("CEP"), records, QStringLiteral("CEP"), TextCase::Upper, 1);
    edtCep->setMaxLength(9);
    edtMunicipio = dataBox(form, "edtMunicipio", 6, QStringLiteral("Municipio"), records, QStringLiteral("MUNICIPIO"));
    edtBairro = dataBox(form, "edtBairro", 7, QStringLiteral("Bairro"), records, QStringLiteral("BAIRRO"));
    edtComplemento =
        dataBox(form, "edtComplemento", 8, QStringLiteral("Complemento"), records, QStringLiteral("COMPLEMENTO"));
    edtUf = dataBox(form, "edtUf", 9, QStringLiteral("UF"), records, QStringLiteral("UF"));
    edtUf->setMaximumWidth(50);
    edtEmail = dataBox(form, "edtEmail", 10, QStringLiteral("Email"), records, QStringLiteral("EMAIL"), TextCase::Lower);
    edtTelefone = dataBox(form, "edtTelefone", 11, QStringLiteral("Telefone"), records, QStringLiteral("TEL_CONTATO"));
    QWidget *order[] = {edtCodigo, rbPessoaFisica, rbPessoaJuridica, edtCpf, edtCnpj, edtNome, edtEndereco, edtNumero,
                        edtCep, edtMunicipio, edtBairro, edtComplemento, edtUf, edtEmail, edtTelefone, form.btnGravar,
                        form.btnCancelar};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_personTypes, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            ErrorBox::guard(this, [&] { personTypeChanged(PersonType(id)); });
    });

    RegistryDefinition d;
    d.records = records;
    d.codeField = QStringLiteral("IDSOLICITANTE");
    d.openStatement = RequesterStatements::orderedByName();
    d.incluirStatement = RequesterStatements::orderedByCode();
    d.wholeTableStatement = RequesterStatements::wholeTable();
    d.wholeTableQuery = &data.connectionModule().SQLConsulta;
    d.numbering = [] { return UnitNumbering::requesters(); };
    d.session = &session;
    d.handoff = &SessionState::LastSavedRequesterCode;
    d.handoffOnChange = true;
    d.deleteConfirm = {QStringLiteral("Confirma a deleção deste Solicitante?"), MessageService::Icon::Warning};
    d.deleteFailure = {QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"),
                       MessageService::Icon::Error};
    d.notRegisteredAlterar = {QStringLiteral("Solicitante não Cadastrado no Sistema!"), MessageService::Icon::Warning};
    d.notRegisteredFind = d.notRegisteredAlterar;
    d.fillIn = {QStringLiteral("Preencha todos os campos corretamente."), MessageService::Icon::Error};
    d.saveConfirm = {QStringLiteral("Confirma a Gravação Deste Solicitante?"), MessageService::Icon::Information};
    d.firstDataBox = edtNome;
    d.clearedWhenNotRegistered = {edtConsultaNome, edtConsultaCpf};
    d.boxAtFault = [this] { return boxAtFault(); };
    d.ownDuplicateCheck = [this] { return duplicateCheckPasses(); };
    d.afterOpen = [this] {
        edtConsultaCpf->clear();
        edtConsultaCodigo->setEnabled(true);
    };
    d.afterIncluir = [this] {
        m_documentValidated = false;
        setPersonType(PessoaFisica);
    };
    d.afterAlterar = [this] {
        m_documentValidated = true;
        m_loadedCpf = m_data.cdsTBSolicitante.field(QStringLiteral("CPF")).asString();
        m_loadedCnpj = m_data.cdsTBSolicitante.field(QStringLiteral("CNPJ")).asString();
        edtConsultaCodigo->setEnabled(false);
        setPersonType(m_loadedCnpj.isEmpty() ? PessoaFisica : PessoaJuridica);
    };
    d.afterSave = [this] {
        clearPersonType();
        edtConsultaNome->clear();
        edtConsultaCodigo->setEnabled(true);
        form.btnIncluir->setFocus(Qt::OtherFocusReason);
    };
    d.afterCancel = [this] {
        clearPersonType();
        edtConsultaCpf->clear();
    };
    d.afterDelete = [this] { clearPersonType(); };
    d.afterCurrentVersion = [this] {
        // The record's own documents are now the ones the other workstation wrote.
        m_loadedCpf = m_data.cdsTBSolicitante.valueAsRead(QStringLiteral("CPF")).toString();
        m_loadedCnpj = m_data.cdsTBSolicitante.valueAsRead(QStringLiteral("CNPJ")).toString();
    };
    registry = new RegistryController(this, form, std::move(d));

    registry->addCodeFind(edtConsultaCodigo, btnLocalizar);
    registry->addTextSearch(edtConsultaNome, RequesterStatements::nameContaining());
    registry->addTextSearch(edtConsultaCpf, RequesterStatements::cpfContaining(),
                            [this] { return edtConsultaCpf->digits(); }, RequesterStatements::orderedByName());
    registry->addTextSearch(edtConsultaCnpj, RequesterStatements::cnpjContaining(),
                            [this] { return edtConsultaCnpj->digits(); }, RequesterStatements::orderedByName());
    connect(form.grid, &RecordGrid::listDoubleClicked, this,
            [this] { ErrorBox::guard(this, [this] { registry->alterar(); }); });

    DialogKeys::install(this);
    registry->open();
}

TCAD_Solicitantes::~TCAD_Solicitantes() = default;

TCAD_Solicitantes::PersonType TCAD_Solicitantes::personType() const { return PersonType(m_personTypes->checkedId()); }

void TCAD_Solicitantes::setPersonType(PersonType type) {
    QAbstractButton *button = m_personTypes->button(type);
    if (button->isChecked())
        personTypeChanged(type);
    else
        button->setChecked(true);
}

void TCAD_Solicitantes::clearPersonType() {
    m_personTypes->setExclusive(false);
    rbPessoaFisica->setChecked(false);
    rbPessoaJuridica->setChecked(false);
    m_personTypes->setExclusive(true);
    rgTipoSolicitante->setEnabled(true);
}

void TCAD_Solicitantes::personTypeChanged(PersonType type) {
    if (!registry->isEditing())
        return;
    RecordSet &records = m_data.cdsTBSolicitante;
    // The box that takes the document gets the focus before the other one
    // is disabled, so no box is left by being disabled.
    MaskedDigitsEdit *keep = type == PessoaFisica ? edtCpf : edtCnpj;
    MaskedDigitsEdit *drop = type == PessoaFisica ? edtCnpj : edtCpf;
    records.field(type == PessoaFisica ? QStringLiteral("CNPJ") : QStringLiteral("CPF")).clear();
    m_changingType = true;
    keep->setEnabled(true);
    keep->setFocus(Qt::OtherFocusReason);
    drop->setEnabled(false);
    m_changingType = false;
}

bool TCAD_Solicitantes::eventFilter(QObject *watched, QEvent *event) {
    if ((watched == edtCpf || watched == edtCnpj) && leavesBox(event) && !m_changingType && registry->isEditing())
        ErrorBox::guard(this, [&] { watched == edtCpf ? leaveCpfBox() : leaveCnpjBox(); });
    return QDialog::eventFilter(watched, event);
}

void TCAD_Solicitantes::leaveCpfBox() {
    const QString cpf = edtCpf->digits();
    m_documentValidated = cpf.size() == 11 && CpfIsValid(cpf);
    if (!m_documentValidated)
        registry->inform({QStringLiteral("Número do CPF inválido!"), MessageService::Icon::Error});
}

void TCAD_Solicitantes::leaveCnpjBox() {
    const QString cnpj = edtCnpj->digits();
    m_documentValidated = cnpj.size() == 14 && CnpjIsValid(cnpj);
    if (!m_documentValidated)
        registry->inform({QStringLiteral("Número do CNPJ inválido!"), MessageService::Icon::Error});
}

QWidget *TCAD_Solicitantes::boxAtFault() {
    if (!withoutSpaces(edtCpf->digits()).isEmpty())
        leaveCpfBox();
    if (!withoutSpaces(edtCnpj->digits()).isEmpty())
        leaveCnpjBox();
    const PersonType type = personType();
    MaskedDigitsEdit *document = type == PessoaJuridica ? edtCnpj : edtCpf;
    return FaultMark::firstAtFault({
        {rbPessoaFisica, type != NoType},
        {document, !document->digits().isEmpty() && m_documentValidated},
        {edtNome, !edtNome->text().trimmed().isEmpty() && !edtCodigo->text().isEmpty()},
        {edtUf, type != PessoaJuridica || !edtUf->text().isEmpty()},
    });
}

bool TCAD_Solicitantes::duplicateCheckPasses() {
    if (registry->RegistryMode() == RegistryController::Mode::New)
        return CheckDocumentsUnique();
    // A changed requester whose documents are as they were loaded needs no lookup.
    if (edtCpf->digits() == m_loadedCpf && edtCnpj->digits() == m_loadedCnpj)
        return true;
    return CheckDocumentsUnique();
}

bool TCAD_Solicitantes::CheckDocumentsUnique() {
    const bool changed = registry->RegistryMode() == RegistryController::Mode::Change;
    const QString cpf = withoutSpaces(edtCpf->digits());
    const QString cnpj = withoutSpaces(edtCnpj->digits());
    RecordSet &consulta = registry->wholeTable();
    // A new record left pending by a save that lost its connection may be in
    // the table already: its own document is no duplicate.
    RecordSet &records = m_data.cdsTBSolicitante;
    const bool pending = !changed && records.changeCount() > 0;
    const qint64 ownCode = pending ? records.field(QStringLiteral("IDSOLICITANTE")).asInteger() : 0;
    const auto registered = [&](const QString &column, const QString &value) {
        if (!consulta.locate(column, value))
            return false;
        return !(pending && consulta.field(QStringLiteral("IDSOLICITANTE")).asInteger() == ownCode);
    };
    bool unique = true;
    if (!cpf.isEmpty() && !(changed && cpf == m_loadedCpf) && registered(QStringLiteral("CPF"), cpf)) {
        registry->inform({QStringLiteral("Esse CPF já está cadastrado!"), MessageService::Icon::Warning});
        unique = false;
    }
    if (!cnpj.isEmpty() && !(changed && cnpj == m_loadedCnpj) && registered(QStringLiteral("CNPJ"), cnpj)) {
        registry->inform({QStringLiteral("Esse CNPJ já está cadastrado!"), MessageService::Icon::Warning});
        unique = false;
    }
    return unique;
}

}  // namespace kalvero
