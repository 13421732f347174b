#pragma once

#include "InstallOptions.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace kalvero {

struct OfficeServerOptions {
    InstallOptions install;  // folder and first operator; the server is this machine
    QString firebirdConf = QStringLiteral("/etc/firebird/3.0/firebird.conf");
    QString securityDatabase = QStringLiteral("/var/lib/firebird/3.0/system/security3.fdb");
    QString service = QStringLiteral("firebird3.0");
    // Where the network settings for dead workstations go, and what applies them.
    QString sysctlFile = QStringLiteral("/etc/sysctl.d/60-kalvero.conf");
    QString sysctlProgram = QStringLiteral("sysctl");
    bool yes = false;  // change firebird.conf without asking
};

// Sets up this machine as the office's database server, on Debian's
// firebird3.0-server: the server running, SYSDBA's password the program's,
// the listener reachable from the network, dead workstations dropped within
// a minute, the program folder with its
// databases made by the server, and the line each workstation must write.
// Each step says what it did; a second run finds everything done and changes
// nothing. Installs no package. Throws InstallError where a step fails.
class OfficeServerSetup {
public:
    using Say = std::function<void(const QString &)>;
    using Ask = std::function<bool(const QString &question)>;

    OfficeServerSetup(OfficeServerOptions options, Say say, Ask ask);
    void run();

    // Whether the server on host takes the program's SYSDBA password. The
    // probe attaches to the server's security database, which a server
    // refuses over the network once it has taken the password.
    static bool serverAcceptsPassword(const QString &host, const QString &securityDatabase);

    // The kernel settings by which the server notices within a minute that a
    // workstation's network died, and drops its connection with the rows it
    // held (by default it would wait two hours).
    static QString keepaliveSettings();
    // Writes them to the sysctl file and applies them; true when written,
    // false when they were there already.
    bool releaseDeadWorkstationsSoon();

private:
    void checkServerPackage();
    void ensureRunning();
    bool bindToEveryInterface();  // true when firebird.conf was changed
    bool setPassword();           // true when the password was set
    void restart();
    void makeInstall();
    void tellWorkstations();

    int command(const QString &program, const QStringList &arguments, const QByteArray &input = {},
                QString *output = nullptr) const;
    void systemctl(const QString &action);

    OfficeServerOptions m_options;
    Say m_say;
    Ask m_ask;
};

}  // namespace kalvero
