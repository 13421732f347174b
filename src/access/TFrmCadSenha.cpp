#include "TFrmCadSenha.h"

#include "AccessRegistryController.h"
#include "Tdm2.h"
#include "data/modules/AccessStatements.h"
#include "registries/RegistryWidgets.h"
#include "ui/ChoiceBinding.h"
#include "ui/PasswordBox.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace kalvero {

namespace {
constexpr int UserCodeLength = 4;
constexpr int PasswordLength = 5;
}  // namespace

TFrmCadSenha::TFrmCadSenha(Tdm2 &access, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmCadSenha"));
    RecordSet *records = &access.tbOperacao;
    RegistryForm::Settings settings{QStringLiteral("Cadastro de Senha"), QStringLiteral("Senhas"), records,
                                    {QStringLiteral("USUARIO"), QStringLiteral("ACESSO"), QStringLiteral("NOME")},
                                    false, false, QSize(720, 480)};
    settings.editCaption = QStringLiteral("Manutenção das Senhas");
    settings.searchCaption = QStringLiteral("Consulta por Usuário");
    settings.closeBox = false;
    form = RegistryForm::build(this, settings);

    using namespace RegistryWidgets;
    edtConsultaUsuario = codeSearchBox(form, "edtConsultaUsuario", 0, QStringLiteral("Usuário:"), UserCodeLength);
    btnLocalizar = findButton(form, 0, QStringLiteral("Localizar"));

    edtUsuario =
        dataBox(form, "edtUsuario", 0, QStringLiteral("Usuário"), records, QStringLiteral("USUARIO"), TextCase::AsTyped);
    edtUsuario->setMaximumWidth(80);
    edtSenha = dataBox(form, "edtSenha", 1, QStringLiteral("Senha"), records, QStringLiteral("SENHA"), TextCase::AsTyped);
    showAsAsterisks(edtSenha);
    edtSenha->setMaximumWidth(80);
    edtNome = dataBox(form, "edtNome", 2, QStringLiteral("Nome"), records, QStringLiteral("NOME"));

    auto *levels = new QGroupBox(QStringLiteral("Nível de Usuário"), form.grpDados);
    auto *row = new QHBoxLayout(levels);
    rbAdministrador = new QRadioButton(QStringLiteral("Administrador"), levels);
    rbAdministrador->setObjectName(QStringLiteral("rbAdministrador"));
    rbAvancado = new QRadioButton(QStringLiteral("Avançado"), levels);
    rbAvancado->setObjectName(QStringLiteral("rbAvancado"));
    rbBasico = new QRadioButton(QStringLiteral("Básico"), levels);
    rbBasico->setObjectName(QStringLiteral("rbBasico"));
    rgNivel = new QButtonGroup(this);
    rgNivel->addButton(rbAdministrador, Administrador);
    rgNivel->addButton(rbAvancado, Avancado);
    rgNivel->addButton(rbBasico, Basico);
    for (QRadioButton *b : {rbAdministrador, rbAvancado, rbBasico})
        row->addWidget(b);
    form.dataLayout->addWidget(levels, 3, 0, 1, 2);
    ChoiceBinding::bind(rgNivel, records, QStringLiteral("ACESSO"));

    QWidget *order[] = {edtUsuario, edtSenha, edtNome, rbAdministrador, rbAvancado, rbBasico, form.btnGravar,
                        form.btnCancelar};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    AccessRegistryDefinition d;
    d.records = records;
    d.keyField = QStringLiteral("USUARIO");
    d.keyBox = edtUsuario;
    d.duplicateStatement = OperatorStatements::wholeTable();
    d.duplicateQuery = &access.qrLocaliza;
    d.findLength = UserCodeLength;
    d.fillIn = {QStringLiteral("Preencha todos os campos corretamente."), MessageService::Icon::Warning};
    d.saveConfirm = {QStringLiteral("Confirmar a Gravação deste Usuário?"), MessageService::Icon::Question};
    d.alreadyRegistered = {QStringLiteral("Usuário já Cadastrado no Sistema..."), MessageService::Icon::Error};
    d.deleteConfirm = {QStringLiteral("Confirma a Deleção deste Usuário?"), MessageService::Icon::Warning};
    d.notRegisteredFind = {QStringLiteral("Usuário não cadastrado no Sistema!"), MessageService::Icon::Question};
    d.firstDataBox = edtUsuario;
    d.requiredDataPresent = [this] {
        return edtUsuario->text().size() == UserCodeLength && edtSenha->text().size() == PasswordLength &&
               edtNome->text().trimmed().size() > 2;
    };
    d.newRecordValues = [] { return QVariantMap{{QStringLiteral("ACESSO"), int(Administrador)}}; };
    registry = new AccessRegistryController(this, form, std::move(d));
    registry->addFind(edtConsultaUsuario, btnLocalizar);
    registry->open();
}

TFrmCadSenha::~TFrmCadSenha() = default;

}  // namespace kalvero
