#include "TCAD_Setores.h"

#include "ChildListController.h"
#include "RegistryController.h"
#include "RegistryWidgets.h"
#include "data/modules/UnitNumbering.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "ui/DialogKeys.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvero {

TCAD_Setores::TCAD_Setores(TUDMCadastro &data, SessionState &session, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAD_Setor"));
    form = RegistryForm::build(this, {QStringLiteral("Cadastro de Setores"), QStringLiteral("Setor"), &data.cdsTBSetor,
                                      {QStringLiteral("IDSETOR"), QStringLiteral("NOME")}, true, true, QSize(700, 540)});

    using namespace RegistryWidgets;
    edtConsultaNome = textSearchBox(form, "edtConsultaNome", 0, QStringLiteral("Descrição"), 45);
    edtCodigo = dataBox(form, "edtCodigo", 0, QStringLiteral("Código*"), &data.cdsTBSetor, QStringLiteral("IDSETOR"));
    edtNome = dataBox(form, "edtNome", 1, QStringLiteral("Descrição*"), &data.cdsTBSetor, QStringLiteral("NOME"));

    responsaveis = ChildListForm::build(form.tabManutencao, QStringLiteral(" Responsáveis pelo setor "),
                                        &data.cdsTBResponsavelPorSetor,
                                        {QStringLiteral("IDRESPONSAVEL"), QStringLiteral("NOME"), QStringLiteral("SETOR")},
                                        RecordGrid::Colours::Zebra);
    form.editLayout->insertWidget(1, responsaveis.group, 1);

    ChildListDefinition children;
    children.children = &data.cdsTBResponsavelPorSetor;
    children.nameField = QStringLiteral("NOME");
    children.parentField = QStringLiteral("SETOR");
    children.codeField = QStringLiteral("IDRESPONSAVEL");
    children.listStatement = ResponsibleStatements::ofSector();
    // Persons are numbered over all sectors together.
    children.numbering = [](int) { return UnitNumbering::responsibles(); };
    children.parentCode = [&data] { return int(data.cdsTBSetor.field(QStringLiteral("IDSETOR")).asInteger()); };
    children.afterSave = [&session](int person) { session.LastSavedResponsibleCode = person; };
    children.noChildren = {QStringLiteral("Não há responsáveis cadastrados!"), MessageService::Icon::Error};
    children.deleteConfirm = {QStringLiteral("Confirma a deleção deste responsável?"), MessageService::Icon::Information};
    children.deleteFailure = {QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"),
                              MessageService::Icon::Error};
    responsibleList = new ChildListController(this, responsaveis, std::move(children));

    RegistryDefinition d;
    d.records = &data.cdsTBSetor;
    d.codeField = QStringLiteral("IDSETOR");
    d.openStatement = SectorStatements::orderedByName();
    d.incluirStatement = SectorStatements::orderedByCode();
    d.wholeTableStatement = SectorStatements::wholeTable();
    d.wholeTableQuery = &data.connectionModule().SQLConsulta;
    d.numbering = [] { return UnitNumbering::sectors(); };
    d.session = &session;
    d.handoff = &SessionState::LastSavedSectorCode;
    d.handoffOnChange = true;
    d.deleteConfirm = {QStringLiteral("Confirma a Deleção Deste Setor?"), MessageService::Icon::Information};
    d.deleteFailure = {QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"),
                       MessageService::Icon::Error};
    d.notRegisteredAlterar = {QStringLiteral("Setor não Cadastrado no Sistema!"), MessageService::Icon::Error};
    d.fillIn = {QStringLiteral("Preencha o campo Descrição Setor!"), MessageService::Icon::Warning};
    d.saveConfirm = {QStringLiteral("Confirma a Gravação Deste Setor?"), MessageService::Icon::Question};
    d.firstDataBox = edtNome;
    d.focusAfterNo = edtNome;
    d.clearedWhenNotRegistered = {edtConsultaNome};
    d.requiredDataPresent = [this] { return !edtCodigo->text().isEmpty() && !edtNome->text().trimmed().isEmpty(); };
    d.afterIncluir = [this] { responsibleList->load(registry->provisionalCode(), false); };
    d.afterAlterar = [this, &data] {
        responsibleList->load(int(data.cdsTBSetor.field(QStringLiteral("IDSETOR")).asInteger()), true);
    };
    registry = new RegistryController(this, form, std::move(d));
    registry->addTextSearch(edtConsultaNome, SectorStatements::nameContaining());

    DialogKeys::install(this);
    DialogKeys::moveFocusOnEnter(edtNome, form.btnGravar);
    registry->open();
}

TCAD_Setores::~TCAD_Setores() = default;

}  // namespace kalvero
