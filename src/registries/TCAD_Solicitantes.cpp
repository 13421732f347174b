#include "TCAD_Solicitantes.h"

#include "RegistryController.h"
#include "RegistryWidgets.h"
#include "UCpfCnpj.h"
#include "data/modules/TUDMCadastro.h"
#include "data/records/LikePattern.h"
#include "ui/BoxExit.h"
#include "ui/DialogKeys.h"
#include "ui/ErrorBox.h"
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

const QString AllByName = QStringLiteral("select * from TBSOLICITANTE order by NOME");

QString withoutSpaces(QString text) { return text.remove(QLatin1Char(' ')); }

}  // namespace

TCAD_Solicitantes::TCAD_Solicitantes(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAD_Solicitante"));
    TUDMCadastro &dm = *UDMCadastro;
    RecordSet *records = &dm.cdsTBSolicitante;
    form = RegistryForm::build(this, {QStringLiteral("Cadastro dos Solicitantes"), QStringLiteral("Solicitantes"), records,
                                      {QStringLiteral("IDSOLICITANTE"), QStringLiteral("CPF"), QStringLiteral("CNPJ"),
                                       QStringLiteral("NOME")},
                                      true, true, QSize(820, 600)});

    edtConsultaCodigo = RegistryWidgets::codeSearchBox(form, 0, QStringLiteral("Código:"));
    btnLocalizar = RegistryWidgets::findButton(form, 0);
    edtConsultaNome = RegistryWidgets::textSearchBox(form, 1, QStringLiteral("Nome:"), 80);
    edtConsultaCpf = RegistryWidgets::maskedSearchBox(form, 2, QStringLiteral("CPF:"), MaskedDigitsEdit::cpfPattern());
    edtConsultaCnpj = RegistryWidgets::maskedSearchBox(form, 3, QStringLiteral("CNPJ:"), MaskedDigitsEdit::cnpjPattern());

    // Edit tab: the code and the person type on top, then the documents and the address.
    auto *data = form.dataLayout;
    edtCodigo = RegistryWidgets::dataBox(form, 0, QStringLiteral("Código*"), records, QStringLiteral("IDSOLICITANTE"));
    rgTipoSolicitante = new QGroupBox(QStringLiteral("Tipo do Solicitante*"), form.grpDados);
    auto *types = new QHBoxLayout(rgTipoSolicitante);
    rbPessoaFisica = new QRadioButton(QStringLiteral("Pessoa Fisíca"), rgTipoSolicitante);
    rbPessoaJuridica = new QRadioButton(QStringLiteral("Pessoa Juridica"), rgTipoSolicitante);
    types->addWidget(rbPessoaFisica);
    types->addWidget(rbPessoaJuridica);
    m_personTypes = new QButtonGroup(this);
    m_personTypes->addButton(rbPessoaFisica, PessoaFisica);
    m_personTypes->addButton(rbPessoaJuridica, PessoaJuridica);
    data->addWidget(rgTipoSolicitante, 0, 2, 1, 2);

    auto documentBox = [&](int row, const QString &label, const QString &pattern, const QString &field) {
        auto *box = new MaskedDigitsEdit(pattern, QLatin1Char('_'), form.grpDados);
        box->setObjectName(QStringLiteral("edt") + field);
        box->setMaximumWidth(180);
        FieldBinding::bind(box, records, field);
        auto *caption = new QLabel(label, form.grpDados);
        caption->setBuddy(box);
        data->addWidget(caption, row, 0);
        data->addWidget(box, row, 1);
        box->installEventFilter(this);
        return box;
    };
    edtCpf = documentBox(1, QStringLiteral("CPF*"), MaskedDigitsEdit::cpfPattern(), QStringLiteral("CPF"));
    edtCnpj = documentBox(2, QStringLiteral("CNPJ*"), MaskedDigitsEdit::cnpjPattern(), QStringLiteral("CNPJ"));
    using RegistryWidgets::dataBox;
    edtNome = dataBox(form, 3, QStringLiteral("Nome*"), records, QStringLiteral("NOME"));
    edtEndereco = dataBox(form, 4, QStringLiteral("Endereço*"), records, QStringLiteral("ENDERECO"));
    edtNumero = dataBox(form, 5, QStringLiteral("Número"), records, QStringLiteral("NUMERO"));
    edtCep = dataBox(form, 5, QStringLiteral("CEP"), records, QStringLiteral("CEP"), TextCase::Upper, 1);
    edtCep->setMaxLength(9);
    edtMunicipio = dataBox(form, 6, QStringLiteral("Municipio"), records, QStringLiteral("MUNICIPIO"));
    edtBairro = dataBox(form, 7, QStringLiteral("Bairro"), records, QStringLiteral("BAIRRO"));
    edtComplemento = dataBox(form, 8, QStringLiteral("Complemento"), records, QStringLiteral("COMPLEMENTO"));
    edtUf = dataBox(form, 9, QStringLiteral("UF"), records, QStringLiteral("UF"));
    edtUf->setMaximumWidth(50);
    edtEmail = dataBox(form, 10, QStringLiteral("Email"), records, QStringLiteral("EMAIL"), TextCase::Lower);
    edtTelefone = dataBox(form, 11, QStringLiteral("Telefone"), records, QStringLiteral("TEL_CONTATO"));
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
    d.openStatement = AllByName;
    d.incluirStatement = QStringLiteral("select * from TBSOLICITANTE order by IDSOLICITANTE");
    d.wholeTableStatement = QStringLiteral("SELECT * FROM TBSOLICITANTE");
    d.nextKey = [] { return UDMCadastro->NextRequesterCode(); };
    d.handoff = &SessionState::LastSavedRequesterCode;
    d.handoffOnChange = true;
    d.deleteConfirm = {QStringLiteral("Confirma a deleção deste Solicitante?"), MessageService::Icon::Warning};
    d.deleteFailure = {QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"),
                       MessageService::Icon::Error};
    d.notRegisteredAlterar = {QStringLiteral("Solicitante não Cadastrado no Sistema!"), MessageService::Icon::Warning};
    d.notRegisteredFind = d.notRegisteredAlterar;
    d.fillIn = {QStringLiteral("Preencha todos os campos corretamente."), MessageService::Icon::Error};
    d.saveConfirm = {QStringLiteral("Confirma a Gravação Deste Solicitante?"), MessageService::Icon::Information};
    d.alreadyRegistered = {QStringLiteral("Proprietário já cadastrado no Sistema..."), MessageService::Icon::Warning};
    d.firstDataBox = edtNome;
    d.clearedWhenNotRegistered = {edtConsultaNome, edtConsultaCpf};
    d.requiredDataPresent = [this] { return requiredDataPresent(); };
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
        m_loadedCpf = UDMCadastro->cdsTBSolicitante.field(QStringLiteral("CPF")).asString();
        m_loadedCnpj = UDMCadastro->cdsTBSolicitante.field(QStringLiteral("CNPJ")).asString();
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
    registry = new RegistryController(this, form, std::move(d));

    auto like = [](const char *column, int maxTyped) {
        return QStringLiteral("select * from TBSOLICITANTE where %1 order by NOME")
            .arg(LikePattern::condition(QLatin1String(column), maxTyped));
    };
    registry->addCodeFind(edtConsultaCodigo, btnLocalizar);
    registry->addTextSearch(edtConsultaNome, like("NOME", 80));
    registry->addTextSearch(edtConsultaCpf, like("CPF", 11), [this] { return edtConsultaCpf->digits(); }, AllByName);
    registry->addTextSearch(edtConsultaCnpj, like("CNPJ", 14), [this] { return edtConsultaCnpj->digits(); }, AllByName);
    connect(form.grid, &QAbstractItemView::doubleClicked, this,
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
    RecordSet &records = UDMCadastro->cdsTBSolicitante;
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

bool TCAD_Solicitantes::requiredDataPresent() {
    if (!withoutSpaces(edtCpf->digits()).isEmpty())
        leaveCpfBox();
    if (!withoutSpaces(edtCnpj->digits()).isEmpty())
        leaveCnpjBox();
    const PersonType type = personType();
    const bool documentFilled =
        (type == PessoaFisica && !edtCpf->digits().isEmpty()) ||
        (type == PessoaJuridica && !edtCnpj->digits().isEmpty() && !edtUf->text().isEmpty());
    return type != NoType && documentFilled && m_documentValidated && !edtCodigo->text().isEmpty() &&
           !edtNome->text().isEmpty();
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
    bool unique = true;
    if (!cpf.isEmpty() && !(changed && cpf == m_loadedCpf) && consulta.locate(QStringLiteral("CPF"), cpf)) {
        registry->inform({QStringLiteral("Esse CPF já está cadastrado!"), MessageService::Icon::Warning});
        unique = false;
    }
    if (!cnpj.isEmpty() && !(changed && cnpj == m_loadedCnpj) && consulta.locate(QStringLiteral("CNPJ"), cnpj)) {
        registry->inform({QStringLiteral("Esse CNPJ já está cadastrado!"), MessageService::Icon::Warning});
        unique = false;
    }
    return unique;
}

}  // namespace kalvero
