// kalvero-setup: makes a complete program folder for an office or a demo.
#include "InstallFolderBuilder.h"
#include "OfficeServerSetup.h"
#include "WorkstationAddress.h"
#include "data/ProgramPaths.h"
#include "data/session/ProgramIdentity.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace kalvero;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kalvero-setup"));
    QCoreApplication::setApplicationVersion(ProgramIdentity::Version);
    QTextStream out(stdout), err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Makes a Kalvero program folder: Config/ipServidor.ini, Config/prefeitura.bmp, the template unit database, "
        "DBACESSO.FDB with the first operator (level 1) and unit 01, UN01/DBPROTOCOLO.FDB and Backup/UN01/.\n"
        "With --server the databases are made by that Firebird server; run the tool on the server machine, "
        "since the files are created at the same path there.\n"
        "With --office-server it sets this machine up as the office's server (Debian's firebird3.0-server: "
        "SYSDBA's password, the listener, the install in the tool's folder); with --workstation it writes the "
        "server's address into the tool's folder. Both say what they did and change nothing when run again."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folder(QStringLiteral("folder"), QStringLiteral("The program folder to make."),
                                    QStringLiteral("path"));
    const QCommandLineOption server(QStringLiteral("server"),
                                    QStringLiteral("Database server address; leave out for the embedded engine."),
                                    QStringLiteral("address"));
    const QCommandLineOption operatorCode(QStringLiteral("operator"), QStringLiteral("First operator's code (4 characters)."),
                                          QStringLiteral("code"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("First operator's password (5 characters)."),
                                      QStringLiteral("password"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("First operator's name."), QStringLiteral("name"));
    const QCommandLineOption unit(QStringLiteral("unit-name"), QStringLiteral("Name of work unit 01."),
                                  QStringLiteral("name"), QStringLiteral("PREFEITURA MUNICIPAL DE EXEMPLO"));
    const QCommandLineOption municipality(QStringLiteral("municipality"), QStringLiteral("Municipality of work unit 01."),
                                          QStringLiteral("name"), QStringLiteral("EXEMPLO"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Fill unit 01 with example data."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Replace an existing install (its databases are lost)."));
    const QCommandLineOption officeServer(QStringLiteral("office-server"),
                                          QStringLiteral("Set this machine up as the office's database server (as root)."));
    const QCommandLineOption yes(QStringLiteral("yes"), QStringLiteral("With --office-server: change firebird.conf without asking."));
    const QCommandLineOption firebirdConf(QStringLiteral("firebird-conf"),
                                          QStringLiteral("With --office-server: the server's firebird.conf."),
                                          QStringLiteral("path"), QStringLiteral("/etc/firebird/3.0/firebird.conf"));
    const QCommandLineOption workstation(QStringLiteral("workstation"),
                                         QStringLiteral("Write the server's address into Config/ipServidor.ini."),
                                         QStringLiteral("server"));
    const QCommandLineOption makeTemplate(QStringLiteral("make-template"),
                                          QStringLiteral("Only make an empty template unit database at this path."),
                                          QStringLiteral("path"));
    parser.addOptions({folder, server, operatorCode, password, name, unit, municipality, demo, replace, officeServer, yes,
                       firebirdConf, workstation, makeTemplate});
    parser.process(app);

    // The office-server and workstation steps work on the tool's own folder.
    const QString toolFolder = parser.isSet(folder) ? parser.value(folder) : ProgramPaths::programFolder();
    try {
        if (parser.isSet(makeTemplate)) {
            InstallFolderBuilder::createTemplateDatabase(parser.value(makeTemplate));
            out << "Made the template unit database " << parser.value(makeTemplate) << "\n";
            return 0;
        }
        if (parser.isSet(workstation)) {
            out << WorkstationAddress::apply(toolFolder, parser.value(workstation)) << "\n";
            return 0;
        }
        if (parser.isSet(officeServer)) {
            OfficeServerOptions office;
            office.install.folder = toolFolder;
            office.install.operatorCode = parser.value(operatorCode);
            office.install.password = parser.value(password);
            office.install.operatorName = parser.value(name);
            office.install.unitName = parser.value(unit);
            office.install.municipality = parser.value(municipality);
            office.firebirdConf = parser.value(firebirdConf);
            office.yes = parser.isSet(yes);
            QTextStream in(stdin);
            OfficeServerSetup(
                office, [&out](const QString &line) { out << line << "\n" << Qt::flush; },
                [&out, &in](const QString &question) {
                    out << question << " [s/N] " << Qt::flush;
                    const QString answer = in.readLine().trimmed().toLower();
                    return answer == QStringLiteral("s") || answer == QStringLiteral("y");
                })
                .run();
            out << "The office server is set up.\n";
            return 0;
        }
    } catch (const Failure &e) {
        err << "kalvero-setup: " << e.text() << "\n";
        return 1;
    }

    for (const QCommandLineOption *required : {&folder, &operatorCode, &password, &name}) {
        if (!parser.isSet(*required)) {
            err << "kalvero-setup: --" << required->names().constFirst() << " is required (see --help)\n";
            return 2;
        }
    }
    InstallOptions options;
    options.folder = parser.value(folder);
    options.serverAddress = parser.value(server);
    options.operatorCode = parser.value(operatorCode);
    options.password = parser.value(password);
    options.operatorName = parser.value(name);
    options.unitName = parser.value(unit);
    options.municipality = parser.value(municipality);
    options.demo = parser.isSet(demo);
    options.replace = parser.isSet(replace);

    try {
        const QStringList made = InstallFolderBuilder(options).build();
        out << "Made the install in " << options.folder << ":\n";
        for (const QString &line : made)
            out << "  " << line << "\n";
        return 0;
    } catch (const InstallError &e) {
        err << "kalvero-setup: " << e.text() << "\n";
        return 1;
    }
}
