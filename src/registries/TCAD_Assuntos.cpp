#include "TCAD_Assuntos.h"

#include "ChildListController.h"
#include "RegistryController.h"
#include "RegistryWidgets.h"
#include "data/modules/TUDMCadastro.h"
#include "data/records/LikePattern.h"
#include "ui/DialogKeys.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvero {

TCAD_Assuntos::TCAD_Assuntos(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAD_Assunto"));
    TUDMCadastro &dm = *UDMCadastro;
    form = RegistryForm::build(this, {QStringLiteral("Cadastro de Assuntos"), QStringLiteral("Assunto"),
                                      &dm.cdsTBAssunto, {QStringLiteral("IDASSUNTO"), QStringLiteral("DESCRICAO")},
                                      true, false, QSize(700, 540)});

    edtConsultaCodigo = RegistryWidgets::codeSearchBox(form, 0, QStringLiteral("Código:"));
    btnLocalizar = RegistryWidgets::findButton(form, 0);
    edtConsultaDescricao = RegistryWidgets::textSearchBox(form, 1, QStringLiteral("Descrição:"), 80);

    edtCodigo = RegistryWidgets::dataBox(form, 0, QStringLiteral("Código*"), &dm.cdsTBAssunto, QStringLiteral("IDASSUNTO"));
    edtDescricao = RegistryWidgets::dataBox(form, 1, QStringLiteral("Descrição*"), &dm.cdsTBAssunto, QStringLiteral("DESCRICAO"));

    documentos = ChildListForm::build(form.tabManutencao, QStringLiteral(" Documentos Necessários "),
                                      &dm.cdsTBAssunto_Documentos,
                                      {QStringLiteral("IDASSUNTO_DOCUMENTO"), QStringLiteral("NOMEDOCUMENTO"), QStringLiteral("IDASSUNTO")},
                                      RecordGrid::Colours::Plain);
    form.editLayout->insertWidget(1, documentos.group, 1);

    ChildListDefinition children;
    children.children = &dm.cdsTBAssunto_Documentos;
    children.nameField = QStringLiteral("NOMEDOCUMENTO");
    children.parentField = QStringLiteral("IDASSUNTO");
    children.codeField = QStringLiteral("IDASSUNTO_DOCUMENTO");
    children.listStatement = QStringLiteral("select * from TBASSUNTO_DOCUMENTOS WHERE IDASSUNTO = ? order by IDASSUNTO_DOCUMENTO");
    children.nextCode = [](int subject) { return UDMCadastro->NextSubjectDocumentNumber(subject); };
    children.parentCode = [] { return int(UDMCadastro->cdsTBAssunto.field(QStringLiteral("IDASSUNTO")).asInteger()); };
    children.noChildren = {QStringLiteral("Não há documentos cadastrados!"), MessageService::Icon::Error};
    children.deleteConfirm = {QStringLiteral("Confirma a deleção deste documento?"), MessageService::Icon::Information};
    children.deleteFailure = {QStringLiteral("Não foi possível EXCLUIR este registro, pois já existe referência para ele!"),
                              MessageService::Icon::Error};
    documentList = new ChildListController(this, documentos, std::move(children));

    RegistryDefinition d;
    d.records = &dm.cdsTBAssunto;
    d.codeField = QStringLiteral("IDASSUNTO");
    d.openStatement = QStringLiteral("select * from TBASSUNTO order by DESCRICAO");
    d.incluirStatement = QStringLiteral("select * from TBASSUNTO order by IDASSUNTO");
    d.wholeTableStatement = QStringLiteral("SELECT * FROM TBASSUNTO");
    d.nextKey = [] { return UDMCadastro->NextSubjectCode(); };
    d.handoff = &SessionState::LastSavedSubjectCode;
    d.handoffOnChange = false;
    d.deleteConfirm = {QStringLiteral("Confirma a deleção deste assunto?"), MessageService::Icon::Information};
    d.deleteFailure = {QStringLiteral("Não foi possível DELETAR este registro, pois existe referência para ele!"),
                       MessageService::Icon::Error};
    d.notRegisteredAlterar = {QStringLiteral("Assunto não Cadastrado no Sistema!"), MessageService::Icon::Error};
    d.notRegisteredFind = {QStringLiteral("Assunto não cadastrado no sistema!"), MessageService::Icon::Error};
    d.fillIn = {QStringLiteral("Preencha o campo Descrição!"), MessageService::Icon::Warning};
    d.saveConfirm = {QStringLiteral("Confirma a Gravação Deste Assunto?"), MessageService::Icon::Information};
    d.alreadyRegistered = {QStringLiteral("Assunto já cadastrado no Sistema..."), MessageService::Icon::Warning};
    d.firstDataBox = edtDescricao;
    d.focusAfterNo = edtDescricao;
    d.clearedWhenNotRegistered = {edtConsultaDescricao};
    d.requiredDataPresent = [this] { return !edtCodigo->text().isEmpty() && !edtDescricao->text().isEmpty(); };
    d.afterIncluir = [this] { documentList->load(registry->provisionalCode(), false); };
    d.afterAlterar = [this] {
        documentList->load(int(UDMCadastro->cdsTBAssunto.field(QStringLiteral("IDASSUNTO")).asInteger()), true);
    };
    d.afterSave = [this] {
        form.btnIncluir->setFocus(Qt::OtherFocusReason);
        edtConsultaDescricao->clear();
    };
    registry = new RegistryController(this, form, std::move(d));
    registry->addCodeFind(edtConsultaCodigo, btnLocalizar);
    registry->addTextSearch(edtConsultaDescricao, QStringLiteral("select * from TBASSUNTO where %1 order by DESCRICAO ")
                                                      .arg(LikePattern::condition(QStringLiteral("DESCRICAO"), 80)));

    DialogKeys::install(this);
    DialogKeys::moveFocusOnEnter(edtDescricao, form.btnGravar);
    registry->open();
}

TCAD_Assuntos::~TCAD_Assuntos() = default;

}  // namespace kalvero
