#include "TFrmPrincipal.h"

#include "ShellArtwork.h"
#include "SupportCommand.h"
#include "UpdateCheck.h"
#include "access/TFrmSenha.h"
#include "access/Tdm2.h"
#include "data/Clock.h"
#include "data/ProgramPaths.h"
#include "data/firebird/FailureWords.h"
#include "data/modules/UnitOpening.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/session/ProgramIdentity.h"
#include "data/session/SessionState.h"
#include "ui/ErrorBox.h"
#include "ui/MessageService.h"
#include "ui/ProgramExit.h"
#include "ui/ProgramFonts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace kalvero {

namespace {

struct CommandLook {
    QString caption;
    QStyle::StandardPixmap icon;
};

CommandLook lookOf(TFrmPrincipal::Command c) {
    using C = TFrmPrincipal::Command;
    switch (c) {
    case C::Protocolo: return {QStringLiteral("Protocolo"), QStyle::SP_FileDialogDetailedView};
    case C::Movimentacao: return {QStringLiteral("Movimentação"), QStyle::SP_ArrowForward};
    case C::Solicitante: return {QStringLiteral("Solicitante"), QStyle::SP_DirHomeIcon};
    case C::Setor: return {QStringLiteral("Setor"), QStyle::SP_DirIcon};
    case C::Relatorios: return {QStringLiteral("Relatórios"), QStyle::SP_FileDialogContentsView};
    case C::Entidade: return {QStringLiteral("Entidade"), QStyle::SP_ComputerIcon};
    case C::SuporteNorvale: return {QStringLiteral("Suporte Norvale"), QStyle::SP_DialogHelpButton};
    case C::Backup: return {QStringLiteral("Backup"), QStyle::SP_DriveHDIcon};
    case C::Consulta: return {QStringLiteral("Consulta"), QStyle::SP_FileDialogInfoView};
    }
    return {};
}

QToolButton *largeButton(const QString &caption, const QIcon &icon, QWidget *parent) {
    auto *b = new QToolButton(parent);
    b->setText(caption);
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumSize(78, 64);
    return b;
}

const QColor SkyBlue(166, 202, 240);

// Half of a difference, rounded down also when the window is narrower.
int floorHalf(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

}  // namespace

TFrmPrincipal *FrmPrincipal = nullptr;

TFrmPrincipal::TFrmPrincipal(QWidget *parent) : QMainWindow(parent) {
    if (!FrmPrincipal)
        FrmPrincipal = this;
    setWindowTitle(ProgramIdentity::MainCaption);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    loginUpdateCheck = [this] {
        UpdateCheck::Settings settings = updateCheckSettings;
        settings.programFolder = Session.ProgramFolder;
        settings.programVersion = Session.ProgramVersion;
        UpdateCheck(settings, QApplication::activeModalWidget()).run();
    };

    auto *top = new QWidget(this);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(buildRibbon());

    m_centre = new QWidget(top);
    m_centre->setAutoFillBackground(true);
    QPalette palette = m_centre->palette();
    palette.setColor(QPalette::Window, SkyBlue);
    m_centre->setPalette(palette);
    m_centre->installEventFilter(this);
    lblPrefeitura = new QLabel(QStringLiteral("Prefeitura"), m_centre);
    lblPrefeitura->setFont(ProgramFonts::tahoma(19, true));
    lblPrefeitura->adjustSize();
    imgKalvero = new QLabel(m_centre);
    imgKalvero->setPixmap(ShellArtwork::mainPicture());
    imgKalvero->setFixedSize(480, 315);
    topLayout->addWidget(m_centre, 1);
    setCentralWidget(top);

    const int widths[5] = {500, 250, 200, 170, 100};
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(this);
        panel->setFixedWidth(widths[i]);
        panel->setFont(ProgramFonts::tahoma(11));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i > 0)
            panel->setAlignment(Qt::AlignCenter);
        statusBar()->addWidget(panel);
        StatusPanels[size_t(i)] = panel;
    }
    statusBar()->setSizeGripEnabled(true);

    auto *consult = new QShortcut(QKeySequence(Qt::Key_F3), this);
    consult->setContext(Qt::WindowShortcut);
    connect(consult, &QShortcut::activated, this, [this] {
        // Not over another screen, and only once a unit is open.
        if (m_buttons.value(Command::Consulta)->isEnabled() && !QApplication::activeModalWidget())
            runCommand(Command::Consulta);
    });
}

TFrmPrincipal::~TFrmPrincipal() {
    if (FrmPrincipal == this)
        FrmPrincipal = nullptr;
}

QWidget *TFrmPrincipal::buildRibbon() {
    auto *ribbon = new QWidget(this);
    auto *layout = new QVBoxLayout(ribbon);
    layout->setContentsMargins(4, 2, 4, 0);
    layout->setSpacing(2);
    RibbonCaption = new QLabel(ribbon);
    RibbonCaption->setAlignment(Qt::AlignCenter);
    RibbonCaption->setFont(ProgramFonts::tahoma(13, true));
    layout->addWidget(RibbonCaption);

    Ribbon = new QTabWidget(ribbon);
    Ribbon->setDocumentMode(true);
    using C = Command;
    Ribbon->addTab(buildCommandPage({{QStringLiteral("Acesso Rápido"),
                                      {C::Protocolo, C::Movimentacao, C::Solicitante, C::Setor, C::Relatorios,
                                       C::Entidade}},
                                     // "Onde está meu protocolo?", also by F3 anywhere in the window.
                                     {QStringLiteral("Consulta de Protocolos"), {C::Consulta}}}),
                   QStringLiteral("Principal"));
    Ribbon->addTab(buildCommandPage({{QStringLiteral("Manutenção"), {C::SuporteNorvale, C::Backup}}}),
                   QStringLiteral("Manutenção do Sistema"));

    // The application menu, left of the tabs.
    btnMenuAplicacao = new QToolButton(Ribbon);
    btnMenuAplicacao->setText(QStringLiteral("Kalvero"));
    btnMenuAplicacao->setPopupMode(QToolButton::InstantPopup);
    MenuAplicacao = new QMenu(btnMenuAplicacao);
    MenuAplicacao->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Sair"), this,
                             &QWidget::close);
    btnMenuAplicacao->setMenu(MenuAplicacao);
    Ribbon->setCornerWidget(btnMenuAplicacao, Qt::TopLeftCorner);
    layout->addWidget(Ribbon);
    return ribbon;
}

QWidget *TFrmPrincipal::buildCommandPage(const QList<QPair<QString, QList<Command>>> &groups) {
    auto *page = new QWidget;
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(4, 4, 4, 2);
    auto addGroup = [&](const QString &title, const QList<QToolButton *> &buttons) {
        auto *group = new QFrame(page);
        group->setFrameShape(QFrame::StyledPanel);
        auto *box = new QVBoxLayout(group);
        box->setContentsMargins(4, 2, 4, 2);
        auto *line = new QHBoxLayout;
        for (QToolButton *b : buttons)
            line->addWidget(b);
        box->addLayout(line);
        auto *caption = new QLabel(title, group);
        caption->setAlignment(Qt::AlignCenter);
        box->addWidget(caption);
        row->addWidget(group);
    };
    for (const auto &[title, commands] : groups) {
        QList<QToolButton *> buttons;
        for (Command c : commands) {
            const CommandLook look = lookOf(c);
            QToolButton *b = largeButton(look.caption, style()->standardIcon(look.icon), page);
            connect(b, &QToolButton::clicked, this, [this, c] { runCommand(c); });
            // Support needs no screen; the others wait for theirs.
            b->setEnabled(c == Command::SuporteNorvale);
            m_buttons.insert(c, b);
            buttons << b;
        }
        addGroup(title, buttons);
    }
    QToolButton *exit = largeButton(QStringLiteral("Sair"), style()->standardIcon(QStyle::SP_DialogCloseButton), page);
    connect(exit, &QToolButton::clicked, this, &QWidget::close);
    addGroup(QStringLiteral("Sair"), {exit});
    row->addStretch(1);
    return page;
}

void TFrmPrincipal::setScreen(Command command, ScreenFactory factory) {
    m_buttons.value(command)->setEnabled(factory != nullptr);
    m_screens.insert(command, std::move(factory));
}

void TFrmPrincipal::runCommand(Command command) {
    if (command == Command::SuporteNorvale) {
        SupportCommand(ProgramPaths::supportProgram(), this).run();
        return;
    }
    const ScreenFactory factory = m_screens.value(command);
    if (!factory)
        return;
    ErrorBox::guard(this, [&] {
        // The protocol and report screens print: the report module lives
        // while they are open.
        std::unique_ptr<TUDMRelatorio> reports;
        if (command == Command::Protocolo || command == Command::Relatorios)
            reports = std::make_unique<TUDMRelatorio>(*DM);
        std::unique_ptr<QDialog> screen(factory(this));
        screen->exec();
    });
}

void TFrmPrincipal::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    placeCentreItems();
    if (m_startupStarted)
        return;
    m_startupStarted = true;
    // Once the window is on the screen, from the event loop.
    QTimer::singleShot(0, this, [this] { runStartup(); });
}

bool TFrmPrincipal::runStartup() {
    Session.ProgramVersion = ProgramIdentity::Version;
    Session.RightsNotice = ProgramIdentity::rightsNotice(Clock::today().year());
    RibbonCaption->setText(ProgramIdentity::MainCaption + QStringLiteral(" (V") + Session.ProgramVersion +
                           QLatin1Char(')'));
    try {
        {
            TFrmSenha login(this);
            login.updateCheck = loginUpdateCheck;
            dm2->MDatabaseSenha.close();
            login.exec();
            if (!(login.LoginAccepted && login.UnitChosen))
                return false;  // the login has asked the program to end
        }
        lblPrefeitura->setText(Session.UnitLabel);
        lblPrefeitura->adjustSize();
        placeCentreItems();
        OpenUnitDatabase(*UDMCadastro, Session);
        StatusPanels[0]->setText(Session.UnitLabel);
        StatusPanels[1]->setText(ProgramIdentity::SupportTelephones);
        StatusPanels[2]->setText(ProgramIdentity::EMail);
        StatusPanels[3]->setText(ProgramIdentity::webHost());
        StatusPanels[4]->setText(QStringLiteral("Kalvero - V ") + Session.ProgramVersion);
        Ribbon->setCurrentIndex(0);
    } catch (const std::exception &failure) {
        // The program cannot go on; the operator is told why before it ends.
        const FailureWords words = FailureWords::of(failure);
        MessageService::inform(this, QStringLiteral("Kalvero"), words.text, MessageService::Icon::Error,
                               words.details);
        ProgramExit::request();
        return false;
    }
    m_startupDone = true;
    return true;
}

void TFrmPrincipal::placeCentreItems() {
    const int w = m_centre->width();
    const int h = m_centre->height();
    lblPrefeitura->move(floorHalf(w - lblPrefeitura->width()), 16);
    imgKalvero->move(floorHalf(w - imgKalvero->width()), floorHalf(h - imgKalvero->height()) + 30);
}

bool TFrmPrincipal::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_centre && event->type() == QEvent::Resize)
        placeCentreItems();
    return QMainWindow::eventFilter(watched, event);
}

void TFrmPrincipal::closeEvent(QCloseEvent *event) {
    // Ending already (the login, a failed start): no question.
    if (ProgramExit::requested()) {
        event->accept();
        return;
    }
    if (MessageService::confirm(this, QStringLiteral("Kalvero"), QStringLiteral("Deseja sair do sistema?"))) {
        event->accept();
        ProgramExit::request();
    } else {
        event->ignore();
    }
}

void TFrmPrincipal::bringToFront() {
    if (isMinimized())
        showMaximized();
    show();
    raise();
    activateWindow();
}

}  // namespace kalvero
