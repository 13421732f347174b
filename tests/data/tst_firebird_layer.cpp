#include "TestDatabase.h"

#include "data/firebird/Connection.h"
#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"

#include <QDate>
#include <QTime>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace kalvero;

class FirebirdLayerTest : public QObject {
    Q_OBJECT

private slots:
    void databaseStrings_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("embedded");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain path") << "/opt/kalvero/DBACESSO.FDB" << true << "" << "/opt/kalvero/DBACESSO.FDB";
        QTest::newRow("empty address") << ":/opt/kalvero/DBACESSO.FDB" << true << "" << "/opt/kalvero/DBACESSO.FDB";
        QTest::newRow("ip address") << "10.0.0.2:/opt/kalvero/UN01/DBPROTOCOLO.FDB" << false << "10.0.0.2"
                                    << "/opt/kalvero/UN01/DBPROTOCOLO.FDB";
        QTest::newRow("localhost") << "localhost:/srv/x.fdb" << false << "localhost" << "/srv/x.fdb";
    }

    void databaseStrings() {
        QFETCH(QString, name);
        QFETCH(bool, embedded);
        QFETCH(QString, host);
        QFETCH(QString, path);
        const DatabaseTarget t = DatabaseTarget::parse(name);
        QCOMPARE(t.embedded, embedded);
        QCOMPARE(t.host, host);
        QCOMPARE(t.path, path);
        QCOMPARE(DatabaseTarget::databaseName(t.host, t.path), embedded ? path : name);
    }

    void everyTypeRoundTripsAsParameter() {
        test::ScratchFolder folder;
        Connection c;
        c.setDatabaseName(test::createEmptyDatabase(folder, QStringLiteral("types.fdb")));
        c.execute(QStringLiteral("create table T (V varchar(80), C char(4), I integer, B bigint, D date, H time, "
                                 "TS timestamp, N numeric(9,2))"));
        const QString name = QStringLiteral("JOANA D'ÁVILA; DROP TABLE T --");
        const QDateTime stamp(QDate(2014, 2, 28), QTime(23, 59, 58));
        c.execute(QStringLiteral("insert into T values (?, ?, ?, ?, ?, ?, ?, ?)"),
                  {name, QStringLiteral("AB"), 42, qint64(5000000000LL), QDate(2014, 12, 31), QTime(14, 30), stamp,
                   12.5});
        c.execute(QStringLiteral("insert into T (V) values (?)"), {QVariant()});

        RecordSet rs(QStringLiteral("rs"));
        rs.setConnection(&c);
        rs.setCommandText(QStringLiteral("select * from T where V = ? or V is null order by V nulls last"), {name});
        rs.open();
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.field(QStringLiteral("V")).asString(), name);
        QCOMPARE(rs.field(QStringLiteral("C")).asString(), QStringLiteral("AB"));  // CHAR comes back unpadded
        QCOMPARE(rs.field(QStringLiteral("I")).asInteger(), 42);
        QCOMPARE(rs.field(QStringLiteral("B")).asInteger(), 5000000000LL);
        QCOMPARE(rs.field(QStringLiteral("D")).asString(), QStringLiteral("31/12/2014"));
        QCOMPARE(rs.field(QStringLiteral("H")).value().toTime(), QTime(14, 30));
        QCOMPARE(rs.field(QStringLiteral("TS")).value().toDateTime(), stamp);
        QCOMPARE(rs.field(QStringLiteral("N")).value().toDouble(), 12.5);
        rs.next();
        for (const char *f : {"V", "C", "I", "B", "D", "H", "TS", "N"})
            QVERIFY(rs.field(QString::fromLatin1(f)).isNull());
        QCOMPARE(rs.field(QStringLiteral("I")).asInteger(), 0);
        QCOMPARE(rs.field(QStringLiteral("V")).asString(), QString());
    }

    void errorsCarryFirebirdsCodesAndText_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<qlonglong>("code");
        QTest::addColumn<QString>("textPart");
        QTest::newRow("duplicate key") << "insert into P values (1)" << qlonglong(FbCode::UniqueKeyViolation)
                                       << "PRIMARY or UNIQUE KEY";
        QTest::newRow("missing parent") << "insert into K values (9)" << qlonglong(FbCode::ForeignKeyViolation)
                                        << "FOREIGN KEY";
        QTest::newRow("referenced parent") << "delete from P" << qlonglong(FbCode::ForeignKeyViolation) << "FOREIGN KEY";
        QTest::newRow("too long") << "insert into S values ('ABCDEF')" << qlonglong(FbCode::StringTruncation)
                                  << "truncation";
        QTest::newRow("unknown table") << "select * from NOPE" << qlonglong(FbCode::TableUnknown) << "NOPE";
    }

    void errorsCarryFirebirdsCodesAndText() {
        QFETCH(QString, statement);
        QFETCH(qlonglong, code);
        QFETCH(QString, textPart);
        test::ScratchFolder folder;
        Connection c;
        c.setDatabaseName(test::createEmptyDatabase(folder, QStringLiteral("errors.fdb")));
        c.execute(QStringLiteral("create table P (ID integer not null primary key)"));
        c.execute(QStringLiteral("create table K (P integer references P (ID))"));
        c.execute(QStringLiteral("create table S (V varchar(5))"));
        c.execute(QStringLiteral("insert into P values (1)"));
        c.execute(QStringLiteral("insert into K values (1)"));
        try {
            c.execute(statement);
            QFAIL("the database accepted the statement");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.hasCode(long(code)), qPrintable(e.text()));
            QVERIFY2(e.text().contains(textPart, Qt::CaseInsensitive), qPrintable(e.text()));
        }
    }

    void eachStatementCommitsAtOnce() {
        test::ScratchFolder folder;
        const QString name = test::createEmptyDatabase(folder, QStringLiteral("commit.fdb"));
        Connection a, b;
        a.setDatabaseName(name);
        b.setDatabaseName(name);
        a.execute(QStringLiteral("create table T (ID integer)"));
        b.open();
        a.execute(QStringLiteral("insert into T values (?)"), {7});
        RecordSet rs(QStringLiteral("rs"));
        rs.setConnection(&b);
        rs.setCommandText(QStringLiteral("select ID from T"));
        rs.open();
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.field(QStringLiteral("ID")).asInteger(), 7);
    }

    void writeWaitsForAnotherTransactionsLock() {
        // A write to a row that another transaction holds waits for it to end
        // instead of failing at once; once the holder commits, the late write is
        // refused as an update conflict.
        test::ScratchFolder folder;
        const QString name = test::createEmptyDatabase(folder, QStringLiteral("wait.fdb"));
        Connection a, b;
        a.setDatabaseName(name);
        b.setDatabaseName(name);
        a.execute(QStringLiteral("create table T (ID integer, V varchar(10))"));
        a.execute(QStringLiteral("insert into T values (1, 'A')"));
        b.open();

        fb::Transaction holder(a.attachment(), fb::Transaction::Mode::ReadWrite);
        a.prepare(QStringLiteral("update T set V = 'HELD' where ID = 1"))->execute(holder, {});

        std::atomic<bool> finished = false;
        QString failure;
        std::thread late([&] {
            try {
                b.execute(QStringLiteral("update T set V = 'LATE' where ID = 1"));
            } catch (const DatabaseError &e) {
                failure = e.text();
                if (!e.isUpdateConflict())
                    failure += QStringLiteral(" (not an update conflict)");
            }
            finished = true;
        });
        QTest::qWait(500);
        const bool finishedWhileHeld = finished;
        holder.commit();
        late.join();
        QVERIFY2(!finishedWhileHeld, qPrintable(failure));
        QVERIFY2(failure.size() > 0 && !failure.contains(QStringLiteral("not an update conflict")), qPrintable(failure));
    }

    void schemaStatementAfterPreparedSelectOfSameTable() {
        // A prepared select of a table must not keep a later ALTER of it from running.
        test::ScratchFolder folder;
        Connection c;
        c.setDatabaseName(test::createEmptyDatabase(folder, QStringLiteral("ddl.fdb")));
        c.execute(QStringLiteral("create table T (ID integer)"));
        RecordSet rs(QStringLiteral("rs"));
        rs.setConnection(&c);
        rs.setCommandText(QStringLiteral("select * from T"));
        rs.open();
        rs.close();
        c.execute(QStringLiteral("alter table T add X integer"));
        c.execute(QStringLiteral("update T set X = 0"));
        rs.open();
        QCOMPARE(rs.fieldCount(), 2);
    }

    void unreachableDatabaseIsReported() {
        test::ScratchFolder folder;
        Connection c;
        c.setDatabaseName(test::databaseName(folder.file(QStringLiteral("missing.fdb"))));
        try {
            c.open();
            QFAIL("opened a database that does not exist");
        } catch (const DatabaseError &e) {
            QVERIFY(!e.text().isEmpty());
            QVERIFY(e.primaryCode() != 0);
        }
        QVERIFY(!c.isConnected());
    }

    // A file that the server holds open is refused to the local engine, after
    // the short waits given to a server that is just closing it.
    void fileHeldByTheServerIsRefusedToTheLocalEngine() {
        if (!test::isServerSuite())
            QSKIP("needs the server to hold the file");
        test::ScratchFolder folder;
        Connection server;
        server.setDatabaseName(test::createEmptyDatabase(folder, QStringLiteral("held.fdb")));
        server.open();
        Connection local;
        local.setDatabaseName(QLatin1Char(':') + folder.file(QStringLiteral("held.fdb")));
        try {
            local.open();
            QFAIL("the local engine opened a file that the server holds");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.hasCode(isc_already_opened), qPrintable(e.text()));
        }
        QVERIFY(!local.isConnected());
        QCOMPARE(test::scalarOn(server.databaseName(), QStringLiteral("select 1 from RDB$DATABASE")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(FirebirdLayerTest)
#include "tst_firebird_layer.moc"
