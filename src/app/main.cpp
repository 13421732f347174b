// The Kalvero program. Until its windows arrive it reports what it finds in
// its program folder: the server address, the access database and the units.
#include "access/Tdm2.h"
#include "data/ProgramPaths.h"
#include "data/firebird/FirebirdError.h"
#include "data/modules/TDM.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace kalvero;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString folder = ProgramPaths::programFolder();
    out << "Kalvero 1.02.000 in " << folder << "\n";

    QFile file(ProgramPaths::serverAddressFile(folder));
    if (!file.open(QIODevice::ReadOnly)) {
        out << "  " << file.fileName() << ": " << file.errorString() << "\n";
        return 1;
    }
    // The last line read is the address; a final line ending starts no new line.
    QString address;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        address = QString::fromLocal8Bit(line);
    }
    out << "  server address: " << (address.isEmpty() ? QStringLiteral("none (embedded engine)") : address) << "\n";

    try {
        Tdm2 access;
        access.MDatabaseSenha.setDatabaseName(Tdm2::databaseNameFor(address, folder));
        access.tbAcesso.open();
        for (access.tbAcesso.first(); !access.tbAcesso.eof(); access.tbAcesso.next()) {
            const QString caminho = access.tbAcesso.field(QStringLiteral("CAMINHO")).asString();
            TDM unit;
            unit.MDatabasePrincipal.setDatabaseName(
                DatabaseTarget::databaseName(address, ProgramPaths::unitDatabase(caminho)));
            QString state = QStringLiteral("opens");
            try {
                unit.MDatabasePrincipal.open();
            } catch (const DatabaseError &e) {
                state = e.text();
            }
            out << "  unit " << access.tbAcesso.field(QStringLiteral("CODIGO")).asString() << "-"
                << access.tbAcesso.field(QStringLiteral("PREFEITURA")).asString() << " in " << caminho << ": " << state
                << "\n";
        }
    } catch (const DatabaseError &e) {
        out << "  access database: " << e.text() << "\n";
        return 1;
    }
    out << "The login and the main window come with the next release.\n";
    return 0;
}
