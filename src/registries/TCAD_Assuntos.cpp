#include "TCAD_Assuntos.h"

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
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvero {

TCAD_Assuntos::TCAD_Assuntos(TUDMCadastro &data, SessionState &session, QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAD_Assunto"));
    form = RegistryForm::build(this, {QStringLiteral("Cadastro de Assuntos"), QStringLiteral("Assunto"),
                                      &data.cdsTBAssunto, {QStringLiteral("IDASSUNTO"), QStringLiteral("DESCRICAO")},
                                      true, false, QSize(700, 540)});

    using namespace RegistryWidgets;
    edtConsultaCodigo = codeSearchBox(form, "edtConsultaCodigo", 0, QStringLiteral("Código:"));
    btnLocalizar = findButton(form, 0);
    edtConsultaDescricao = textSearchBox(form, "edtConsultaDescricao", 1, QStringLiteral("Descrição:"), 80);

    edtCodigo = dataBox(form, "edtCodigo", 0, QStringLiteral("Código*"), &data.cdsTBAssunto, QStringLiteral("IDASSUNTO"));
    edtDescricao =
        dataBox(form, "edtDescricao", 1, QStringLiteral("Descrição*"), &data.cdsTBAssunto, QStringLiteral("DESCRICAO"));

    documentos = ChildListForm::build(form.tabManutencao, QStringLiteral(" Documentos Necessários "),
                                      &data.cdsTBAssunto_Documentos,
                                      {QStringLiteral("IDASSUNTO_DOCUMENTO"), QStringLiteral("NOMEDOCUMENTO"), QStringLiteral("IDASSUNTO")},
                                      RecordGrid::Colours::Plain);
    form.editLayout->insertWidget(1, documentos.group, 1);

    ChildListDefinition children;
    children.children = &data.cdsTBAssunto_Documentos;
    children.nameField = QStringLiteral("NOMEDOCUMENTO");
    children.parentField = QStringLiteral("IDASSUNTO");
    children.codeField = QStringLiteral("IDASSUNTO_DOCUMENTO");
    children.listStatement = SubjectDocumentStatements::ofSubject();
    children.numbering = [](int subject) { return UnitNumbering::requiredDocumentsOf(subject); };
    children.parentCode = [&data] { return int(data.cdsTBAssunto.field(QStringLiteral("IDASSUNTO")).asInteger()); };
    children.noChildren = {QStringLiteral("Não há documentos cadastrados!"), MessageService::Icon::Error};
    children.deleteConfirm = {QStringLiteral("Confirma a deleção deste documento?"), MessageService::Icon::Information};
    children.deleteFailure = {QStringLiteral("Não foi possível EXCLUIR este registro, pois já existe referência para ele!"),
                              MessageService::Icon::Error};
    documentList = new ChildListController(this, documentos, std::move(children));

    RegistryDefinition d;
    d.records = &data.cdsTBAssunto;
    d.codeField = QStringLiteral("IDASSUNTO");
    d.openStatement = SubjectStatements::orderedByDescription();
    d.incluirStatement = SubjectStatements::orderedByCode();
    d.wholeTableStatement = SubjectStatements::wholeTable();
    d.wholeTableQuery = &data.connectionModule().SQLConsulta;
    d.numbering = [] { return UnitNumbering::subjects(); };
    d.session = &session;
    d.handoff = &SessionState::LastSavedSubjectCode;
    d.handoffOnChange = false;
    d.deleteConfirm = {QStringLiteral("Confirma a deleção deste assunto?"), MessageService::Icon::Information};
    d.deleteFailure = {QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"),
                       MessageService::Icon::Error};
    d.notRegisteredAlterar = {QStringLiteral("Assunto não Cadastrado no Sistema!"), MessageService::Icon::Error};
    d.notRegisteredFind = {QStringLiteral("Assunto não cadastrado no sistema!"), MessageService::Icon::Error};
    d.fillIn = {QStringLiteral("Preencha o campo Descrição!"), MessageService::Icon::Warning};
    d.saveConfirm = {QStringLiteral("Confirma a Gravação Deste Assunto?"), MessageService::Icon::Information};
    d.firstDataBox = edtDescricao;
    d.focusAfterNo = edtDescricao;
    d.clearedWhenNotRegistered = {edtConsultaDescricao};
    d.requiredDataPresent = [this] { return !edtCodigo->text().isEmpty() && !edtDescricao->text().trimmed().isEmpty(); };
    d.afterIncluir = [this] { documentList->load(registry->provisionalCode(), false); };
    d.afterAlterar = [this, &data] {
        documentList->load(int(data.cdsTBAssunto.field(QStringLiteral("IDASSUNTO")).asInteger()), true);
    };
    d.afterSave = [this] {
        form.btnIncluir->setFocus(Qt::OtherFocusReason);
        edtConsultaDescricao->clear();
    };
    registry = new RegistryController(this, form, std::move(d));
    registry->addCodeFind(edtConsultaCodigo, btnLocalizar);
    registry->addTextSearch(edtConsultaDescricao, SubjectStatements::descriptionContaining());

    DialogKeys::install(this);
    DialogKeys::moveFocusOnEnter(edtDescricao, form.btnGravar);
    registry->open();
}

TCAD_Assuntos::~TCAD_Assuntos() = default;

}  // namespace kalvero
