#include "MovementFixture.h"

#include "data/Clock.h"
#include "data/Failure.h"
#include "data/records/RecordSet.h"
#include "movements/MovementStore.h"

#include <QtTest>

#include <barrier>
#include <mutex>
#include <thread>

using namespace kalvero;
using namespace kalvero::test;

namespace {

QStringList column(RecordSet &set, const QString &field) {
    QStringList values;
    for (set.first(); !set.eof(); set.next())
        values << set.field(field).asString();
    return values;
}

// What the operator picks and types after "Incluir".
void typeNew(MovementStore &store, const QString &remarks = QStringLiteral("ENTREGUE EM MAOS"), int sector = 1,
             int person = 2) {
    store.startNew();
    store.movements().field(QStringLiteral("SETOR")).setAsInteger(sector);
    store.movements().field(QStringLiteral("RESPONSAVEL")).setAsInteger(person);
    store.movements().field(QStringLiteral("OBSERVACAO")).setAsString(remarks);
}

}  // namespace

// The data steps of the movement page: numbering within the protocol, the
// save and its failure, the list, and cancellation with its trailer.
class MovementStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MovementBase> f;
    std::unique_ptr<Workstation> desk;
    std::unique_ptr<MovementStore> store;

    RecordSet &movements() { return store->movements(); }

private slots:
    void init() {
        Clock::setNow(QDateTime(QDate(2014, 6, 3), QTime(9, 0)));
        f = std::make_unique<MovementBase>();
        desk = std::make_unique<Workstation>(f->database);
        store = std::make_unique<MovementStore>(desk->cadastro);
    }
    void cleanup() {
        store.reset();
        desk.reset();
        f.reset();
        Clock::setNow({});
    }

    // A movement is numbered within its protocol: cancelled movements count,
    // other protocols' do not.
    void numbering_data() {
        QTest::addColumn<QList<int>>("ofThisProtocol");
        QTest::addColumn<QList<int>>("ofTheOther");
        QTest::addColumn<int>("expected");
        QTest::newRow("first of the protocol") << QList<int>{} << QList<int>{} << 1;
        QTest::newRow("the other protocol has its own 1 to 4") << QList<int>{} << QList<int>{1, 2, 3, 4} << 1;
        QTest::newRow("after 1 to 7, some cancelled") << QList<int>{1, 2, 3, 4, 5, 6, 7} << QList<int>{1} << 8;
    }
    void numbering() {
        QFETCH(QList<int>, ofThisProtocol);
        QFETCH(QList<int>, ofTheOther);
        QFETCH(int, expected);
        for (int id : ofThisProtocol)
            f->addMovement("00001", id, QDate(2014, 6, 1), QTime(8, id), id % 2 ? "1" : "0");
        for (int id : ofTheOther)
            f->addMovement("00002", id, QDate(2014, 6, 1), QTime(8, id));

        store->openProtocol("00001", "2014");
        typeNew(*store);
        QCOMPARE(store->save(QDate(2014, 6, 3), QTime(10, 30), "0001").number, expected);
        QCOMPARE(f->count("select count(*) from TBMOVIMENTACAO where IDPROTOCOLO = '00001'"),
                 ofThisProtocol.size() + 1);
    }

    // Every column of the row written, and the list read again newest first
    // with the cursor on the new movement.
    void theSavedMovement() {
        f->addMovement("00001", 1, QDate(2014, 6, 2), QTime(16, 0));
        f->addMovement("00001", 2, QDate(2014, 6, 4), QTime(8, 0));
        store->openProtocol("00001", "2014");
        typeNew(*store, QStringLiteral("D'AVILA 100% _PAGO_ \"URGENTE\" ;-- 申請書 🏠"));
        QCOMPARE(store->save(QDate(2014, 6, 3), QTime(10, 30), "0007").number, 3);

        const QVariantList row = {3, "00001", "2014", 1, 2, QDate(2014, 6, 3), QTime(10, 30), "0",
                                  QStringLiteral("D'AVILA 100% _PAGO_ \"URGENTE\" ;-- 申請書 🏠"), "0007",
                                  QDate(2014, 6, 3)};
        const QStringList columns = {"IDMOVIMENTACAO", "IDPROTOCOLO", "ANO", "SETOR", "RESPONSAVEL", "DATA",
                                     "HORA", "SITUACAO", "OBSERVACAO", "SOPERADOR", "SDATAMOV"};
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(f->scalar(QStringLiteral("select %1 from TBMOVIMENTACAO where IDMOVIMENTACAO = 3").arg(columns[i])),
                     row[i]);
        QCOMPARE(movements().state(), RecordSet::State::Browse);
        QCOMPARE(movements().field("IDMOVIMENTACAO").asInteger(), 3);
        QCOMPARE(column(movements(), "IDMOVIMENTACAO"), (QStringList{"2", "3", "1"}));
        QCOMPARE(store->movementCount(), 3);
    }

    // Another desk writes the number this one read before its write reaches
    // the database: the save takes the next number.
    void aNumberTakenMeanwhileTakesTheNext() {
        f->other.execute(QStringLiteral(
            "create trigger TR_OTRA_MESA for TBMOVIMENTACAO before insert as begin "
            "if (new.OBSERVACAO <> 'OUTRA MESA' and new.IDMOVIMENTACAO = 1) then "
            "in autonomous transaction do "
            "insert into TBMOVIMENTACAO values (1, new.IDPROTOCOLO, new.ANO, 2, 3, new.DATA, new.HORA, '0', "
            "'OUTRA MESA', '0002', new.SDATAMOV); end"));
        store->openProtocol("00001", "2014");
        typeNew(*store);
        QCOMPARE(store->save(QDate(2014, 6, 3), QTime(10, 30), "0001").number, 2);
        QCOMPARE(column(movements(), "OBSERVACAO"), (QStringList{"ENTREGUE EM MAOS", "OUTRA MESA"}));
    }

    // Two desks press "Gravar" for the same protocol together: both are written.
    void twoDesksSavingAtTheSameMoment() {
        std::barrier together(2);
        QList<int> numbers(2);
        QStringList failures;
        std::mutex lock;
        auto deskRun = [&](int i) {
            try {
                Workstation w(f->database);
                MovementStore s(w.cadastro);
                s.openProtocol("00001", "2014");
                typeNew(s, QStringLiteral("MESA %1").arg(i));
                together.arrive_and_wait();
                numbers[i] = s.save(QDate(2014, 6, 3), QTime(10, 30), "0001").number;
            } catch (const Failure &e) {
                std::lock_guard guard(lock);
                failures << e.text();
            }
        };
        std::thread first(deskRun, 0), second(deskRun, 1);
        first.join();
        second.join();

        QCOMPARE(failures, QStringList{});
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers, (QList<int>{1, 2}));
        QCOMPARE(f->count("select count(distinct OBSERVACAO) from TBMOVIMENTACAO"), 2);
    }

    // A save the database refuses for another reason writes nothing and
    // leaves the movement being entered with what was typed.
    void aRefusedSaveKeepsTheEntry() {
        f->other.execute(QStringLiteral("create exception RECUSADA 'recusada'"));
        f->other.execute(QStringLiteral("create trigger TR_RECUSA for TBMOVIMENTACAO before insert as begin "
                                        "if (new.OBSERVACAO = 'RECUSE') then exception RECUSADA; end"));
        store->openProtocol("00001", "2014");
        typeNew(*store, QStringLiteral("RECUSE"), 2, 3);
        QVERIFY_THROWS_EXCEPTION(Failure, store->save(QDate(2014, 6, 3), QTime(10, 30), "0001"));

        QCOMPARE(f->count("select count(*) from TBMOVIMENTACAO"), 0);
        QVERIFY(movements().isEditing() && movements().isNewRecord());
        QCOMPARE(movements().field("SETOR").asInteger(), 2);
        QCOMPARE(movements().field("RESPONSAVEL").asInteger(), 3);
        QCOMPARE(movements().field("OBSERVACAO").asString(), "RECUSE");

        movements().field("OBSERVACAO").setAsString("ACEITE");
        QCOMPARE(store->save(QDate(2014, 6, 3), QTime(10, 30), "0001").number, 1);
        QCOMPARE(f->count("select count(*) from TBMOVIMENTACAO"), 1);
    }

    // The trailer follows the remarks; when both do not fit, the remarks
    // give way and the trailer stays whole.
    void cancellationTrailer_data() {
        QTest::addColumn<QString>("remarks");
        QTest::addColumn<QString>("expected");
        const QString trailer = QStringLiteral(" / ***** M O V I M E N T A Ç Ã O  C A N C E L A D A ***** / MOTIVO: "
                                               "ERRO / DATA DO CANCELAMENTO: 03/06/2014");
        QTest::newRow("a short sentence") << QStringLiteral("ENTREGUE NA MESA") << "ENTREGUE NA MESA" + trailer;
        QTest::newRow("no remarks") << QString() << trailer;
        QTest::newRow("500 characters") << QString(500, 'X') << QString(500 - trailer.size(), 'X') + trailer;
    }
    void cancellationTrailer() {
        QFETCH(QString, remarks);
        QFETCH(QString, expected);
        f->addMovement("00001", 1, QDate(2014, 6, 2), QTime(16, 0), "0", remarks);
        store->openProtocol("00001", "2014");
        store->cancelCurrent(QStringLiteral("ERRO"));
        QCOMPARE(f->scalar("select OBSERVACAO from TBMOVIMENTACAO").toString(), expected);
        QCOMPARE(f->scalar("select SITUACAO from TBMOVIMENTACAO").toString(), "1");
    }

    // The list is read again with the cursor on the cancelled movement; a
    // second cancellation is refused; a refused write changes nothing.
    void cancellingAMovement() {
        f->other.execute(QStringLiteral("create exception RECUSADA 'recusada'"));
        f->other.execute(QStringLiteral("create trigger TR_RECUSA for TBMOVIMENTACAO before update as begin "
                                        "if (new.OBSERVACAO containing 'RECUSE') then exception RECUSADA; end"));
        f->addMovement("00001", 1, QDate(2014, 6, 1), QTime(8, 0));
        f->addMovement("00001", 2, QDate(2014, 6, 2), QTime(8, 0));
        f->addMovement("00001", 3, QDate(2014, 6, 3), QTime(8, 0));
        store->openProtocol("00001", "2014");
        movements().locate("IDMOVIMENTACAO", 2);
        store->cancelCurrent(QStringLiteral("SETOR ERRADO"));
        QCOMPARE(movements().field("IDMOVIMENTACAO").asInteger(), 2);
        QCOMPARE(movements().field("SITUACAO").asString(), "1");
        QCOMPARE(store->movementCount(), 3);

        try {
            store->cancelCurrent(QStringLiteral("DE NOVO"));
            QFAIL("cancelled twice");
        } catch (const Failure &e) {
            QCOMPARE(e.text(), QStringLiteral("A movimentação do dia 02/06/2014 já foi cancelada!"));
        }

        movements().locate("IDMOVIMENTACAO", 3);
        QVERIFY_THROWS_EXCEPTION(Failure, store->cancelCurrent(QStringLiteral("RECUSE")));
        QCOMPARE(movements().field("SITUACAO").asString(), "0");
        QCOMPARE(movements().changeCount(), 0);
        QCOMPARE(f->scalar("select SITUACAO from TBMOVIMENTACAO where IDMOVIMENTACAO = 3").toString(), "0");
    }
};

QTEST_GUILESS_MAIN(MovementStoreTest)
#include "tst_movement_store.moc"
