#include "OfficeServerSetup.h"

#include "FirebirdConf.h"
#include "InstallFolderBuilder.h"
#include "data/ProgramPaths.h"
#include "data/firebird/Connection.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>

namespace kalvero {

namespace {

constexpr quint16 FirebirdPort = 3050;

bool serverAnswers() {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), FirebirdPort);
    return socket.waitForConnected(500);
}

}  // namespace

OfficeServerSetup::OfficeServerSetup(OfficeServerOptions options, Say say, Ask ask)
    : m_options(std::move(options)), m_say(std::move(say)), m_ask(std::move(ask)) {}

int OfficeServerSetup::command(const QString &program, const QStringList &arguments, const QByteArray &input,
                               QString *output) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -1;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void OfficeServerSetup::systemctl(const QString &action) {
    QString output;
    if (command(QStringLiteral("systemctl"), {action, m_options.service}, {}, &output) != 0)
        throw InstallError(QStringLiteral("systemctl %1 %2 failed: %3").arg(action, m_options.service, output));
}

void OfficeServerSetup::checkServerPackage() {
    QString status;
    command(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), QStringLiteral("-f=${Status}"), QStringLiteral("firebird3.0-server")},
            {}, &status);
    if (!status.endsWith(QStringLiteral("installed")) || status.contains(QStringLiteral("not-installed")))
        throw InstallError(QStringLiteral("Debian's firebird3.0-server is not installed; install it first: "
                                          "sudo apt install firebird3.0-server"));
    m_say(QStringLiteral("firebird3.0-server is installed."));
}

void OfficeServerSetup::ensureRunning() {
    if (command(QStringLiteral("systemctl"), {QStringLiteral("is-active"), QStringLiteral("--quiet"), m_options.service}) == 0) {
        m_say(QStringLiteral("The %1 service is running.").arg(m_options.service));
        return;
    }
    systemctl(QStringLiteral("start"));
    m_say(QStringLiteral("Started the %1 service.").arg(m_options.service));
}

bool OfficeServerSetup::bindToEveryInterface() {
    QFile file(m_options.firebirdConf);
    if (!file.open(QIODevice::ReadOnly))
        throw InstallError(QStringLiteral("Could not read %1: %2").arg(m_options.firebirdConf, file.errorString()));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    const QString bound = FirebirdConf::boundAddress(text);
    if (bound.isEmpty()) {
        m_say(QStringLiteral("%1 lets the server listen on every interface; unchanged.").arg(m_options.firebirdConf));
        return false;
    }
    const QString question = QStringLiteral("The server listens on %1 only (RemoteBindAddress in %2), so workstations "
                                            "cannot reach it. Comment that line out so that it listens on every interface?")
                                 .arg(bound, m_options.firebirdConf);
    if (!m_options.yes && !m_ask(question)) {
        m_say(QStringLiteral("Left %1 as it was: only this machine reaches the server.").arg(m_options.firebirdConf));
        return false;
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(FirebirdConf::listenOnEveryInterface(text).toUtf8()) < 0)
        throw InstallError(QStringLiteral("Could not write %1: %2").arg(m_options.firebirdConf, file.errorString()));
    m_say(QStringLiteral("Commented out RemoteBindAddress = %1 in %2: the server listens on every interface.")
              .arg(bound, m_options.firebirdConf));
    return true;
}

bool OfficeServerSetup::serverAcceptsPassword(const QString &host, const QString &securityDatabase) {
    try {
        Connection probe;
        probe.setDatabaseName(DatabaseTarget::databaseName(host, securityDatabase));
        probe.open();
        probe.close();
        return true;
    } catch (const DatabaseError &e) {
        if (e.hasCode(FbCode::LoginRejected))
            return false;
        if (e.isConnectionLost())
            throw InstallError(QStringLiteral("The server on %1 does not answer: %2").arg(host, e.text()));
        // Refused after the login: "no permission for remote access".
        return true;
    }
}

bool OfficeServerSetup::setPassword() {
    if (serverAcceptsPassword(QStringLiteral("localhost"), m_options.securityDatabase)) {
        m_say(QStringLiteral("SYSDBA's password is already the program's; unchanged."));
        return false;
    }
    // The security database is changed with the server stopped.
    systemctl(QStringLiteral("stop"));
    const QByteArray sql = QByteArray("create or alter user sysdba password '") + ConnectionSettings::Password +
                           "'; commit;\n";
    QString output;
    const int code = command(QStringLiteral("isql-fb"),
                             {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("sysdba"), m_options.securityDatabase},
                             sql, &output);
    systemctl(QStringLiteral("start"));
    if (code != 0 || !output.isEmpty())
        throw InstallError(QStringLiteral("Could not set SYSDBA's password in %1: %2").arg(m_options.securityDatabase, output));
    m_say(QStringLiteral("Set SYSDBA's password to the program's in %1 (the server was stopped and started again).")
              .arg(m_options.securityDatabase));
    return true;
}

void OfficeServerSetup::restart() {
    systemctl(QStringLiteral("restart"));
    for (int i = 0; i < 50 && !serverAnswers(); ++i)
        QThread::msleep(200);
    if (!serverAnswers())
        throw InstallError(QStringLiteral("The server does not answer on port %1 after its restart.").arg(FirebirdPort));
    m_say(QStringLiteral("Restarted the %1 service to read firebird.conf.").arg(m_options.service));
}

QString OfficeServerSetup::keepaliveSettings() {
    return QStringLiteral(
        "# Kalvero: a workstation whose network dies in the middle of a save holds\n"
        "# rows that the other desks wait for. The server asks a silent connection\n"
        "# after 30 s and drops it after 4 unanswered probes 5 s apart, so its rows\n"
        "# are free again within a minute (the default would be two hours).\n"
        "net.ipv4.tcp_keepalive_time = 30\n"
        "net.ipv4.tcp_keepalive_intvl = 5\n"
        "net.ipv4.tcp_keepalive_probes = 4\n");
}

bool OfficeServerSetup::releaseDeadWorkstationsSoon() {
    const QString wanted = keepaliveSettings();
    QFile file(m_options.sysctlFile);
    if (file.open(QIODevice::ReadOnly) && QString::fromUtf8(file.readAll()) == wanted) {
        m_say(QStringLiteral("%1 already lets the server drop a dead workstation within a minute; unchanged.")
                  .arg(m_options.sysctlFile));
        return false;
    }
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(wanted.toUtf8()) < 0)
        throw InstallError(QStringLiteral("Could not write %1: %2").arg(m_options.sysctlFile, file.errorString()));
    file.close();
    QString output;
    if (command(m_options.sysctlProgram, {QStringLiteral("-p"), m_options.sysctlFile}, {}, &output) != 0)
        throw InstallError(QStringLiteral("%1 -p %2 failed: %3").arg(m_options.sysctlProgram, m_options.sysctlFile, output));
    m_say(QStringLiteral("Wrote %1 and applied it: the server drops a workstation whose network died within a minute, "
                         "and the rows it held are free again.")
              .arg(m_options.sysctlFile));
    return true;
}

void OfficeServerSetup::makeInstall() {
    InstallOptions install = m_options.install;
    const QString folder = QDir::cleanPath(install.folder) + QLatin1Char('/');
    if (QFile::exists(ProgramPaths::accessDatabase(folder))) {
        m_say(QStringLiteral("%1 already holds an install (%2); unchanged.").arg(folder, ProgramPaths::accessDatabase(folder)));
        return;
    }
    if (install.operatorCode.isEmpty() || install.password.isEmpty() || install.operatorName.isEmpty())
        throw InstallError(QStringLiteral("%1 holds no install yet: give the first operator with --operator, --password "
                                          "and --name.").arg(folder));
    install.serverAddress = QStringLiteral("localhost");
    install.replace = false;
    for (const QString &line : InstallFolderBuilder(install).build())
        m_say(QStringLiteral("Made %1").arg(line));
}

void OfficeServerSetup::tellWorkstations() {
    QStringList addresses;
    for (const QHostAddress &a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            addresses << a.toString();
    const QString server = addresses.isEmpty() ? QStringLiteral("<this server's address>") : addresses.first();
    m_say(QStringLiteral("Each workstation needs the kalvero package and this server's address as the line of "
                         "%1Config/ipServidor.ini; on each workstation run:\n    sudo /opt/kalvero/kalvero-setup --workstation %2")
              .arg(ProgramPaths::InstallFolder, server));
    if (addresses.size() > 1)
        m_say(QStringLiteral("(This machine's addresses: %1.)").arg(addresses.join(QStringLiteral(", "))));
}

void OfficeServerSetup::run() {
    checkServerPackage();
    ensureRunning();
    const bool confChanged = bindToEveryInterface();
    setPassword();
    if (confChanged)
        restart();
    releaseDeadWorkstationsSoon();
    makeInstall();
    tellWorkstations();
}

}  // namespace kalvero
