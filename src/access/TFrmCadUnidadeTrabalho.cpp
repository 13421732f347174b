#include "TFrmCadUnidadeTrabalho.h"

#include "AccessRegistryController.h"
#include "Tdm2.h"
#include "data/modules/AccessStatements.h"
#include "UnitDiskPreparation.h"
#include "data/ProgramPaths.h"
#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"
#include "registries/RegistryWidgets.h"
#include "ui/BoxExit.h"
#include "ui/ErrorBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace kalvero {

namespace {
constexpr int CodeLength = 2;
}  // namespace

QString ZeroPad(int number, int width) {
    const QString padded = QString(width, QLatin1Char('0')) + QString::number(number);
    return padded.right(width);
}

TFrmCadUnidadeTrabalho::TFrmCadUnidadeTrabalho(Tdm2 &access, const SessionState &session, QWidget *parent)
    : QDialog(parent), m_units(access.tbAcesso), m_session(session) {
    setObjectName(QStringLiteral("FrmCadUnidadeTrabalho"));
    RecordSet *records = &m_units;
    RegistryForm::Settings settings{QStringLiteral("Cadastro de Unidade De Trabalho"),
                                    QStringLiteral("Unidade de Trabalho"),
                                    records,
                                    {QStringLiteral("CODIGO"), QStringLiteral("PREFEITURA"), QStringLiteral("CAMINHO"),
                                     QStringLiteral("MUNICIPIO")},
                                    false,
                                    false,
                                    QSize(1010, 480)};
    settings.editCaption = QStringLiteral("Manutenção das Unidades de Trabalho");
    settings.saveCaption = QStringLiteral("&Grava");
    settings.searchCaption = QStringLiteral("Consulta por Código");
    settings.closeBox = false;
    form = RegistryForm::build(this, settings);

    using namespace RegistryWidgets;
    edtConsultaCodigo = codeSearchBox(form, "edtConsultaCodigo", 0, QStringLiteral("Código:"), CodeLength);
    btnLocalizar = findButton(form, 0, QStringLiteral("Localizar"));

    edtCodigo = dataBox(form, "edtCodigo", 0, QStringLiteral("Código"), records, QStringLiteral("CODIGO"), TextCase::AsTyped);
    acceptDigitsOnly(edtCodigo, CodeLength);
    edtCodigo->setMaximumWidth(60);
    edtCodigo->installEventFilter(this);
    edtAno = new QLineEdit(form.grpDados);
    edtAno->setObjectName(QStringLiteral("edtAno"));
    // The year names a folder: digits only, so no text can reach elsewhere
    // on the disk.
    acceptDigitsOnly(edtAno, 4);
    edtAno->setMaximumWidth(60);
    auto *yearCaption = new QLabel(QStringLiteral("Ano de Criação"), form.grpDados);
    yearCaption->setBuddy(edtAno);
    form.dataLayout->addWidget(yearCaption, 0, 2);
    form.dataLayout->addWidget(edtAno, 0, 3);
    edtPrefeitura =
        dataBox(form, "edtPrefeitura", 1, QStringLiteral("Unidade\nde Trabalho"), records, QStringLiteral("PREFEITURA"));
    edtCaminho =
        dataBox(form, "edtCaminho", 2, QStringLiteral("Caminho"), records, QStringLiteral("CAMINHO"), TextCase::AsTyped);
    edtCaminho->setEnabled(false);  // filled by the screen
    edtMunicipio = dataBox(form, "edtMunicipio", 3, QStringLiteral("Município"), records, QStringLiteral("MUNICIPIO"));
    form.dataLayout->setColumnStretch(1, 1);

    QWidget *order[] = {edtCodigo, edtAno, edtPrefeitura, edtCaminho, edtMunicipio, form.btnGravar, form.btnCancelar};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    AccessRegistryDefinition d;
    d.records = records;
    d.keyField = QStringLiteral("CODIGO");
    d.keyBox = edtCodigo;
    d.duplicateStatement = WorkUnitStatements::wholeTable();
    d.duplicateQuery = &access.qrLocaliza;
    d.findLength = CodeLength;
    d.fillIn = {QStringLiteral("Preencha todos os campos corretamente!"), MessageService::Icon::Warning};
    d.saveConfirm = {QStringLiteral("Confirma a Gravação Desta UNIDADE DE TRABALHO?"), MessageService::Icon::Question};
    d.alreadyRegistered = {QStringLiteral("Código da Unidade de Trabalho já cadastrada no Sistema..."),
                           MessageService::Icon::Error};
    d.deleteConfirm = {QStringLiteral("Confirma a Deleção Desta UNIDADE DE TRABALHO?"), MessageService::Icon::Question};
    d.notRegisteredFind = {QStringLiteral("UNIDADE DE TRABALHO não Cadastrada no Sistema!"),
                           MessageService::Icon::Warning};
    d.firstDataBox = edtPrefeitura;
    d.requiredDataPresent = [this] {
        return edtCodigo->text().size() == CodeLength && edtPrefeitura->text().trimmed().size() > 4 &&
               edtCaminho->text().size() > 5 && edtMunicipio->text().trimmed().size() > 3;
    };
    d.newRecordValues = [this] {
        const QString code = proposedCode();
        return QVariantMap{{QStringLiteral("CODIGO"), code},
                           {QStringLiteral("PREFEITURA"), QStringLiteral("PREFEITURA MUNICIPAL DE ")},
                           {QStringLiteral("CAMINHO"), unitFolder(code)}};
    };
    d.afterNewWritten = [this] { prepareDisk(); };
    registry = new AccessRegistryController(this, form, std::move(d));
    registry->addFind(edtConsultaCodigo, btnLocalizar);
    registry->open();
}

TFrmCadUnidadeTrabalho::~TFrmCadUnidadeTrabalho() = default;

// The code after the last unit's, in code order.
QString TFrmCadUnidadeTrabalho::proposedCode() const {
    RecordSet &units = m_units;
    units.last();
    const int last = units.isEmpty() ? 0 : units.field(QStringLiteral("CODIGO")).asString().toInt();
    return ZeroPad(last + 1, CodeLength);
}

// The unit's folder as the server sees it, in the program folder.
QString TFrmCadUnidadeTrabalho::unitFolder(const QString &code) const {
    return ProgramPaths::unitFolder(m_session.ProgramFolder, code);
}

bool TFrmCadUnidadeTrabalho::eventFilter(QObject *watched, QEvent *event) {
    if (watched == edtCodigo && leavesBox(event) && registry->isEditing())
        ErrorBox::guard(this, [this] {
            m_units.field(QStringLiteral("CAMINHO")).setAsString(unitFolder(edtCodigo->text()));
        });
    return QDialog::eventFilter(watched, event);
}

void TFrmCadUnidadeTrabalho::prepareDisk() {
    RecordSet &units = m_units;
    UnitDiskPreparation disk{m_session.ProgramFolder, units.field(QStringLiteral("CODIGO")).asString(),
                             units.field(QStringLiteral("CAMINHO")).asString(), edtAno->text()};
    for (const RegistryMessage &problem : disk.run())
        registry->inform(problem);
}

}  // namespace kalvero
