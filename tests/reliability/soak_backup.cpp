// The soak's backup: the unit's database into an archive through the
// program's own backup, then the archive proved: restored by the engine into
// a scratch database, validated, and its protocols counted.
//
//     kalvero_soak_backup <database> <archive> <scratch database path on the engine>
//
// One line: "BACKUP <archive> <bytes> protocols=<n> validation=clean" (or the
// validation's lines); exit 1 on any failure.

#include "backup/FirebirdService.h"
#include "backup/RestoreStream.h"
#include "backup/UnitBackup.h"
#include "data/Failure.h"
#include "data/firebird/Connection.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTextStream>

using namespace kalvero;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() != 4) {
        QTextStream(stderr) << "usage: kalvero_soak_backup <database> <archive> <scratch database path>\n";
        return 2;
    }
    const QString database = args.at(1);
    const QString archive = args.at(2);
    const QString scratchPath = args.at(3);
    const DatabaseTarget target = DatabaseTarget::parse(database);
    const QString scratch = DatabaseTarget::databaseName(target.host, scratchPath);
    try {
        UnitBackup(database).writeTo(archive, QDateTime::currentDateTime());

        FirebirdService service(target.host);
        RestoreStream stream(archive);
        service.restore(scratchPath, [&](char *data, std::size_t capacity) { return stream.read(data, capacity); });
        const QStringList problems = service.validate(scratchPath);
        const qint64 protocols = test::scalarOn(scratch, QStringLiteral("select count(*) from TBPROTOCOLO")).toLongLong();
        Connection::dropDatabase(scratch);
        out << "BACKUP " << archive << ' ' << QFileInfo(archive).size() << " protocols=" << protocols
            << " validation=" << (problems.isEmpty() ? QStringLiteral("clean") : problems.join(QLatin1String(" | ")))
            << Qt::endl;
        return problems.isEmpty() ? 0 : 1;
    } catch (const Failure &e) {
        out << "BACKUP " << archive << " FAILED " << e.text() << Qt::endl;
        try {
            Connection::dropDatabase(scratch);
        } catch (const Failure &) {
        }
        return 1;
    }
}
