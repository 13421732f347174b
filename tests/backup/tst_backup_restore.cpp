// Backup and restore of a unit's database, on the embedded engine and on the
// local server.
#include "BackupFixture.h"
#include "Rar5Store.h"

#include "backup/ArchiveReader.h"
#include "backup/ArchiveWriter.h"
#include "backup/BackupPlace.h"
#include "backup/FirebirdService.h"
#include "backup/UnitBackup.h"
#include "backup/UnitRestore.h"
#include "data/schema/UnitSchema.h"

#include <QFile>
#include <QList>
#include <QFileInfo>
#include <QTest>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace kalvero;
using test::BackupFixture;
using test::executeOn;

namespace {

const QDateTime When(QDate(2014, 3, 5), QTime(14, 30, 15));

QString serviceHost(const QString &databaseName) { return DatabaseTarget::parse(databaseName).host; }

QStringList numbers(int from, int to) {
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << BackupFixture::number(n);
    return out;
}

QStringList entries(const QString &archive) {
    ArchiveReader reader(archive);
    QStringList names;
    while (reader.nextFile())
        names << reader.entryName();
    return names;
}

}  // namespace

class BackupRestoreTest : public QObject {
    Q_OBJECT

private slots:
    void namesAndFolders_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("folder");
        QTest::newRow("embedded") << "" << "/opt/kalvero/Backup/UN01/";
        QTest::newRow("local server") << "localhost" << "/opt/kalvero/Backup/UN01/";
        QTest::newRow("remote server") << "10.0.0.5" << "/net/10.0.0.5/opt/kalvero/Backup/UN01/";
    }
    void namesAndFolders() {
        QFETCH(QString, server);
        QFETCH(QString, folder);
        QCOMPARE(BackupPlace::folder(QStringLiteral("/opt/kalvero/"), server, QStringLiteral("01")), folder);
        QCOMPARE(BackupPlace::archiveName(QStringLiteral("01"), When),
                 QStringLiteral("UN01-Gerado_no_Dia_05.03.2014_as_14.30.15.rar"));
        QCOMPARE(BackupPlace::safetyCopyName(QStringLiteral("UN01-Gerado_no_Dia_05.03.2014_as_14.30.15.rar")),
                 QStringLiteral("UN01-Gerado_no_Dia_05.03.2014_as_14.30.15.rar-GeradoPeloSistema.rar"));
    }

    // Rows committed before the backup began are all in it, nothing half
    // written is, and the restored database validates clean.
    void backupUnderWriteLoadIsConsistent() {
        BackupFixture f;
        f.addProtocols(1, 150);
        std::atomic<bool> stop{false};
        std::atomic<int> written{150};
        std::thread writer([&] {
            Connection c;
            c.setDatabaseName(f.databaseName);
            while (!stop && written < 99999) {
                const int n = written + 1;
                c.execute(BackupFixture::insertStatement(), {BackupFixture::number(n), QStringLiteral("PEDIDO")});
                written = n;
            }
            c.close();
        });
        while (written < 200)
            QThread::msleep(5);
        const int committedBefore = written;
        const QString archive = f.archive(BackupPlace::archiveName(QStringLiteral("01"), When));
        UnitBackup(f.databaseName).writeTo(archive, When);
        stop = true;
        writer.join();
        QCOMPARE(entries(archive), QStringList{UnitBackup::EntryName});

        // Back into a new database beside it, by restoring over the unit.
        const QStringList live = f.protocols();
        f.addProtocols(written + 1, written + 1);
        UnitRestore(f.databaseName).restoreFrom(archive, archive + QStringLiteral("-seg.rar"), When);
        const QStringList restored = f.protocols();
        QVERIFY(restored.size() >= committedBefore);
        QCOMPARE(restored, numbers(1, restored.size()));  // a gap-free prefix of the writer's rows
        QVERIFY(restored.size() <= live.size());
        QCOMPARE(FirebirdService(serviceHost(f.databaseName)).validate(f.databasePath), QStringList());
    }

    // Backup, more protocols, a second backup into the same archive, more
    // again, restore: the newer copy comes back, the later rows are gone.
    // The server suite's address counts as a remote server, whose files are
    // replaced through its services; "localhost" has them swapped here.
    void fullCircle_data() {
        QTest::addColumn<QString>("host");
        QTest::newRow("suite's engine") << QString();
        if (test::isServerSuite())
            QTest::newRow("localhost") << QStringLiteral("localhost");
    }
    void fullCircle() {
        QFETCH(QString, host);
        BackupFixture f;
        if (!host.isEmpty())
            f.databaseName = DatabaseTarget::databaseName(host, f.databasePath);
        f.addProtocols(1, 3);
        const QString archive = f.archive(BackupPlace::archiveName(QStringLiteral("01"), When));
        UnitBackup(f.databaseName).writeTo(archive, When);
        f.addProtocols(4, 4);
        UnitBackup(f.databaseName).writeTo(archive, When);
        QCOMPARE(entries(archive), QStringList{UnitBackup::EntryName});
        f.addProtocols(5, 6);

        const QString safety = f.archive(BackupPlace::safetyCopyName(QFileInfo(archive).fileName()));
        UnitRestore restore(f.databaseName);
        QCOMPARE(restore.swapsFiles(), !test::isServerSuite() || !host.isEmpty());
        restore.restoreFrom(archive, safety, When);
        QCOMPARE(f.protocols(), numbers(1, 4));
        QVERIFY(!QFileInfo::exists(restore.restoredPath()));
        QVERIFY(!QFileInfo::exists(restore.previousPath()));
        QCOMPARE(QDir(f.backupFolder).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QFileInfo(archive).fileName(), QFileInfo(safety).fileName()}));

        // The safety copy holds the database as it was before the restore.
        restore.restoreFrom(safety, f.archive(QStringLiteral("outra.rar")), When);
        QCOMPARE(f.protocols(), numbers(1, 6));
    }

    void restoreRefusedWhileAnotherConnectionIsAttached() {
        BackupFixture f;
        f.addProtocols(1, 2);
        const QString archive = f.archive(QStringLiteral("a.rar"));
        UnitBackup(f.databaseName).writeTo(archive, When);
        f.addProtocols(3, 3);
        Connection other;
        other.setDatabaseName(f.databaseName);
        other.open();
        try {
            UnitRestore(f.databaseName).restoreFrom(archive, f.archive(QStringLiteral("seg.rar")), When);
            QFAIL("restored under an attachment");
        } catch (const AttachedElsewhere &refused) {
            QCOMPARE(refused.count(), 1);
            QVERIFY(refused.text().contains(QStringLiteral("1 conexão")));
        }
        other.close();
        QCOMPARE(f.protocols(), numbers(1, 3));
        QVERIFY(!QFileInfo::exists(f.archive(QStringLiteral("seg.rar"))));
    }

    // A remote server's database replaced through its services alone: the
    // database lives in a folder this process cannot see (covered in its own
    // mount namespace by an empty one), so any rename, removal or look at the
    // file from here would fail the restore.
    void restoreThroughTheServerAlone() {
        const QString hidden = qEnvironmentVariable("KALVERO_SERVER_ONLY_FOLDER");
        if (hidden.isEmpty() || !test::isServerSuite())
            QSKIP("needs a server folder hidden from this process (tests/backup/hidden-from-workstation.sh)");
        BackupFixture f(hidden);
        QVERIFY2(!QFileInfo::exists(f.databasePath), "the server's database file is visible here");
        f.addProtocols(1, 3);
        const QString archive = f.archive(BackupPlace::archiveName(QStringLiteral("01"), When));
        UnitBackup(f.databaseName).writeTo(archive, When);
        f.addProtocols(4, 5);
        UnitRestore restore(f.databaseName);
        QVERIFY(!restore.swapsFiles());
        QList<int> steps;
        restore.restoreFrom(archive, f.archive(QStringLiteral("seg.rar")), When, [&](int p) { steps << p; });
        QCOMPARE(f.protocols(), numbers(1, 3));
        QCOMPARE(steps.last(), 100);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        // Nothing left beside it on the server: the copy made there is dropped.
        QVERIFY_THROWS_EXCEPTION(Failure, BackupFixture::protocolsOf(
                                              DatabaseTarget::databaseName(test::serverAddress(), restore.restoredPath())));
        QCOMPARE(FirebirdService(test::serverAddress()).validate(f.databasePath), QStringList());
        Connection::dropDatabase(f.databaseName);
    }

    // The archive goes bad between the check of the copy beside and the
    // server's replacing of the current database: the current database comes
    // back from the safety copy, and the failure says so.
    void failedReplaceOnServerPutsTheSafetyCopyBack() {
        if (!test::isServerSuite())
            QSKIP("the embedded engine's file is swapped, not replaced by a server");
        BackupFixture f;
        f.addProtocols(1, 30);
        const QString archive = f.archive(QStringLiteral("a.rar"));
        UnitBackup(f.databaseName).writeTo(archive, When);
        f.addProtocols(31, 32);
        bool damaged = false;
        try {
            UnitRestore(f.databaseName).restoreFrom(archive, f.archive(QStringLiteral("seg.rar")), When, [&](int p) {
                if (p >= UnitRestore::ServerReplaceStart && !damaged) {
                    QFile file(archive);
                    QVERIFY(file.resize(file.size() / 2));
                    damaged = true;
                }
            });
            QFAIL("a damaged archive replaced the database");
        } catch (const Failure &failure) {
            QVERIFY2(failure.text().contains(QStringLiteral("reposto a partir da cópia de segurança")),
                     qPrintable(failure.text()));
        }
        QVERIFY(damaged);
        QCOMPARE(f.protocols(), numbers(1, 32));
        executeOn(f.databaseName, BackupFixture::insertStatement(), {BackupFixture::number(33), QStringLiteral("X")});
    }

    // Archives of other archivers, read by their content: RAR holding the
    // database file itself, 7z holding the engine's backup.
    void restoresA7zArchive() {
        BackupFixture f;
        f.addProtocols(1, 4);
        const QString zip = f.archive(QStringLiteral("origem.rar"));
        UnitBackup(f.databaseName).writeTo(zip, When);
        const QString sevenZip = f.archive(QStringLiteral("UN01-Gerado_no_Dia_01.02.2013_as_08.00.00.rar"));
        {
            ArchiveReader reader(zip);
            QVERIFY(reader.nextFile());
            archive *out = archive_write_new();
            QCOMPARE(archive_write_set_format_7zip(out), ARCHIVE_OK);
            QCOMPARE(archive_write_open_filename(out, QFile::encodeName(sevenZip).constData()), ARCHIVE_OK);
            QByteArray content;
            char buffer[65536];
            while (const std::size_t got = reader.read(buffer, sizeof buffer))
                content.append(buffer, qsizetype(got));
            archive_entry *entry = archive_entry_new();
            archive_entry_set_pathname(entry, "DBPROTOCOLO.FBK");
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_perm(entry, 0644);
            archive_entry_set_size(entry, content.size());
            QCOMPARE(archive_write_header(out, entry), ARCHIVE_OK);
            QCOMPARE(archive_write_data(out, content.constData(), size_t(content.size())), la_ssize_t(content.size()));
            archive_entry_free(entry);
            QCOMPARE(archive_write_close(out), ARCHIVE_OK);
            archive_write_free(out);
        }
        QVERIFY(QFile::remove(zip));
        f.addProtocols(5, 6);
        UnitRestore(f.databaseName).restoreFrom(sevenZip, f.archive(QStringLiteral("seg.rar")), When);
        QCOMPARE(f.protocols(), numbers(1, 4));
    }

    // An archive that the archiver made by adding the database file itself.
    void restoresACopiedDatabaseFromARarArchive() {
        BackupFixture f;
        f.addProtocols(1, 5);
        test::ScratchFolder older;
        const QString oldFile = older.file(QStringLiteral("DBPROTOCOLO.FDB"));
        {
            Connection c;  // the embedded engine, closed before the file is read
            c.setDatabaseName(oldFile);
            c.create();
            UnitSchema::createTemplateTables(c);
            c.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
            c.execute(QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (1, 'ALVARA')"));
            for (int n = 1; n <= 2; ++n)
                c.execute(BackupFixture::insertStatement(), {BackupFixture::number(n), QStringLiteral("ANTIGO")});
            c.close();
        }
        QFile file(oldFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString archive = f.archive(QStringLiteral("UN01-Gerado_no_Dia_01.02.2013_as_08.00.00.rar"));
        QFile out(archive);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(test::rar5Stored(QStringLiteral("DBPROTOCOLO.FDB"), file.readAll(), 1359709200));
        out.close();

        UnitRestore(f.databaseName).restoreFrom(archive, f.archive(QStringLiteral("seg.rar")), When);
        QCOMPARE(f.protocols(), numbers(1, 2));
    }

    // A safety copy is never written over a file that is there, the chosen
    // archive least of all: the restore is refused and nothing changes.
    void theSafetyCopyNeverReplacesAFile() {
        BackupFixture f;
        f.addProtocols(1, 2);
        const QString archive = f.archive(QStringLiteral("a.rar"));
        UnitBackup(f.databaseName).writeTo(archive, When);
        f.addProtocols(3, 3);
        const QString taken = f.archive(QStringLiteral("seg.rar"));
        QFile file(taken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("antes");
        file.close();
        for (const QString &safety : {taken, archive}) {
            try {
                UnitRestore(f.databaseName).restoreFrom(archive, safety, When);
                QFAIL("a safety copy replaced a file");
            } catch (const Failure &refused) {
                QVERIFY2(refused.text().contains(QStringLiteral("nada foi restaurado")), qPrintable(refused.text()));
            }
        }
        QCOMPARE(f.protocols(), numbers(1, 3));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("antes"));
        QCOMPARE(entries(archive), QStringList{UnitBackup::EntryName});
    }

    // Whatever is wrong with the archive, the database stays as it was and
    // the failure says why.
    void brokenArchivesLeaveTheDatabaseAlone_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("truncated") << "truncated" << "não pôde ser";
        QTest::newRow("damaged") << "damaged" << "não pôde ser";
        QTest::newRow("not an archive") << "text" << "não pôde ser lido";
        QTest::newRow("no database in it") << "other file" << "não pôde ser restaurado";
        QTest::newRow("empty archive") << "empty" << "não contém um banco de dados";
    }
    void brokenArchivesLeaveTheDatabaseAlone() {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        BackupFixture f;
        f.addProtocols(1, 40);
        const QString good = f.archive(QStringLiteral("bom.rar"));
        UnitBackup(f.databaseName).writeTo(good, When);
        QFile source(good);
        QVERIFY(source.open(QIODevice::ReadOnly));
        QByteArray bytes = source.readAll();
        const QString broken = f.archive(QStringLiteral("ruim.rar"));
        if (damage == QLatin1String("truncated")) {
            bytes.truncate(bytes.size() / 2);
        } else if (damage == QLatin1String("damaged")) {
            for (qsizetype i = bytes.size() / 3; i < bytes.size() / 3 + 64; ++i)
                bytes[i] = char(bytes[i] ^ 0x5a);
        } else if (damage == QLatin1String("text")) {
            bytes = "isto não é um arquivo compactado\n";
        } else {
            ArchiveWriter writer(broken);
            if (damage == QLatin1String("other file")) {
                writer.beginEntry(QStringLiteral("LEIAME.TXT"), When);
                writer.write("texto", 5);
            }
            writer.finish();
            writer.commit();
        }
        if (damage == QLatin1String("truncated") || damage == QLatin1String("damaged") ||
            damage == QLatin1String("text")) {
            QFile out(broken);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        f.addProtocols(41, 41);
        UnitRestore restore(f.databaseName);
        try {
            restore.restoreFrom(broken, f.archive(QStringLiteral("seg.rar")), When);
            QFAIL("a broken archive was restored");
        } catch (const Failure &failure) {
            QVERIFY2(failure.text().contains(reason), qPrintable(failure.text()));
        }
        QCOMPARE(f.protocols(), numbers(1, 41));
        QVERIFY(!QFileInfo::exists(restore.restoredPath()));
        QVERIFY(!QFileInfo::exists(restore.previousPath()));
    }
};

QTEST_GUILESS_MAIN(BackupRestoreTest)
#include "tst_backup_restore.moc"
