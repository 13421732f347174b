#include "TestDatabase.h"
#include "Workstation.h"

#include "data/firebird/FailureWords.h"
#include "data/firebird/FirebirdError.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/modules/UnitNumbering.h"
#include "data/modules/UnitStatements.h"
#include "data/records/NumberedSave.h"
#include "data/records/RecordSet.h"

#include <QElapsedTimer>
#include <QtTest>

#include <thread>

using namespace kalvero;
using test::Workstation;

namespace {

// A requester being entered on a desk, as the register screen leaves it.
void typeRequester(RecordSet &set, const QString &name) {
    if (!set.isActive())
        set.openWith(RequesterStatements::orderedByCode());
    set.append();
    set.field(QStringLiteral("NOME")).setAsString(name);
}

NumberedSave::Row requesterRow(RecordSet &set, std::function<void(const QVariant &)> fill = {}) {
    return {&set, UnitNumbering::requesters(), std::move(fill), {}, QStringLiteral("Gravando o cadastro")};
}

QString namesInOrder(const QString &database) {
    return test::scalarOn(database, QStringLiteral("select cast(list(IDSOLICITANTE || '=' || NOME, ' ') as varchar(2000)) from "
                                                   "(select IDSOLICITANTE, NOME from TBSOLICITANTE order by 1)"))
        .toString();
}

}  // namespace

// The one routine that writes numbered rows: desks of one scope take turns,
// a wait is bounded and loses nothing, a program that numbers without the
// turn is still caught by the key, and the turn's table is made when missing.
class NumberedSaveTest : public QObject {
    Q_OBJECT

    test::ScratchFolder *m_folder = nullptr;
    QString m_database;

private slots:
    void init() {
        m_folder = new test::ScratchFolder;
        m_database = test::createUnitDatabase(*m_folder);
    }
    void cleanup() {
        delete m_folder;
        m_folder = nullptr;
    }

    // A desk that comes while another holds the scope waits for its commit
    // and takes the next number; none is repeated or skipped.
    void aDeskWaitsForTheOtherAndTakesTheNextNumber() {
        Workstation a(m_database);
        RecordSet &mine = a.cadastro.cdsTBSolicitante;
        typeRequester(mine, QStringLiteral("ANA"));
        NumberedSave first;
        QVariant secondNumber;
        int secondTurns = -1;
        QString secondFailure;
        std::thread second;
        const NumberedSave::Saved saved = first.save(requesterRow(mine, [&](const QVariant &number) {
            mine.field(QStringLiteral("IDSOLICITANTE")).setValue(number);
            mine.post();
            if (second.joinable())
                return;
            // Another desk saves now, while this one holds the turn.
            second = std::thread([&] {
                try {
                    Workstation b(m_database);
                    RecordSet &theirs = b.cadastro.cdsTBSolicitante;
                    typeRequester(theirs, QStringLiteral("BRUNO"));
                    NumberedSave other;
                    const NumberedSave::Saved s = other.save(requesterRow(theirs));
                    secondNumber = s.number;
                    secondTurns = s.turnsWaited;
                } catch (const std::exception &e) {
                    secondFailure = FailureWords::of(e).details + FailureWords::of(e).text;
                }
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
        }));
        second.join();
        QVERIFY2(secondFailure.isEmpty(), qPrintable(secondFailure));
        QCOMPARE(saved.number.toInt(), 1);
        QCOMPARE(secondNumber.toInt(), 2);
        QVERIFY(secondTurns >= 1);
        QCOMPARE(namesInOrder(m_database), QStringLiteral("1=ANA 2=BRUNO"));
    }

    // A desk holding the scope beyond the lock wait (its network died in the
    // middle of a save) holds the others back for that long only: they are
    // refused with the desk's words, keep what was typed, and save when
    // they try again.
    void aWaitIsBoundedAndLosesNothing() {
        Workstation a(m_database);
        Workstation b(m_database);
        b.connection().setLockWaitSeconds(1);
        RecordSet &mine = a.cadastro.cdsTBSolicitante;
        RecordSet &theirs = b.cadastro.cdsTBSolicitante;
        typeRequester(mine, QStringLiteral("ANA"));
        typeRequester(theirs, QStringLiteral("BRUNO"));
        NumberedSave first;
        NumberedSave other;
        qint64 waitedMs = 0;
        bool refusedAsBusy = false;
        QString words;
        first.save(requesterRow(mine, [&](const QVariant &number) {
            mine.field(QStringLiteral("IDSOLICITANTE")).setValue(number);
            mine.post();
            QElapsedTimer clock;
            clock.start();
            try {
                other.save(requesterRow(theirs));
            } catch (const DatabaseError &e) {
                refusedAsBusy = e.isLockWaitOver();
                words = FailureWords::of(e).text;
            }
            waitedMs = clock.elapsed();
        }));
        QVERIFY(refusedAsBusy);
        QVERIFY2(waitedMs < 4000, qPrintable(QString::number(waitedMs)));
        QVERIFY2(words.startsWith(QStringLiteral("Outra estação de trabalho está gravando")), qPrintable(words));
        QCOMPARE(theirs.state(), RecordSet::State::Insert);
        QCOMPARE(theirs.field(QStringLiteral("NOME")).asString(), QStringLiteral("BRUNO"));
        QCOMPARE(theirs.changeCount(), 0);

        QCOMPARE(other.save(requesterRow(theirs)).number.toInt(), 2);
        QCOMPARE(namesInOrder(m_database), QStringLiteral("1=ANA 2=BRUNO"));
    }

    // A program that numbers without the turn (an older version) wrote the
    // number meanwhile: the key refuses the row, which takes the next one.
    void aNumberTakenWithoutTheTurnIsSkippedOver() {
        Workstation a(m_database);
        RecordSet &mine = a.cadastro.cdsTBSolicitante;
        typeRequester(mine, QStringLiteral("ANA"));
        NumberedSave save;
        bool once = false;
        const NumberedSave::Saved saved = save.save(requesterRow(mine, [&](const QVariant &number) {
            if (!once) {
                once = true;
                test::executeOn(m_database, QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (?, 'OUTRO')"),
                                {number});
            }
            mine.field(QStringLiteral("IDSOLICITANTE")).setValue(number);
            mine.post();
        }));
        QCOMPARE(saved.number.toInt(), 2);
        QCOMPARE(saved.numbersTaken, 1);
        QCOMPARE(namesInOrder(m_database), QStringLiteral("1=OUTRO 2=ANA"));
    }

    // The numbers of every numbered table, each in its own scope.
    void everyScopeCountsOnItsOwn() {
        test::executeOn(m_database, QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (7, 'ANA')"));
        test::executeOn(m_database, QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
        test::executeOn(m_database, QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, "
                                                   "DATADEENTRADA, STATUS, DESCRICAO) values "
                                                   "('00041', '2013', 7, 1, '2013-12-30', '0', 'PEDIDO')"));
        Workstation w(m_database);
        RecordSet &p = w.cadastro.cdsTBProtocolo;
        p.openWith(ProtocolStatements::standing());
        const QStringList years{QStringLiteral("2013"), QStringLiteral("2014")};
        QStringList given;
        for (const QString &year : years) {
            p.append();
            for (const auto &[field, value] : std::initializer_list<std::pair<const char *, QVariant>>{
                     {"ANO", year}, {"SOLICITANTE", 7}, {"ASSUNTO", 1}, {"DATADEENTRADA", QDate(2014, 1, 2)},
                     {"STATUS", "0"}, {"DESCRICAO", "PEDIDO"}})
                p.field(QLatin1String(field)).setValue(value);
            NumberedSave save;
            given << save.save({&p, UnitNumbering::protocolsOfYear(year), {}, {}, {}}).number.toString();
        }
        QCOMPARE(given, (QStringList{QStringLiteral("00042"), QStringLiteral("00001")}));

        RecordSet &r = w.cadastro.cdsTBSolicitante;
        typeRequester(r, QStringLiteral("BEATRIZ"));
        NumberedSave requester;
        QCOMPARE(requester.save(requesterRow(r)).number.toInt(), 8);
    }

    // The turns' table is made at the upgrade of an older unit, and by the
    // first save where the upgrade has not run.
    void theTurnsTableIsMadeWhenMissing() {
        Workstation w(m_database);
        QVERIFY(EnsureNumberingTable(w.connection()));
        QVERIFY(!EnsureNumberingTable(w.connection()));
        w.connection().execute(QStringLiteral("drop table TBNUMERACAO"));

        RecordSet &r = w.cadastro.cdsTBSolicitante;
        typeRequester(r, QStringLiteral("ANA"));
        NumberedSave save;
        QCOMPARE(save.save(requesterRow(r)).number.toInt(), 1);
        QCOMPARE(test::scalarOn(m_database, QStringLiteral("select sum(GRAVACOES) from TBNUMERACAO")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(NumberedSaveTest)
#include "tst_numbered_save.moc"
