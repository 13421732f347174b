#include "TFrmSenha.h"

#include "TFrmCadSenha.h"
#include "TFrmCadUnidadeTrabalho.h"

#include "Tdm2.h"
#include "data/ProgramPaths.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/session/ProgramIdentity.h"
#include "data/session/ServerAddress.h"
#include "data/session/SessionState.h"
#include "ui/EnterAsTab.h"
#include "ui/ErrorBox.h"
#include "ui/ScreenCentre.h"
#include "ui/MessageService.h"
#include "ui/PasswordBox.h"
#include "ui/ProgramExit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvero {

namespace {

const QString NoPath = QStringLiteral("...");

// A unit's folder as the label shows it: on its server, or the folder alone
// when the embedded engine opens it.
QString shownPath(const QString &folder) {
    return Session.ServerAddress.isEmpty() ? folder : Session.ServerAddress + QLatin1Char(':') + folder;
}

QLabel *fieldLabel(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    return label;
}

}  // namespace

TFrmSenha::TFrmSenha(QWidget *owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Acesso e Seleção da Unidade de Trabalho"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(464, 300);
    setModal(true);

    lblVersao = new QLabel(this);
    lblVersao->setAlignment(Qt::AlignCenter);
    lblVersao->setStyleSheet(QStringLiteral("color: white; font-size: 18px; font-weight: bold;"));

    edtUsuario = new QLineEdit(this);
    edtUsuario->setMaxLength(4);
    edtSenha = new QLineEdit(this);
    edtSenha->setMaxLength(5);
    showAsAsterisks(edtSenha);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCadastroSenha = new QPushButton(QStringLiteral("Cadastro de Senha"), this);
    btnCadastroUnidade = new QPushButton(QStringLiteral("Cadastro de Unidade"), this);
    cbUnidade = new QComboBox(this);
    cbUnidade->setEditable(false);
    btnDefinirUnidade = new QPushButton(QStringLiteral("Definir Unidade"), this);
    lblCaminhoTitulo = new QLabel(QStringLiteral("Caminho dos Arquivos de Dados Para Acesso:"), this);
    lblCaminhoTitulo->setStyleSheet(QStringLiteral("color: white;"));
    lblCaminho = new QLabel(NoPath, this);
    lblCaminho->setStyleSheet(QStringLiteral("color: #ffef9f; font-weight: bold;"));
    btnFechar = new QPushButton(QStringLiteral("Fechar"), this);
    btnFechar->setFocusPolicy(Qt::NoFocus);
    for (QPushButton *b : {btnOK, btnCadastroSenha, btnCadastroUnidade, btnDefinirUnidade, btnFechar})
        b->setAutoDefault(false);

    auto *contacts = new QLabel(ProgramIdentity::MakerName + QStringLiteral(" - ") + ProgramIdentity::SupportTelephone +
                                    QStringLiteral(" - ") + ProgramIdentity::EMail,
                                this);
    contacts->setStyleSheet(QStringLiteral("color: #dce8ff; font-size: 10px;"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(fieldLabel(QStringLiteral("Usuário"), this), 0, 0);
    grid->addWidget(edtUsuario, 0, 1);
    grid->addWidget(fieldLabel(QStringLiteral("Senha"), this), 1, 0);
    grid->addWidget(edtSenha, 1, 1);
    grid->addWidget(btnOK, 0, 2, 2, 1);
    btnOK->setMinimumHeight(46);
    btnOK->setFixedWidth(64);
    btnCadastroSenha->setMinimumWidth(150);
    btnCadastroUnidade->setMinimumWidth(150);
    grid->addWidget(btnCadastroSenha, 0, 3);
    grid->addWidget(btnCadastroUnidade, 1, 3);
    grid->addWidget(fieldLabel(QStringLiteral("Unidade de Trabalho"), this), 2, 0, 1, 4);
    grid->addWidget(cbUnidade, 3, 0, 1, 3);
    grid->addWidget(btnDefinirUnidade, 3, 3);
    grid->setColumnStretch(1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(contacts, 1);
    bottom->addWidget(btnFechar);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 10);
    layout->addWidget(lblVersao);
    layout->addSpacing(10);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(lblCaminhoTitulo);
    layout->addWidget(lblCaminho);
    layout->addStretch(1);
    layout->addLayout(bottom);

    setTabOrder(edtUsuario, edtSenha);
    setTabOrder(edtSenha, btnOK);
    setTabOrder(btnOK, btnCadastroSenha);
    setTabOrder(btnCadastroSenha, btnCadastroUnidade);
    setTabOrder(btnCadastroUnidade, cbUnidade);
    setTabOrder(cbUnidade, btnDefinirUnidade);

    EnterAsTab::enable(this);
    edtUsuario->installEventFilter(this);
    edtSenha->installEventFilter(this);
    cbUnidade->installEventFilter(this);

    connect(btnOK, &QPushButton::clicked, this, &TFrmSenha::login);
    connect(cbUnidade, &QComboBox::activated, this, &TFrmSenha::unitPicked);
    connect(btnDefinirUnidade, &QPushButton::clicked, this, &TFrmSenha::defineUnit);
    openOperatorRegistry = [](QWidget *owner) { TFrmCadSenha(*dm2, owner).exec(); };
    openUnitRegistry = [](QWidget *owner) { TFrmCadUnidadeTrabalho(*dm2, Session, owner).exec(); };
    connect(btnCadastroSenha, &QPushButton::clicked, this, [this] { openRegistry(openOperatorRegistry); });
    connect(btnCadastroUnidade, &QPushButton::clicked, this, [this] { openRegistry(openUnitRegistry); });
    connect(btnFechar, &QPushButton::clicked, this, [this] {
        ProgramExit::request();
        reject();
    });

    btnCadastroSenha->setEnabled(false);
    btnCadastroUnidade->setEnabled(false);
    cbUnidade->setEnabled(false);
    btnDefinirUnidade->setEnabled(false);
}

TFrmSenha::~TFrmSenha() = default;

void TFrmSenha::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(this);
    lblVersao->setText(QStringLiteral("Kalvero - V.") + Session.ProgramVersion);
    LoginAccepted = false;
    UnitChosen = false;
    edtUsuario->setFocus();
    cbUnidade->setEnabled(false);
    btnDefinirUnidade->setEnabled(false);
    Session.ProgramFolder = ProgramPaths::programFolder();
    // The check may take a moment; the window is on the screen first.
    QTimer::singleShot(0, this, [this] {
        if (!updateCheck)
            return;
        updateCheck();
        // An update accepted ends the program: nobody logs in after it.
        if (ProgramExit::requested())
            reject();
    });
}

void TFrmSenha::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(21, 67, 130));
    background.setColorAt(1, QColor(52, 120, 196));
    p.fillRect(rect(), background);
    // The header band and a faint seal behind the boxes.
    p.fillRect(QRect(0, 0, width(), 40), QColor(12, 40, 84));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawEllipse(QPoint(width() - 70, height() - 90), 120, 120);
    p.setBrush(QColor(255, 255, 255, 12));
    p.drawEllipse(QPoint(60, height() - 40), 90, 90);
}

void TFrmSenha::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    // Rounded corners: ellipses of 20 by 20 pixels. (A screen-less platform
    // has no window shapes.)
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 10, 10);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

bool TFrmSenha::eventFilter(QObject *watched, QEvent *event) {
    if (watched == edtUsuario && event->type() == QEvent::MouseButtonPress) {
        // A click into the user box starts a new entry: OK waits for the password.
        btnOK->setEnabled(false);
    } else if (watched == edtSenha && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            btnOK->setEnabled(true);
            if (reason != Qt::MouseFocusReason)
                QTimer::singleShot(0, btnOK, [this] { btnOK->setFocus(Qt::TabFocusReason); });
        }
    } else if (watched == cbUnidade && event->type() == QEvent::KeyPress) {
        // Typing does not pick a unit: only the list, the arrows and the mouse do.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmSenha::closeAccessData() {
    dm2->tbOperacao.close();
    dm2->tbAcesso.close();
    dm2->MDatabaseSenha.close();
}

void TFrmSenha::login() {
    ErrorBox::guard(this, [this] {
        Session.ProgramFolder = ProgramPaths::programFolder();
        Session.ServerAddress = ReadServerAddress(Session.ProgramFolder);
        dm2->MDatabaseSenha.close();
        dm2->MDatabaseSenha.setDatabaseName(Tdm2::databaseNameFor(Session.ServerAddress, Session.ProgramFolder));
        dm2->MDatabaseSenha.open();
        // Closed whatever the outcome; a failing close must not hide the outcome.
        const auto closer = qScopeGuard([this] {
            try {
                closeAccessData();
            } catch (const std::exception &) {
            }
        });

        RecordSet &operators = dm2->tbOperacao;
        operators.open();
        const bool found =
            operators.locate(QStringLiteral("USUARIO;SENHA"), {edtUsuario->text(), edtSenha->text()});
        if (!found) {
            MessageService::inform(this, QStringLiteral("Acesso ao Sistema"),
                                   QStringLiteral("Operador e/ou SENHA inválidos !"), MessageService::Icon::Warning);
            edtUsuario->setFocus();
            LoginAccepted = false;
            return;
        }
        cbUnidade->setEnabled(true);
        btnDefinirUnidade->setEnabled(true);
        const bool administrator = operators.field(QStringLiteral("ACESSO")).asInteger() == 1;
        btnCadastroSenha->setEnabled(administrator && openOperatorRegistry != nullptr);
        btnCadastroUnidade->setEnabled(administrator && openUnitRegistry != nullptr);
        Session.OperatorCode = operators.field(QStringLiteral("USUARIO")).asString();
        Session.OperatorName = operators.field(QStringLiteral("NOME")).asString();

        cbUnidade->clear();
        RecordSet &units = dm2->tbAcesso;
        units.open();
        for (units.first(); !units.eof(); units.next())
            cbUnidade->addItem(units.field(QStringLiteral("CODIGO")).asString() + QLatin1Char('-') +
                               units.field(QStringLiteral("PREFEITURA")).asString());
        units.close();
        cbUnidade->setCurrentIndex(-1);
        cbUnidade->setFocus();
        LoginAccepted = true;
    });
}

bool TFrmSenha::findUnitRow(const QString &item) {
    RecordSet &units = dm2->tbAcesso;
    units.open();
    return units.locate(QStringLiteral("CODIGO"), QVariant(item.left(2)));
}

void TFrmSenha::unitPicked() {
    ErrorBox::guard(this, [this] {
        if (cbUnidade->currentText().isEmpty()) {
            MessageService::inform(this, QStringLiteral("Atenção"),
                                   QStringLiteral("Por favor, selecione uma UNIDADE DE TRABALHO !"),
                                   MessageService::Icon::Warning);
            cbUnidade->setFocus();
            UnitChosen = false;
            return;
        }
        if (!findUnitRow(cbUnidade->currentText()))
            return;
        lblCaminho->setText(shownPath(dm2->tbAcesso.field(QStringLiteral("CAMINHO")).asString()));
        UnitChosen = true;
    });
}

void TFrmSenha::defineUnit() {
    ErrorBox::guard(this, [this] {
        if (cbUnidade->currentIndex() < 0) {
            MessageService::inform(this, QStringLiteral("Acesso ao Sistema"),
                                   QStringLiteral("Selecione uma unidade de trabalho!"), MessageService::Icon::Warning);
            cbUnidade->setFocus();
            UnitChosen = false;
            return;
        }
        if (!findUnitRow(cbUnidade->currentText())) {
            MessageService::inform(this, QStringLiteral("Atenção"), QStringLiteral("UNIDADE DE TRABALHO não Localizada !"),
                                   MessageService::Icon::Warning);
            cbUnidade->setFocus();
            UnitChosen = false;
            return;
        }
        RecordSet &units = dm2->tbAcesso;
        const QString codigo = units.field(QStringLiteral("CODIGO")).asString();
        const QString caminho = units.field(QStringLiteral("CAMINHO")).asString();
        try {
            Session.UnitLabel = codigo + QLatin1Char('-') + units.field(QStringLiteral("PREFEITURA")).asString();
            DM->MDatabasePrincipal.close();
            DM->MDatabasePrincipal.setDatabaseName(
                DatabaseTarget::databaseName(Session.ServerAddress, ProgramPaths::unitDatabase(caminho)));
            DM->MDatabasePrincipal.open();
            Session.UnitFolder = caminho;
            Session.UnitCode = codigo;
            lblCaminho->setText(shownPath(caminho));
            UnitChosen = true;
        } catch (const std::exception &) {
            MessageService::inform(this, QStringLiteral("Aviso"), QStringLiteral("Banco de dados não localizado!"),
                                   MessageService::Icon::Warning);
            UnitChosen = false;
            cbUnidade->setCurrentIndex(-1);
            lblCaminho->setText(NoPath);
            defineUnit();
            return;
        }
        closeAccessData();
        accept();
    });
}

void TFrmSenha::openRegistry(const std::function<void(QWidget *)> &registry) {
    if (!registry)
        return;
    ErrorBox::guard(this, [&] { registry(this); });
    enterFirstState();
}

void TFrmSenha::enterFirstState() {
    LoginAccepted = false;
    UnitChosen = false;
    btnCadastroSenha->setEnabled(false);
    btnCadastroUnidade->setEnabled(false);
    cbUnidade->setCurrentIndex(-1);
    cbUnidade->setEnabled(false);
    btnDefinirUnidade->setEnabled(false);
    lblCaminho->setText(NoPath);
    edtUsuario->clear();
    edtSenha->clear();
    edtUsuario->setFocus();
}

void TFrmSenha::done(int result) {
    QDialog::done(result);
    // Whatever closes the window, the program goes on only with an accepted
    // operator and an opened unit.
    if (!(LoginAccepted && UnitChosen))
        ProgramExit::request();
}

}  // namespace kalvero
