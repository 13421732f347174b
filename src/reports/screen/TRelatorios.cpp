#include "TRelatorios.h"

#include "ProtocolListFilters.h"

#include "data/Clock.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitStatements.h"
#include "data/records/RecordSet.h"
#include "ui/EnterAsTab.h"
#include "ui/ErrorBox.h"
#include "ui/FormParts.h"
#include "ui/LookupBinding.h"
#include "ui/ProgramFonts.h"
#include "ui/ScreenCentre.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kalvero {

namespace {

using FormParts::named;

// The key of the row chosen in a lookup box, when one is.
std::optional<qint64> chosenKey(const QComboBox *box, const RecordSet &choices, const QString &keyField) {
    const int row = box->currentIndex();
    if (row < 0 || !choices.isActive() || row >= choices.recordCount())
        return std::nullopt;
    const QVariant key = choices.valueAt(row, choices.fieldIndex(keyField));
    if (key.isNull())
        return std::nullopt;
    return key.toLongLong();
}

}  // namespace

TRelatorios::TRelatorios(TUDMCadastro &data, TUDMRelatorio &reports, const SessionState &session, QWidget *parent,
                         ProtocolListReport::Presenter toPreview, ProtocolListReport::Presenter toPrinter)
    : QDialog(parent), m_data(data), m_report(reports, session, std::move(toPreview), std::move(toPrinter)) {
    setObjectName(QStringLiteral("Relatorios"));
    // The lists of the two drop-downs, read once at the opening.
    m_data.cdsTBSolicitante.openWith(RequesterStatements::orderedByName());
    m_data.cdsTBAssunto.openWith(SubjectStatements::orderedByDescription());
    buildWindow();
    const QDate today = Clock::today();
    DateTimePicker1->setDate(today);
    DateTimePicker2->setDate(today);
}

TRelatorios::~TRelatorios() { closeLists(); }

void TRelatorios::done(int result) {
    closeLists();
    QDialog::done(result);
}

void TRelatorios::closeLists() {
    if (m_listsClosed)
        return;
    m_listsClosed = true;
    m_data.cdsTBSolicitante.close();
    m_data.cdsTBAssunto.close();
}

void TRelatorios::buildWindow() {
    setWindowTitle(QStringLiteral("Relatórios"));
    // Centred, a fixed size and only the close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(609, 344);
    setModal(true);
    setFont(ProgramFonts::tahoma(11));
    CentreOnScreenWhenShown::install(this);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 8);
    column->setSpacing(6);

    GroupBox1 = named(new QGroupBox(QStringLiteral(" Tipos de Relatórios "), this), "GroupBox1");
    auto *types = new QHBoxLayout(GroupBox1);
    CheckBox1 = named(new QCheckBox(QStringLiteral(" 1 - Relação de Protocolos"), GroupBox1), "CheckBox1");
    types->addWidget(CheckBox1);
    types->addStretch(1);
    column->addWidget(GroupBox1);

    column->addWidget(buildFilters(), 1);
    column->addWidget(buildPrinting());
    EnterAsTab::enable(this);
}

QGroupBox *TRelatorios::buildFilters() {
    GroupBox2 = named(new QGroupBox(QStringLiteral(" Filtros "), this), "GroupBox2");
    auto *grid = new QGridLayout(GroupBox2);
    grid->setHorizontalSpacing(8);

    RadioGroup1 = named(new QGroupBox(QStringLiteral(" Situação do Protocolo "), GroupBox2), "RadioGroup1");
    auto *statuses = new QHBoxLayout(RadioGroup1);
    rgSituacao = new QButtonGroup(RadioGroup1);
    const char *names[] = {"rbTodos", "rbAtivos", "rbCancelados", "rbArquivados"};
    const QStringList captions = {QStringLiteral("Todos"), QStringLiteral("Ativos"), QStringLiteral("Cancelados"),
                                  QStringLiteral("Arquivados")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *choice = named(new QRadioButton(captions.at(i), RadioGroup1), names[i]);
        rgSituacao->addButton(choice, i);
        statuses->addWidget(choice, 1);  // four columns of equal width
    }
    rgSituacao->button(0)->setChecked(true);
    grid->addWidget(RadioGroup1, 0, 0, 1, 4);

    auto lookup = [this](const char *name, RecordSet &choices, const QString &key, const QString &shown) {
        auto *box = named(new QComboBox(GroupBox2), name);
        LookupBinding::showChoices(box, {&choices, key, shown, {shown}}, box);
        box->setCurrentIndex(-1);  // nothing chosen when the screen opens
        return box;
    };
    CheckBox2 = named(new QCheckBox(QStringLiteral("1 - Solicitante: "), GroupBox2), "CheckBox2");
    DBLookupComboBox1 = lookup("DBLookupComboBox1", m_data.cdsTBSolicitante, QStringLiteral("IDSOLICITANTE"),
                               QStringLiteral("NOME"));
    grid->addWidget(CheckBox2, 1, 0);
    grid->addWidget(DBLookupComboBox1, 1, 1, 1, 3);

    CheckBox3 = named(new QCheckBox(QStringLiteral("2 - Assunto: "), GroupBox2), "CheckBox3");
    DBLookupComboBox2 = lookup("DBLookupComboBox2", m_data.cdsTBAssunto, QStringLiteral("IDASSUNTO"),
                               QStringLiteral("DESCRICAO"));
    grid->addWidget(CheckBox3, 2, 0);
    grid->addWidget(DBLookupComboBox2, 2, 1, 1, 3);

    CheckBox4 = named(new QCheckBox(QStringLiteral("3 - Intervalo de Datas:"), GroupBox2), "CheckBox4");
    DateTimePicker1 = FormParts::datePicker(GroupBox2, "DateTimePicker1");
    DateTimePicker2 = FormParts::datePicker(GroupBox2, "DateTimePicker2");
    auto *until = named(new QLabel(QStringLiteral("até o dia"), GroupBox2), "Label1");
    until->setAlignment(Qt::AlignCenter);
    grid->addWidget(CheckBox4, 3, 0);
    grid->addWidget(DateTimePicker1, 3, 1);
    grid->addWidget(until, 3, 2);
    grid->addWidget(DateTimePicker2, 3, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return GroupBox2;
}

QGroupBox *TRelatorios::buildPrinting() {
    GroupBox3 = named(new QGroupBox(QStringLiteral(" Impressão "), this), "GroupBox3");
    auto *row = new QHBoxLayout(GroupBox3);
    Image1 = named(new QLabel(GroupBox3), "Image1");
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));
    row->addWidget(Image1);
    row->addStretch(1);
    auto button = [this](const char *name, const QString &caption, QStyle::StandardPixmap icon) {
        QPushButton *b = FormParts::button(GroupBox3, name, caption, icon);
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        return b;
    };
    BitBtn1 = button("BitBtn1", QStringLiteral("&Visualizar"), QStyle::SP_FileDialogContentsView);
    BitBtn2 = button("BitBtn2", QStringLiteral("&Imprimir"), QStyle::SP_DialogSaveButton);
    BitBtn3 = button("BitBtn3", QStringLiteral("&Fechar"), QStyle::SP_DialogCloseButton);
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3})
        row->addWidget(b);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { runList(ProtocolListReport::Output::Preview); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { runList(ProtocolListReport::Output::Printer); });
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
    return GroupBox3;
}

ProtocolListFilters TRelatorios::filters() const {
    ProtocolListFilters f;
    f.status = ProtocolListFilters::Status(std::max(0, rgSituacao->checkedId()));
    // A ticked box with nothing chosen adds nothing.
    if (CheckBox2->isChecked())
        f.requester = chosenKey(DBLookupComboBox1, m_data.cdsTBSolicitante, QStringLiteral("IDSOLICITANTE"));
    if (CheckBox3->isChecked())
        f.subject = chosenKey(DBLookupComboBox2, m_data.cdsTBAssunto, QStringLiteral("IDASSUNTO"));
    if (CheckBox4->isChecked())
        f.period = ProtocolListFilters::Period{DateTimePicker1->date(), DateTimePicker2->date()};
    return f;
}

void TRelatorios::runList(ProtocolListReport::Output output) {
    if (!CheckBox1->isChecked())
        return;  // no report type chosen: nothing happens
    const ProtocolListFilters chosen = filters();
    ErrorBox::guard(this, [&] { m_report.run(chosen, output, this); });
}

}  // namespace kalvero
