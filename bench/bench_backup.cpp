// Backup and restore of the benchmark's unit database (100,000 protocols,
// seeded by kalvero_bench) against the plain way of archiving a closed file:
// copying it with cp and compressing the copy into a zip with the same library.
// Also the peak memory of the process, which must stay far below the file's
// size: nothing reads the database whole.
// Usage: kalvero_bench_backup <database file> [server address]
#include "BenchArguments.h"
#include "BenchTiming.h"
#include "backup/ArchiveWriter.h"
#include "backup/FirebirdService.h"
#include "backup/UnitBackup.h"
#include "backup/UnitRestore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>
#include <vector>

using namespace kalvero;

namespace {

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double megabytes(qint64 bytes) { return double(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const auto arguments = BenchArguments::read(argc, argv, "kalvero_bench_backup <database file> [server address]");
    if (!arguments)
        return 2;
    const QString source = arguments->file;
    const QString server = arguments->server;
    if (!QFile::exists(source)) {
        out << "Run kalvero_bench first: it seeds " << source << "\n";
        return 2;
    }
    QTemporaryDir scratch(QFileInfo(source).absolutePath() + QStringLiteral("/backup-XXXXXX"));
    QFile::setPermissions(scratch.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    // A unit of its own: the seeded file copied while no engine has it open.
    const QString file = scratch.filePath(QStringLiteral("DBPROTOCOLO.FDB"));
    QFile::copy(source, file);
    const QString name = DatabaseTarget::databaseName(server, file);
    const qint64 fileBytes = QFileInfo(file).size();
    out << "Engine: " << arguments->engine()
        << QStringLiteral(", database file %1 MB\n").arg(megabytes(fileBytes), 0, 'f', 1);

    // What streaming costs: the engine hands its backup over in small pieces.
    qint64 streamBytes = 0;
    const double streamMs = elapsedMs([&] {
        FirebirdService(server).backup(file, [&](const char *, std::size_t size) {
            streamBytes += qint64(size);
            return true;
        });
    });
    out << QStringLiteral("Firebird's backup streamed through the services API, thrown away: %1 ms, %2 MB\n")
               .arg(streamMs, 0, 'f', 0)
               .arg(megabytes(streamBytes), 0, 'f', 1);

    const long startKb = peakKb();
    const QDateTime when = QDateTime::currentDateTime();
    const QString archive = scratch.filePath(QStringLiteral("UN01-bench.rar"));
    QList<int> steps;
    const double backupMs = elapsedMs([&] { UnitBackup(name).writeTo(archive, when, [&](int p) { steps << p; }); });
    const long backupPeakKb = peakKb();

    // The plain way: cp, then the copy into a zip through the same writer.
    const QString copy = scratch.filePath(QStringLiteral("copia.FDB"));
    const QString plainArchive = scratch.filePath(QStringLiteral("copia.zip"));
    const double plainMs = elapsedMs([&] {
        QProcess::execute(QStringLiteral("cp"), {file, copy});
        ArchiveWriter writer(plainArchive);
        writer.beginEntry(QStringLiteral("DBPROTOCOLO.FDB"), when);
        QFile in(copy);
        in.open(QIODevice::ReadOnly);
        std::vector<char> buffer(1 << 16);
        while (const qint64 got = in.read(buffer.data(), qint64(buffer.size())))
            writer.write(buffer.data(), std::size_t(got));
        writer.finish();
        writer.commit();
    });

    const double restoreMs = elapsedMs([&] {
        UnitRestore(name).restoreFrom(archive, scratch.filePath(QStringLiteral("seguranca.rar")), when);
    });
    const long restorePeakKb = peakKb();

    out << QStringLiteral("Backup (the engine's backup into zip, read back): %1 ms, archive %2 MB\n")
               .arg(backupMs, 0, 'f', 0)
               .arg(megabytes(QFileInfo(archive).size()), 0, 'f', 1);
    out << QStringLiteral("Progress during the backup: %1 steps, first ones %2\n")
               .arg(steps.size())
               .arg([&] {
                   QStringList first;
                   for (int i = 0; i < std::min<qsizetype>(8, steps.size()); ++i)
                       first << QString::number(steps[i]);
                   return first.join(QLatin1Char(' '));
               }());
    out << QStringLiteral("cp + zip of the same file: %1 ms, archive %2 MB; backup ratio %3\n")
               .arg(plainMs, 0, 'f', 0)
               .arg(megabytes(QFileInfo(plainArchive).size()), 0, 'f', 1)
               .arg(backupMs / plainMs, 0, 'f', 2);
    out << QStringLiteral("Restore (safety copy, restore beside, check, swap): %1 ms; ratio to cp + zip %2\n")
               .arg(restoreMs, 0, 'f', 0)
               .arg(restoreMs / plainMs, 0, 'f', 2);
    out << QStringLiteral("Peak memory: %1 MB at start, %2 MB after the backup, %3 MB after the restore\n")
               .arg(startKb / 1024.0, 0, 'f', 1)
               .arg(backupPeakKb / 1024.0, 0, 'f', 1)
               .arg(restorePeakKb / 1024.0, 0, 'f', 1);
    return 0;
}
