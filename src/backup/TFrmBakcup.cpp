#include "TFrmBakcup.h"

#include "UnitBackup.h"
#include "UnitRestore.h"

#include "data/Clock.h"
#include "data/ProgramPaths.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitOpening.h"
#include "data/session/ServerAddress.h"
#include "data/session/SessionState.h"
#include "ui/ErrorBox.h"
#include "ui/MessageService.h"
#include "ui/ScreenCentre.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

#include <exception>

namespace kalvero {

namespace {

const QString Caption = QStringLiteral("Kalvero");
const QString BackupFailed = QStringLiteral("Ocorreu um erro na Operação de Backup, tente novamente. ");
const QString RestoreFailed = QStringLiteral("Ocorreu um erro na restauração do Backup.");

QString reasonOf(const std::exception &failure) {
    if (const auto *known = dynamic_cast<const Failure *>(&failure))
        return known->text();
    return QString::fromLocal8Bit(failure.what());
}

}  // namespace

TFrmBakcup::TFrmBakcup(TUDMCadastro &data, SessionState &session, QWidget *parent)
    : TFrmBakcup(data, session, Settings{}, parent) {}

TFrmBakcup::TFrmBakcup(TUDMCadastro &data, SessionState &session, Settings settings, QWidget *parent)
    : QDialog(parent), m_data(data), m_unit(data.connectionModule()), m_session(session),
      m_settings(std::move(settings)) {
    if (!m_settings.now)
        m_settings.now = [] { return Clock::now(); };
    setObjectName(QStringLiteral("FrmBakcup"));
    buildWindow();

    // This workstation lets go of the unit database while the window is open.
    m_unit.MDatabasePrincipal.close();
    m_serverAddress = ReadServerAddress(m_session.ProgramFolder);
    m_backupFolder = BackupPlace::folder(m_session.ProgramFolder, m_serverAddress, m_session.UnitCode,
                                         m_settings.networkRoot);
    // One name for the whole opening: a second backup replaces the first.
    m_archiveName = BackupPlace::archiveName(m_session.UnitCode, m_settings.now());
    lblCaminho->setText(m_backupFolder);
    fillArchiveList();
    chooseMode();
    centreOnScreen(this);
}

TFrmBakcup::~TFrmBakcup() = default;

void TFrmBakcup::buildWindow() {
    setWindowTitle(QStringLiteral("Backup ou Restauração"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(64, 64));
    Image1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Image1);

    RadioGroup1 = new QGroupBox(QStringLiteral("Selecione a opção desejada "), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto *options = new QVBoxLayout(RadioGroup1);
    rbCriarBackup = new QRadioButton(QStringLiteral("Criar Backup (Cópia de Segurança)"), RadioGroup1);
    rbCriarBackup->setObjectName(QStringLiteral("rbCriarBackup"));
    rbRestaurarBackup = new QRadioButton(QStringLiteral("Restaurar Backup (Cópia de Segurança)"), RadioGroup1);
    rbRestaurarBackup->setObjectName(QStringLiteral("rbRestaurarBackup"));
    rbCriarBackup->setChecked(true);
    options->addWidget(rbCriarBackup);
    options->addWidget(rbRestaurarBackup);
    layout->addWidget(RadioGroup1);
    connect(rbCriarBackup, &QRadioButton::toggled, this, [this] { chooseMode(); });

    auto *pathLabel = new QLabel(QStringLiteral("Caminho do Arquivo de Backup"), this);
    pathLabel->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(pathLabel);
    lblCaminho = new QLabel(this);
    lblCaminho->setObjectName(QStringLiteral("lblCaminho"));
    lblCaminho->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblCaminho);

    btnCriarBackup = new QPushButton(QStringLiteral("&Criar Backup"), this);
    btnCriarBackup->setObjectName(QStringLiteral("btnCriarBackup"));
    btnCriarBackup->setAutoDefault(false);
    layout->addWidget(btnCriarBackup);
    connect(btnCriarBackup, &QPushButton::clicked, this, [this] { criarBackup(); });

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Bevel1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto *listLabel = new QLabel(QStringLiteral("Informe o Backup que será restaurado:"), this);
    listLabel->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(listLabel);
    cbArquivos = new QComboBox(this);
    cbArquivos->setObjectName(QStringLiteral("cbArquivos"));
    cbArquivos->setMinimumWidth(460);
    cbArquivos->installEventFilter(this);  // typed characters are ignored
    layout->addWidget(cbArquivos);

    btnRestaurarBackup = new QPushButton(QStringLiteral("&Restaurar Backup"), this);
    btnRestaurarBackup->setObjectName(QStringLiteral("btnRestaurarBackup"));
    btnRestaurarBackup->setAutoDefault(false);
    layout->addWidget(btnRestaurarBackup);
    connect(btnRestaurarBackup, &QPushButton::clicked, this, [this] { restaurarBackup(); });

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    // A plain bar: a percentage drawn over it came out black on blue.
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: blue; }"));
    layout->addWidget(ProgressBar1);

    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    btnFechar->setAutoDefault(false);
    layout->addWidget(btnFechar);
    connect(btnFechar, &QPushButton::clicked, this, [this] { fechar(); });
}

void TFrmBakcup::chooseMode() {
    const bool backup = rbCriarBackup->isChecked();
    btnCriarBackup->setEnabled(backup);
    btnRestaurarBackup->setEnabled(!backup);
    cbArquivos->setEnabled(!backup);
    cbArquivos->setCurrentIndex(-1);
}

void TFrmBakcup::fillArchiveList() {
    cbArquivos->clear();
    cbArquivos->addItems(BackupPlace::archives(m_backupFolder));
    cbArquivos->setCurrentIndex(-1);
}

bool TFrmBakcup::reachBackupFolder() {
    // A local folder is made when missing; a server's is there or unreachable.
    if (BackupPlace::isLocalServer(m_serverAddress))
        QDir().mkpath(m_backupFolder);
    if (QDir(m_backupFolder).exists())
        return true;
    MessageService::inform(this, Caption,
                           QStringLiteral("A pasta de backup não pode ser acessada: ") + m_backupFolder,
                           MessageService::Icon::Error);
    return false;
}

void TFrmBakcup::runBeside(const std::function<void(const std::function<void(int)> &)> &work) {
    m_busy = true;
    const bool backupMode = rbCriarBackup->isChecked();
    RadioGroup1->setEnabled(false);
    btnCriarBackup->setEnabled(false);
    btnRestaurarBackup->setEnabled(false);
    cbArquivos->setEnabled(false);
    btnFechar->setEnabled(false);

    std::exception_ptr failure;
    QThread *thread = QThread::create([&] {
        try {
            work([this](int percent) {
                QMetaObject::invokeMethod(ProgressBar1, [bar = ProgressBar1, percent] { bar->setValue(percent); },
                                          Qt::QueuedConnection);
            });
        } catch (...) {
            failure = std::current_exception();
        }
    });
    QEventLoop waiting;
    connect(thread, &QThread::finished, &waiting, &QEventLoop::quit);
    thread->start();
    waiting.exec();
    thread->wait();
    delete thread;
    QCoreApplication::processEvents();  // the last progress steps

    m_busy = false;
    RadioGroup1->setEnabled(true);
    btnFechar->setEnabled(true);
    btnCriarBackup->setEnabled(backupMode);
    btnRestaurarBackup->setEnabled(!backupMode);
    cbArquivos->setEnabled(!backupMode);
    if (failure)
        std::rethrow_exception(failure);
}

void TFrmBakcup::criarBackup() {
    ProgressBar1->setValue(0);
    if (!reachBackupFolder())
        return;
    const QString databaseName = m_unit.MDatabasePrincipal.databaseName();
    const QString archive = m_backupFolder + m_archiveName;
    const QDateTime when = m_settings.now();
    try {
        runBeside([&](const std::function<void(int)> &progress) {
            UnitBackup(databaseName).writeTo(archive, when, progress);
        });
        fillArchiveList();
        MessageService::inform(this, Caption, QStringLiteral("Backup realizado com sucesso!"),
                               MessageService::Icon::Information);
    } catch (const std::exception &failure) {
        MessageService::inform(this, Caption, BackupFailed + reasonOf(failure), MessageService::Icon::Error);
    }
    ProgressBar1->setValue(0);
}

void TFrmBakcup::restaurarBackup() {
    QApplication::beep();
    MessageService::inform(this, QStringLiteral("A T E N Ç Ã O ! ! !"),
                           QStringLiteral("Ao realizar a Restauração do Backup será substituido todos os dados "
                                          "existentes no Banco de Dados atual."),
                           MessageService::Icon::Warning);
    if (cbArquivos->currentIndex() < 0) {
        MessageService::inform(this, Caption, QStringLiteral("Escolha um arquivo para Restauração do Backup!"),
                               MessageService::Icon::Warning);
        return;
    }
    if (!MessageService::confirm(this, QStringLiteral("A T E N Ç Ã O "),
                                 QStringLiteral("Deseja realizar a Restauração do Backup?"),
                                 MessageService::Icon::Warning))
        return;
    if (!reachBackupFolder())
        return;
    const QString databaseName = m_unit.MDatabasePrincipal.databaseName();
    const QString chosen = m_backupFolder + cbArquivos->currentText();
    // Each restore keeps the database it replaces under a name of its own.
    const QDateTime when = m_settings.now();
    const QString safetyCopy = m_backupFolder + BackupPlace::freeSafetyCopyName(m_backupFolder, m_session.UnitCode, when);
    ProgressBar1->setValue(0);
    try {
        runBeside([&](const std::function<void(int)> &progress) {
            UnitRestore(databaseName).restoreFrom(chosen, safetyCopy, when, progress);
        });
        MessageService::inform(this, Caption, QStringLiteral("Restauração realizada com sucesso!"),
                               MessageService::Icon::Information);
    } catch (const AttachedElsewhere &refused) {
        MessageService::inform(this, Caption, refused.text(), MessageService::Icon::Warning);
    } catch (const std::exception &failure) {
        MessageService::inform(this, Caption, RestoreFailed + QLatin1Char(' ') + reasonOf(failure),
                               MessageService::Icon::Error);
    }
    ProgressBar1->setValue(0);
}

void TFrmBakcup::fechar() {
    QApplication::beep();
    close();
}

void TFrmBakcup::closeEvent(QCloseEvent *event) {
    if (m_busy) {
        event->ignore();  // the work finishes first
        return;
    }
    QDialog::closeEvent(event);
}

void TFrmBakcup::done(int result) {
    if (m_busy)
        return;
    // Opened as the login opens it: a restored database may come from an
    // older version of the program.
    ErrorBox::guard(this, [this] { OpenUnitDatabase(m_data, m_session); });
    cbArquivos->clear();
    ProgressBar1->setValue(0);
    QDialog::done(result);
}

bool TFrmBakcup::eventFilter(QObject *watched, QEvent *event) {
    if (watched == cbArquivos && event->type() == QEvent::KeyPress &&
        !static_cast<QKeyEvent *>(event)->text().isEmpty() &&
        static_cast<QKeyEvent *>(event)->text().at(0).isPrint())
        return true;
    return QDialog::eventFilter(watched, event);
}

}  // namespace kalvero
