#include "ProtocolFixture.h"

#include "data/modules/SchemaUpgrade.h"
#include "data/modules/UnitNumbering.h"
#include "data/records/NumberedSave.h"
#include "data/Clock.h"
#include "data/firebird/FirebirdError.h"
#include "data/records/WriteTransaction.h"

#include <QtTest>

#include <barrier>
#include <thread>

using namespace kalvero;
using test::ProtocolFixture;

namespace {

QDateTime at(int day, int month, int year, int hour = 10, int minute = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// Makes the database act as a second desk that writes the given key between
// our read of the highest number and our write: an autonomous transaction
// commits it from inside our own insert, so the insert is refused.
void otherDeskTakesProtocolNumber(ProtocolFixture &f, const QString &number) {
    f.other.execute(QStringLiteral(
                        "create trigger TR_OTRA_MESA for TBPROTOCOLO before insert as begin "
                        "if (new.DESCRICAO <> 'OUTRA MESA' and new.IDPROTOCOLO = '%1') then "
                        "in autonomous transaction do "
                        "insert into TBPROTOCOLO values ('%1', new.ANO, 1, 1, new.DATADEENTRADA, '0', 'OUTRA MESA'); end")
                        .arg(number));
}

QStringList column(RecordSet &set, const QString &field) {
    QStringList values;
    for (set.first(); !set.eof(); set.next())
        values << set.field(field).asString();
    return values;
}

// Makes the commit of every transaction that wrote a protocol wait for a row
// that the caller's transaction holds, until it lets go.
void gateProtocolCommits(ProtocolFixture &f) {
    f.other.execute(QStringLiteral("create table PORTAO (X integer)"));
    f.other.execute(QStringLiteral("insert into PORTAO values (1)"));
    f.other.execute(QStringLiteral("create trigger TR_MARCA for TBPROTOCOLO after insert as begin "
                                   "rdb$set_context('USER_TRANSACTION', 'PROTOCOLO', '1'); end"));
    f.other.execute(QStringLiteral("create trigger TR_PORTAO on transaction commit as begin "
                                   "if (rdb$get_context('USER_TRANSACTION', 'PROTOCOLO') = '1') then "
                                   "update PORTAO set X = X; end"));
}

}  // namespace

// The data steps of the protocol register: numbering, the first save with its
// documents, documents, the list, and cancellation.
class ProtocolStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProtocolFixture> f;

private slots:
    void init() {
        Clock::setNow(at(5, 6, 2014));
        f = std::make_unique<ProtocolFixture>();
    }
    void cleanup() {
        f.reset();
        Clock::setNow(QDateTime());
    }

    void numbersRestartEachYearAndFollowTheYearOfNovo_data() {
        QTest::addColumn<QStringList>("existing");  // number/year
        QTest::addColumn<QDateTime>("novoAt");
        QTest::addColumn<QDateTime>("savedAt");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("number");
        QTest::newRow("first of a year, the last one ended high")
            << QStringList{"00057/2013", "99999/2012"} << at(5, 6, 2014) << at(5, 6, 2014) << "2014" << "00001";
        QTest::newRow("second of the year") << QStringList{"00057/2013", "00001/2014"} << at(5, 6, 2014)
                                            << at(5, 6, 2014) << "2014" << "00002";
        QTest::newRow("ordered as numbers") << QStringList{"00009/2014", "00010/2014"} << at(5, 6, 2014)
                                            << at(5, 6, 2014) << "2014" << "00011";
        QTest::newRow("Novo on 31 December, saved after midnight")
            << QStringList{"00009/2014", "00003/2015"} << at(31, 12, 2014, 23, 59) << at(1, 1, 2015, 0, 1) << "2014"
            << "00010";
    }
    void numbersRestartEachYearAndFollowTheYearOfNovo() {
        QFETCH(QStringList, existing);
        QFETCH(QDateTime, novoAt);
        QFETCH(QDateTime, savedAt);
        QFETCH(QString, year);
        QFETCH(QString, number);
        for (const QString &key : existing)
            f->addProtocol(key.left(5), key.right(4), QDate(key.right(4).toInt(), 1, 2));

        Clock::setNow(novoAt);
        f->typeNew();
        Clock::setNow(savedAt);
        const ProtocolStore::FirstSave saved = f->store->saveFirst(savedAt.date(), 0, {});

        QCOMPARE(saved.number, number);
        QCOMPARE(saved.retries, 0);
        QCOMPARE(f->protocols().field("ANO").asString(), year);
        QCOMPARE(f->count("select count(*) from TBPROTOCOLO where IDPROTOCOLO = ? and ANO = ? and DATADEENTRADA = ?",
                          {number, year, savedAt.date()}),
                 1);
    }

    // The documents are written with the protocol or not at all.
    void firstSaveWritesTheGivenDocuments_data() {
        QTest::addColumn<int>("subject");
        QTest::addColumn<bool>("accepted");  // the operator's answer to the question
        QTest::addColumn<QStringList>("names");
        QTest::newRow("three required, accepted") << 1 << true << QStringList{"RG", "CPF", "PLANTA"};
        QTest::newRow("three required, declined") << 1 << false << QStringList{};
        QTest::newRow("none required") << 2 << true << QStringList{};
    }
    void firstSaveWritesTheGivenDocuments() {
        QFETCH(int, subject);
        QFETCH(bool, accepted);
        QFETCH(QStringList, names);
        f->typeNew(QStringLiteral("PEDIDO"), subject);
        const QStringList required = f->store->requiredDocumentNames(subject);
        QCOMPARE(required.isEmpty(), subject == 2);

        const ProtocolStore::FirstSave saved =
            f->store->saveFirst(QDate(2014, 6, 5), 0, accepted ? required : QStringList{});

        QCOMPARE(saved.number, "00001");
        QCOMPARE(f->protocols().state(), RecordSet::State::Edit);
        QCOMPARE(f->protocols().changeCount(), 0);
        QCOMPARE(column(f->documents(), "NOMEDOCUMENTO"), names);
        QStringList numbers;
        for (int i = 1; i <= names.size(); ++i)
            numbers << QString::number(i);
        QCOMPARE(column(f->documents(), "IDDOCUMENTO"), numbers);
        QCOMPARE(f->store->documentCount(), names.size());
        QCOMPARE(f->store->pageTotal(), names.size());
        QCOMPARE(f->count("select count(*) from TBDOCUMENTOS where IDPROTOCOLO = '00001' and ANO = '2014' and PAGINA = 1"),
                 names.size());
    }

    // A refused first save leaves nothing behind, the row as typed and still
    // new; pressing "&Gravar" again once the cause is gone writes it.
    void failedFirstSaveWritesNothingAndCanBeRepeated_data() {
        QTest::addColumn<QString>("refusal");  // statement that makes the save fail, or empty
        QTest::addColumn<QStringList>("documents");
        QTest::newRow("document name longer than its column")
            << QString() << QStringList{"RG", QString(81, QLatin1Char('X'))};
        QTest::newRow("documents refused by the database")
            << QStringLiteral("create trigger TR_RECUSA for TBDOCUMENTOS before insert as begin "
                              "if (new.NOMEDOCUMENTO = 'CPF' and exists(select 1 from RECUSA)) then "
                              "exception E_RECUSA; end")
            << QStringList{"RG", "CPF"};
        QTest::newRow("protocol refused by the database")
            << QStringLiteral("create trigger TR_RECUSA for TBPROTOCOLO before insert as begin "
                              "if (exists(select 1 from RECUSA)) then exception E_RECUSA; end")
            << QStringList{"RG"};
    }
    void failedFirstSaveWritesNothingAndCanBeRepeated() {
        QFETCH(QString, refusal);
        QFETCH(QStringList, documents);
        // The refusal holds while the table RECUSA has a row.
        if (!refusal.isEmpty()) {
            f->other.execute(QStringLiteral("create exception E_RECUSA 'recusado'"));
            f->other.execute(QStringLiteral("create table RECUSA (X integer)"));
            f->other.execute(QStringLiteral("insert into RECUSA values (1)"));
            f->other.execute(refusal);
        }
        f->typeNew(QStringLiteral("PEDIDO DE O'BRIEN"));

        QVERIFY_THROWS_EXCEPTION(Failure, f->store->saveFirst(QDate(2014, 6, 3), 2, documents));

        QCOMPARE(f->count("select count(*) from TBPROTOCOLO"), 0);
        QCOMPARE(f->count("select count(*) from TBDOCUMENTOS"), 0);
        RecordSet &p = f->protocols();
        QCOMPARE(p.state(), RecordSet::State::Insert);
        QVERIFY(p.field("IDPROTOCOLO").isNull());
        QCOMPARE(p.field("ANO").asString(), "2014");
        QCOMPARE(p.field("SOLICITANTE").asInteger(), 1);
        QCOMPARE(p.field("DESCRICAO").asString(), "PEDIDO DE O'BRIEN");
        QCOMPARE(f->documents().recordCount(), 0);

        if (!refusal.isEmpty())
            f->other.execute(QStringLiteral("delete from RECUSA"));
        const ProtocolStore::FirstSave saved = f->store->saveFirst(QDate(2014, 6, 3), 0, {"RG", "CPF"});
        QCOMPARE(saved.number, "00001");
        QCOMPARE(f->count("select count(*) from TBPROTOCOLO where DESCRICAO = ?", {"PEDIDO DE O'BRIEN"}), 1);
        QCOMPARE(f->count("select count(*) from TBDOCUMENTOS"), 2);
    }

    // The connection goes while the commit of a first save is under way, so
    // the desk cannot know whether the protocol was written. Pressing
    // "&Gravar" again writes it when it is not there, and takes it as saved
    // when it is, never as a second protocol.
    void aFirstSaveCutOffDuringItsCommit_data() {
        QTest::addColumn<bool>("landed");
        QTest::newRow("the commit did not land") << false;
        QTest::newRow("the commit landed") << true;
    }
    void aFirstSaveCutOffDuringItsCommit() {
        QFETCH(bool, landed);
        f->addProtocol("00001", "2014", QDate(2014, 6, 1));
        // The year's turn is there already, as for any desk that saved before,
        // so that the commit is the save's only wait.
        EnsureNumberingTable(f->other);
        f->other.execute(QStringLiteral("insert into TBNUMERACAO (IDNUMERACAO, GRAVACOES) values (?, 0)"),
                         {NumberedSave::slotOf(UnitNumbering::protocolsOfYear(QStringLiteral("2014")))});
        gateProtocolCommits(*f);
        f->desk->connection().close();  // an attachment reads the database's triggers once
        // The commit waits at the gate until the attachment is ended, however
        // busy the machine: longer than a desk's usual bound.
        f->desk->connection().setLockWaitSeconds(60);
        Connection holder;
        holder.setDatabaseName(f->database);
        auto gate = std::make_unique<WriteTransaction>(holder);
        gate->execute(QStringLiteral("update PORTAO set X = X"));
        f->typeNew(QStringLiteral("PEDIDO EM DUVIDA"));
        // Once the desk waits in its commit (the only attachment at work),
        // its attachment is ended.
        std::thread cut([&] {
            Connection admin;
            admin.setDatabaseName(f->database);
            const QString waiting = QStringLiteral(
                "from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION and MON$STATE = 1");
            // At work for half a second on end: waiting in its commit, not
            // running one of its quick statements before it.
            for (int i = 0, seen = 0; i < 400 && seen < 10; ++i) {
                seen = test::scalarOn(f->database, "select count(*) " + waiting).toInt() > 0 ? seen + 1 : 0;
                QThread::msleep(50);
            }
            admin.execute("delete " + waiting);
        });
        try {
            f->store->saveFirst(QDate(2014, 6, 5), 0, {"RG", "CPF"});
            cut.join();
            QFAIL("saved through an attachment that was ended");
        } catch (const DatabaseError &e) {
            cut.join();
            QVERIFY2(e.isConnectionLost(), qPrintable(e.text()));
            QCOMPARE(e.save(), DatabaseError::Save::InDoubt);
        }
        gate.reset();
        QCOMPARE(f->protocols().state(), RecordSet::State::Insert);
        QCOMPARE(f->count("select count(*) from TBPROTOCOLO"), 1);
        if (landed) {
            // What the commit would have left had its answer been lost.
            f->addProtocol("00002", "2014", QDate(2014, 6, 5), "0", QStringLiteral("PEDIDO EM DUVIDA"));
            f->addDocument(1, "00002", "2014", 1);
            f->other.execute(QStringLiteral("update TBDOCUMENTOS set NOMEDOCUMENTO = 'RG' where IDPROTOCOLO = '00002'"));
            f->other.execute(QStringLiteral("insert into TBDOCUMENTOS values (2, '00002', '2014', 'CPF', 1)"));
        }

        const ProtocolStore::FirstSave saved = f->store->saveFirst(QDate(2014, 6, 5), 0, {"RG", "CPF"});

        QCOMPARE(saved.number, "00002");
        QCOMPARE(f->count("select count(*) from TBPROTOCOLO where DESCRICAO = 'PEDIDO EM DUVIDA'"), 1);
        QCOMPARE(f->count("select count(*) from TBPROTOCOLO"), 2);
        QCOMPARE(f->count("select count(*) from TBDOCUMENTOS where IDPROTOCOLO = '00002'"), 2);
        QCOMPARE(f->protocols().field("IDPROTOCOLO").asString(), "00002");
        QCOMPARE(f->protocols().changeCount(), 0);
        QCOMPARE(column(f->documents(), "NOMEDOCUMENTO"), (QStringList{"RG", "CPF"}));
        // And the next protocol follows it.
        f->typeNew(QStringLiteral("OUTRO"));
        QCOMPARE(f->store->saveFirst(QDate(2014, 6, 5), 0, {}).number, "00003");
    }

    // Another desk writes the number we read before our write reaches the
    // database: the next number is taken within the same save.
    void aNumberTakenMeanwhileTakesTheNext() {
        otherDeskTakesProtocolNumber(*f, QStringLiteral("00001"));
        f->typeNew();
        const ProtocolStore::FirstSave saved = f->store->saveFirst(QDate(2014, 6, 5), 0, {"RG", "CPF"});

        QCOMPARE(saved.number, "00002");
        QCOMPARE(saved.retries, 1);
        QCOMPARE(f->protocols().field("IDPROTOCOLO").asString(), "00002");
        QCOMPARE(column(f->documents(), "IDPROTOCOLO"), (QStringList{"00002", "00002"}));
        QCOMPARE(f->count("select count(*) from TBPROTOCOLO"), 2);
        QCOMPARE(f->count("select count(*) from TBDOCUMENTOS"), 2);
    }

    // Two desks press "&Gravar" for the first protocol of a year together.
    void twoDesksSavingAtTheSameMoment() {
        std::barrier together(2);
        QStringList numbers(2);
        QStringList failures;
        std::mutex lock;
        auto desk = [&](int i) {
            try {
                test::Workstation w(f->database);
                ProtocolStore store(w.cadastro);
                store.openLists();
                store.startNew();
                w.cadastro.cdsTBProtocolo.field("SOLICITANTE").setAsInteger(1);
                w.cadastro.cdsTBProtocolo.field("ASSUNTO").setAsInteger(1);
                w.cadastro.cdsTBProtocolo.field("DESCRICAO").setAsString(QStringLiteral("MESA %1").arg(i));
                together.arrive_and_wait();
                numbers[i] = store.saveFirst(QDate(2014, 6, 5), 0, {"RG"}).number;
            } catch (const Failure &e) {
                std::lock_guard guard(lock);
                failures << e.text();
            }
        };
        std::thread first(desk, 0), second(desk, 1);
        first.join();
        second.join();

        QCOMPARE(failures, QStringList{});
        numbers.sort();
        QCOMPARE(numbers, (QStringList{"00001", "00002"}));
        QCOMPARE(f->count("select count(*) from TBDOCUMENTOS"), 2);
    }

    // Quotes, LIKE wildcards and other scripts are stored as typed; a text
    // longer than the column is refused as it is typed, with nothing written.
    void descriptionsAreStoredAsTyped_data() {
        QTest::addColumn<QString>("description");
        QTest::newRow("quotes") << QStringLiteral("D'AVILA \"ALVARÁ\" '' ;--");
        QTest::newRow("wildcards") << QStringLiteral("100% _PAGO_ %");
        QTest::newRow("other scripts") << QStringLiteral("Заявление 申請書 طلب 🏠 ação");
        QTest::newRow("500 characters, half outside the basic plane")
            << QString(250, QChar(0x00E7)) + QString::fromUcs4(std::u32string(250, U'🏠').c_str());
    }
    void descriptionsAreStoredAsTyped() {
        QFETCH(QString, description);
        f->typeNew(description);
        f->store->saveFirst(QDate(2014, 6, 5), 0, {});
        QCOMPARE(f->scalar("select DESCRICAO from TBPROTOCOLO").toString(), description);
    }

    void aDescriptionLongerThanTheColumnIsRefused() {
        f->typeNew(QStringLiteral("PEDIDO"));
        try {
            f->protocols().field("DESCRICAO").setAsString(QString(10000, QLatin1Char('A')));
            QFAIL("a text longer than the column was taken");
        } catch (const Failure &e) {
            QCOMPARE(e.text(), "O texto de 'Descrição' excede 500 caracteres.");
        }
        QCOMPARE(f->protocols().field("DESCRICAO").asString(), "PEDIDO");
        QCOMPARE(f->store->saveFirst(QDate(2014, 6, 5), 0, {}).number, "00001");
    }

    void laterSaveWritesDateAndStatus() {
        f->typeNew();
        f->store->saveFirst(QDate(2014, 6, 5), 0, {});
        f->protocols().field("DESCRICAO").setAsString("PEDIDO CORRIGIDO");
        f->store->saveChanges(QDate(2014, 6, 2), 2);
        QCOMPARE(f->scalar("select DESCRICAO || STATUS || DATADEENTRADA from TBPROTOCOLO").toString(),
                 "PEDIDO CORRIGIDO22014-06-02");
    }

    // Numbers within the protocol: the highest plus one, so only the highest
    // is reused; another year's protocol of the same number is apart.
    void documentsAreNumberedWithinTheirProtocol() {
        f->addProtocol("00001", "2014", QDate(2014, 3, 1));
        f->addProtocol("00001", "2015", QDate(2015, 1, 2));
        for (int id = 1; id <= 4; ++id)
            f->addDocument(id, "00001", "2015", 9);
        f->store->loadList(ProtocolListQuery::ofStatus("0"));
        QVERIFY(f->store->findInList("00001", "2014"));
        f->store->loadDocuments();
        QCOMPARE(f->store->documentCount(), 0);
        QCOMPARE(f->store->pageTotal(), 0);

        auto add = [&](const QVariant &pages) {
            f->store->startDocument();
            f->documents().field("NOMEDOCUMENTO").setAsString("DOC");
            f->documents().field("PAGINA").setValue(pages);
            f->store->saveDocument();
            return f->documents().field("IDDOCUMENTO").displayText();
        };
        QCOMPARE(add(3), "001");
        QCOMPARE(f->store->pageTotal(), 3);
        QCOMPARE(add(5), "002");
        QCOMPARE(add(QVariant()), "003");
        QCOMPARE(f->store->documentCount(), 3);
        QCOMPARE(f->store->pageTotal(), 8);

        // "Voltar" after "Incluir" leaves nothing and keeps the numbering.
        f->store->startDocument();
        f->store->cancelDocument();
        QCOMPARE(f->store->documentCount(), 3);

        QVERIFY(f->documents().locate("IDDOCUMENTO", 2));
        f->store->removeCurrentDocument();
        QCOMPARE(column(f->documents(), "IDDOCUMENTO"), (QStringList{"1", "3"}));
        QCOMPARE(add(1), "004");
        QVERIFY(f->documents().locate("IDDOCUMENTO", 4));
        f->store->removeCurrentDocument();
        QCOMPARE(add(1), "004");

        QVERIFY(f->documents().locate("IDDOCUMENTO", 3));
        f->store->editDocument();
        f->documents().field("PAGINA").setAsInteger(7);
        f->store->saveDocument();
        QCOMPARE(f->store->pageTotal(), 3 + 7 + 1);
        QCOMPARE(f->count("select sum(PAGINA) from TBDOCUMENTOS where ANO = '2015'"), 36);
    }

    void aDocumentNumberTakenMeanwhileTakesTheNext() {
        f->addProtocol("00001", "2014", QDate(2014, 3, 1));
        f->other.execute(QStringLiteral(
            "create trigger TR_OTRA_MESA for TBDOCUMENTOS before insert as begin "
            "if (new.NOMEDOCUMENTO <> 'OUTRA MESA' and new.IDDOCUMENTO = 1) then "
            "in autonomous transaction do "
            "insert into TBDOCUMENTOS values (1, new.IDPROTOCOLO, new.ANO, 'OUTRA MESA', 2); end"));
        f->store->loadList(ProtocolListQuery::ofStatus("0"));
        f->store->loadDocuments();
        f->store->startDocument();
        f->documents().field("NOMEDOCUMENTO").setAsString("RG");
        f->documents().field("PAGINA").setAsInteger(1);
        f->store->saveDocument();
        QCOMPARE(f->documents().field("IDDOCUMENTO").asInteger(), 2);
        QCOMPARE(f->store->pageTotal(), 3);
    }

    void listsFilterByStatusAndPeriod_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("active") << "0" << QDate() << QDate()
                                << QStringList{"00005/2014", "00004/2014", "00003/2014", "00009/2014", "00002/2014",
                                               "00001/2014"};
        QTest::newRow("cancelled") << "1" << QDate() << QDate() << QStringList{"00007/2014"};
        QTest::newRow("archived") << "2" << QDate() << QDate() << QStringList{"00008/2014"};
        QTest::newRow("March 2014, both end days")
            << "0" << QDate(2014, 3, 1) << QDate(2014, 3, 31) << QStringList{"00003/2014", "00009/2014", "00002/2014"};
        QTest::newRow("first date after the last") << "0" << QDate(2014, 3, 31) << QDate(2014, 3, 1) << QStringList{};
    }
    void listsFilterByStatusAndPeriod() {
        QFETCH(QString, status);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, keys);
        const struct {
            const char *number;
            QDate entry;
            const char *status;
        } rows[] = {{"00001", {2014, 2, 28}, "0"}, {"00002", {2014, 3, 1}, "0"},  {"00009", {2014, 3, 15}, "0"},
                    {"00003", {2014, 3, 31}, "0"}, {"00004", {2014, 4, 1}, "0"},  {"00005", {2014, 4, 1}, "0"},
                    {"00007", {2014, 3, 10}, "1"}, {"00008", {2014, 3, 11}, "2"}};
        for (const auto &r : rows)
            f->addProtocol(r.number, "2014", r.entry, r.status);

        f->store->loadList(from.isValid() ? ProtocolListQuery::ofPeriod(status, from, to)
                                          : ProtocolListQuery::ofStatus(status));
        QStringList shown;
        for (f->protocols().first(); !f->protocols().eof(); f->protocols().next())
            shown << f->protocols().field("IDPROTOCOLO").asString() + "/" + f->protocols().field("ANO").asString();
        QCOMPARE(shown, keys);

        // A refresh runs the same query again.
        f->addProtocol("00010", "2014", QDate(2014, 3, 20), status);
        f->store->refreshList();
        QCOMPARE(f->protocols().recordCount(), keys.size() + (from.isValid() && from > to ? 0 : 1));
    }

    // Only the rows loaded are searched.
    void findLooksAmongTheLoadedRows() {
        f->addProtocol("00001", "2014", QDate(2014, 3, 1));
        f->addProtocol("00002", "2014", QDate(2014, 3, 2), "1");
        f->store->loadList(ProtocolListQuery::ofStatus("1"));
        QVERIFY(!f->store->findInList("00001", "2014"));
        QCOMPARE(f->protocols().field("IDPROTOCOLO").asString(), "00002");
        f->store->loadList(ProtocolListQuery::ofStatus("0"));
        QVERIFY(f->store->findInList("00001", "2014"));
        QVERIFY(!f->store->findInList("00001", "2015"));
    }

    void cancellationAppendsTheTrailerAndLeavesTheActiveList() {
        f->addProtocol("00011", "2014", QDate(2014, 3, 1));
        f->addProtocol("00012", "2014", QDate(2014, 3, 2), "0", "PEDIDO DE ALVARA");
        f->store->loadList(ProtocolListQuery::ofStatus("0"));
        QVERIFY(f->store->findInList("00012", "2014"));

        f->store->cancelCurrent(QStringLiteral("DESISTÊNCIA DO REQUERENTE"));

        QCOMPARE(f->scalar("select DESCRICAO from TBPROTOCOLO where IDPROTOCOLO = '00012'").toString(),
                 "PEDIDO DE ALVARA / ***** P R O T O C O L O  C A N C E L A D O ***** / MOTIVO: "
                 "DESISTÊNCIA DO REQUERENTE / DATA DO CANCELAMENTO: 05/06/2014");
        QCOMPARE(f->scalar("select STATUS from TBPROTOCOLO where IDPROTOCOLO = '00012'").toString(), "1");
        QCOMPARE(column(f->protocols(), "IDPROTOCOLO"), QStringList{"00011"});
    }

    // The description gives way to the trailer, never the other way round.
    void trailerFitsTheColumn_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("kept");  // the start of the result before the trailer
        const QString trailer = " / ***** P R O T O C O L O  C A N C E L A D O ***** / MOTIVO: "
                                " / DATA DO CANCELAMENTO: 05/06/2014";
        const int room = 500 - int(trailer.size());
        QTest::newRow("short") << "PEDIDO" << "ERRO" << "PEDIDO";
        QTest::newRow("description fills the column")
            << QString(500, 'D') << "ERRO" << QString(room - 4, 'D');
        QTest::newRow("exactly fits") << QString(room - 4, 'D') << "ERRO" << QString(room - 4, 'D');
        QTest::newRow("reason fills the column") << "PEDIDO" << QString(600, 'R') << QString();
        // A character outside the basic plane counts one and is not split.
        QTest::newRow("outside the basic plane")
            << QString::fromUcs4(std::u32string(500, U'🏠').c_str()) << "ERRO"
            << QString::fromUcs4(std::u32string(room - 4, U'🏠').c_str());
    }
    void trailerFitsTheColumn() {
        QFETCH(QString, description);
        QFETCH(QString, reason);
        QFETCH(QString, kept);
        const QString text = ProtocolStore::withCancellationTrailer(description, reason, QDate(2014, 6, 5));
        const qsizetype trailer = QString(" / ***** P R O T O C O L O  C A N C E L A D O ***** / MOTIVO: "
                                          " / DATA DO CANCELAMENTO: 05/06/2014").size();
        QCOMPARE(text.toUcs4().size(), qMin<qsizetype>(500, description.toUcs4().size() + reason.size() + trailer));
        QVERIFY(text.startsWith(kept + " / ***** P R O T O C O L O  C A N C E L A D O ***** / MOTIVO: "));
        QVERIFY(text.endsWith(" / DATA DO CANCELAMENTO: 05/06/2014"));
        if (reason.size() < 400)
            QVERIFY(text.contains("MOTIVO: " + reason + " / DATA"));
    }

    // A long description is cancelled with the whole trailer in the column.
    void longDescriptionIsCancelledWithTheWholeTrailer() {
        f->addProtocol("00012", "2014", QDate(2014, 3, 2), "0", QString(500, 'D'));
        f->store->loadList(ProtocolListQuery::ofStatus("0"));
        f->store->cancelCurrent("ERRO");
        const QString stored = f->scalar("select DESCRICAO from TBPROTOCOLO").toString();
        QCOMPARE(stored.size(), 500);
        QVERIFY(stored.endsWith("MOTIVO: ERRO / DATA DO CANCELAMENTO: 05/06/2014"));
    }

    // Refused because another desk changed the protocol since it was read.
    void failedCancellationLeavesTheProtocol() {
        f->addProtocol("00012", "2014", QDate(2014, 3, 2), "0", "PEDIDO");
        f->store->loadList(ProtocolListQuery::ofStatus("0"));
        f->other.execute("update TBPROTOCOLO set DESCRICAO = 'PEDIDO ALTERADO'");

        QVERIFY_THROWS_EXCEPTION(Failure, f->store->cancelCurrent("ERRO"));

        QCOMPARE(f->scalar("select DESCRICAO || STATUS from TBPROTOCOLO").toString(), "PEDIDO ALTERADO0");
        QCOMPARE(f->protocols().state(), RecordSet::State::Browse);
        QCOMPARE(f->protocols().changeCount(), 0);
        QCOMPARE(f->protocols().field("DESCRICAO").asString(), "PEDIDO");
        QCOMPARE(f->protocols().field("STATUS").asString(), "0");
    }
};

QTEST_GUILESS_MAIN(ProtocolStoreTest)
#include "tst_protocol_store.moc"
