#include "RegistryForm.h"

#include "ui/RecordGrid.h"
#include "ui/OneVisibleTab.h"
#include "ui/RecordNavigator.h"
#include "ui/ScreenCentre.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kalvero {

namespace {

QPushButton *imageButton(QWidget *parent, const char *name, const QString &caption, QStyle::StandardPixmap icon) {
    auto *b = new QPushButton(parent->style()->standardIcon(icon), caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumHeight(34);
    return b;
}

}  // namespace

RegistryForm RegistryForm::build(QDialog *window, const Settings &settings) {
    RegistryForm f;
    window->setWindowTitle(settings.windowTitle);
    // A fixed border and at most the close box in the title bar.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (settings.closeBox)
        flags |= Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
    window->setFixedSize(settings.size);
    window->setModal(true);
    CentreOnScreenWhenShown::install(window);

    auto *outer = new QVBoxLayout(window);
    outer->setContentsMargins(4, 4, 4, 4);
    f.PageGeral = new QTabWidget(window);
    f.PageGeral->setObjectName(QStringLiteral("PageGeral"));
    outer->addWidget(f.PageGeral);

    // Browse tab.
    f.tabConsulta = new QWidget;
    f.tabConsulta->setObjectName(QStringLiteral("tabConsulta"));
    auto *browse = new QVBoxLayout(f.tabConsulta);
    auto *top = new QHBoxLayout;
    auto *maintenance = new QGroupBox(QStringLiteral("Manutenção"), f.tabConsulta);
    auto *commands = new QHBoxLayout(maintenance);
    f.btnIncluir = imageButton(maintenance, "btnIncluir", QStringLiteral("&Incluir"), QStyle::SP_FileIcon);
    f.btnAlterar = imageButton(maintenance, "btnAlterar", QStringLiteral("&Alterar"), QStyle::SP_FileDialogDetailedView);
    f.btnExcluir = imageButton(maintenance, "btnExcluir", QStringLiteral("&Excluir"), QStyle::SP_TrashIcon);
    f.btnSair = imageButton(maintenance, "btnSair", QStringLiteral("&Sair"), QStyle::SP_DialogCloseButton);
    for (QPushButton *b : {f.btnIncluir, f.btnAlterar, f.btnExcluir, f.btnSair})
        commands->addWidget(b);
    top->addWidget(maintenance);
    f.grpConsultar = new QGroupBox(settings.searchCaption, f.tabConsulta);
    f.searchLayout = new QGridLayout(f.grpConsultar);
    top->addWidget(f.grpConsultar, 1);
    browse->addLayout(top);
    f.navigator = new RecordNavigator(settings.records, f.tabConsulta);
    browse->addWidget(f.navigator);
    f.grid = new RecordGrid(settings.records,
                            settings.zebraList ? RecordGrid::Colours::Zebra : RecordGrid::Colours::Plain, f.tabConsulta);
    f.grid->setObjectName(QStringLiteral("DBGrid1"));
    f.grid->setFieldNames(settings.listFields);
    browse->addWidget(f.grid, 1);
    f.PageGeral->addTab(f.tabConsulta, settings.browseCaption);

    // Edit tab.
    f.tabManutencao = new QWidget;
    f.tabManutencao->setObjectName(QStringLiteral("tabManutencao"));
    f.editLayout = new QVBoxLayout(f.tabManutencao);
    f.grpDados = new QGroupBox(f.tabManutencao);
    f.dataLayout = new QGridLayout(f.grpDados);
    f.editLayout->addWidget(f.grpDados);
    auto *bottom = new QGroupBox(f.tabManutencao);
    auto *bottomRow = new QHBoxLayout(bottom);
    if (settings.requiredNote) {
        f.lblObrigatorias = new QLabel(QStringLiteral("* Informações Obrigatórias"), bottom);
        bottomRow->addWidget(f.lblObrigatorias);
    }
    bottomRow->addStretch();
    f.btnGravar = imageButton(bottom, "btnGravar", settings.saveCaption, QStyle::SP_DialogSaveButton);
    f.btnCancelar = imageButton(bottom, "btnCancelar", QStringLiteral("&Cancelar"), QStyle::SP_DialogCancelButton);
    bottomRow->addWidget(f.btnGravar);
    bottomRow->addWidget(f.btnCancelar);
    f.editLayout->addStretch();
    f.editLayout->addWidget(bottom);
    f.PageGeral->addTab(f.tabManutencao, settings.editCaption);
    return f;
}

void RegistryForm::showBrowseTab() const { showOnlyTab(PageGeral, tabConsulta, tabManutencao); }

void RegistryForm::showEditTab() const { showOnlyTab(PageGeral, tabManutencao, tabConsulta); }

}  // namespace kalvero
