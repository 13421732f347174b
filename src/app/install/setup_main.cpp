// kalvero-setup: makes a complete program folder for an office or a demo.
#include "InstallFolderBuilder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace kalvero;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kalvero-setup"));
    QTextStream out(stdout), err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Makes a Kalvero program folder: Config/ipServidor.ini, Config/prefeitura.bmp, the template unit database, "
        "DBACESSO.FDB with the first operator (level 1) and unit 01, UN01/DBPROTOCOLO.FDB and Backup/UN01/.\n"
        "With --server the databases are made by that Firebird server; run the tool on the server machine, "
        "since the files are created at the same path there."));
    parser.addHelpOption();
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
    parser.addOptions({folder, server, operatorCode, password, name, unit, municipality, demo, replace});
    parser.process(app);

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
