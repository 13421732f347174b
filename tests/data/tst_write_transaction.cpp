#include "TestDatabase.h"
#include "Workstation.h"

#include "data/firebird/FirebirdError.h"
#include "data/records/WriteTransaction.h"
#include "data/schema/UnitSchema.h"

#include <QtTest>

using namespace kalvero;
using test::Workstation;

namespace {

void add(RecordSet &set, const QVariantMap &values) {
    set.append();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        set.field(it.key()).setValue(it.value());
    set.post();
}

qint64 countOn(const QString &database, const QString &table) {
    return test::scalarOn(database, QStringLiteral("select count(*) from %1").arg(table)).toLongLong();
}

}  // namespace

// A save that spans several record sets and statements: all of it is written,
// or none of it, and a refused save can be tried again as it stands.
class WriteTransactionTest : public QObject {
    Q_OBJECT

    test::ScratchFolder *m_folder = nullptr;
    QString m_database;

private slots:
    void init() {
        m_folder = new test::ScratchFolder;
        m_database = test::createUnitDatabase(*m_folder);
        test::executeOn(m_database, QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
        test::executeOn(m_database, QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
    }
    void cleanup() {
        delete m_folder;
        m_folder = nullptr;
    }

    // A protocol with its documents, the shape of a first save.
    void protocolAndDocumentsAreWrittenTogether() {
        Workstation w(m_database);
        RecordSet &protocols = w.cadastro.cdsTBProtocolo;
        RecordSet &documents = w.cadastro.cdsTBDocumentos;
        protocols.open();
        documents.open();
        add(protocols, {{"IDPROTOCOLO", "00001"}, {"ANO", "2014"}, {"SOLICITANTE", 1}, {"ASSUNTO", 1},
                        {"DATADEENTRADA", "10/03/2014"}, {"STATUS", "0"}, {"DESCRICAO", "PEDIDO"}});
        for (int d = 1; d <= 2; ++d)
            add(documents, {{"IDDOCUMENTO", d}, {"IDPROTOCOLO", "00001"}, {"ANO", "2014"},
                            {"NOMEDOCUMENTO", QStringLiteral("DOC %1").arg(d)}, {"PAGINA", 3}});

        QSignalSpy reset(&documents, &RecordSet::rowsReset);
        WriteTransaction save(w.connection());
        protocols.applyUpdates(save);
        documents.applyUpdates(save);
        // Nothing is visible elsewhere, nor taken as written, before the commit.
        QCOMPARE(countOn(m_database, "TBDOCUMENTOS"), 0);
        QCOMPARE(documents.changeCount(), 2);
        save.commit();

        QCOMPARE(protocols.changeCount(), 0);
        QCOMPARE(documents.changeCount(), 0);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(countOn(m_database, "TBPROTOCOLO"), 1);
        QCOMPARE(countOn(m_database, "TBDOCUMENTOS"), 2);
        QCOMPARE(documents.recordCount(), 2);
    }

    // Whatever refuses the second set's change, the first set's accepted
    // change is not written either, and both keep what the operator entered.
    void aRefusalWritesNothingAndKeepsEveryChange_data() {
        QTest::addColumn<QString>("refusal");
        QTest::newRow("key taken meanwhile") << "key";
        QTest::newRow("row changed meanwhile") << "changed";
        QTest::newRow("reference to a missing row") << "reference";
    }
    void aRefusalWritesNothingAndKeepsEveryChange() {
        QFETCH(QString, refusal);
        Workstation w(m_database);
        RecordSet &requesters = w.cadastro.cdsTBSolicitante;
        RecordSet &subjects = w.cadastro.cdsTBAssunto;
        RecordSet &sectors = w.cadastro.cdsTBSetor;
        requesters.open();
        subjects.open();
        sectors.open();
        add(requesters, {{"IDSOLICITANTE", 2}, {"NOME", "BETO"}});
        RecordSet *refused = &subjects;
        if (refusal == "key") {
            add(subjects, {{"IDASSUNTO", 7}, {"DESCRICAO", "NOVO"}});
            test::executeOn(m_database, QStringLiteral("insert into TBASSUNTO values (7, 'DE OUTRA ESTACAO')"));
        } else if (refusal == "changed") {
            QVERIFY(subjects.locate("IDASSUNTO", 1));
            subjects.edit();
            subjects.field("DESCRICAO").setAsString("ALVARA DE OBRA");
            subjects.post();
            test::executeOn(m_database, QStringLiteral("update TBASSUNTO set DESCRICAO = 'ALTERADO' where IDASSUNTO = 1"));
        } else {
            refused = &w.cadastro.cdsTBResponsavelPorSetor;
            refused->open();
            add(*refused, {{"IDRESPONSAVEL", 1}, {"NOME", "JOSE"}, {"SETOR", 99}});
        }
        const int requesterRows = requesters.recordCount();
        const int refusedRows = refused->recordCount();

        {
            WriteTransaction save(w.connection());
            requesters.applyUpdates(save);
            QVERIFY_THROWS_EXCEPTION(DatabaseError, refused->applyUpdates(save));
            QVERIFY_THROWS_EXCEPTION(DatabaseError, save.commit());  // a spoilt save is never committed
        }
        QCOMPARE(countOn(m_database, "TBSOLICITANTE"), 1);
        QCOMPARE(requesters.changeCount(), 1);
        QCOMPARE(refused->changeCount(), 1);
        QCOMPARE(requesters.recordCount(), requesterRows);
        QCOMPARE(refused->recordCount(), refusedRows);

        // Mended, the same save goes through as a whole.
        if (refusal == "key") {
            QVERIFY(subjects.locate("IDASSUNTO", 7));
            subjects.edit();
            subjects.field("IDASSUNTO").setAsInteger(8);
            subjects.post();
        } else if (refusal == "changed") {
            subjects.cancelUpdates();
        } else {
            test::executeOn(m_database, QStringLiteral("insert into TBSETOR values (99, 'PROTOCOLO')"));
        }
        WriteTransaction again(w.connection());
        requesters.applyUpdates(again);
        refused->applyUpdates(again);
        again.commit();
        QCOMPARE(countOn(m_database, "TBSOLICITANTE"), 2);
        QCOMPARE(requesters.changeCount(), 0);
        QCOMPARE(refused->changeCount(), 0);
    }

    // The label rows of an operator: the earlier ones replaced by a statement
    // and the new ones written in one transaction; without a commit neither.
    void statementsAndSetsShareTheTransaction() {
        Workstation w(m_database);
        const QString insertLabel = QStringLiteral("insert into TBREL_AUX (OPERADOR, TIPOREL, NOMEDOCUMENTO) values (?, 1, ?)");
        Connection &c = w.connection();
        c.execute(UnitSchema::createLabelScratchTableStatement());
        c.execute(insertLabel, {"0001", "ANTIGA"});
        c.execute(insertLabel, {"0002", "DE OUTRO"});
        RecordSet labels(QStringLiteral("cdsTBRel_AUX"));
        labels.setConnection(&c);
        labels.setCommandText(QStringLiteral("select * from TBREL_AUX where OPERADOR = ?"), {"0001"});
        labels.open();
        add(labels, {{"OPERADOR", "0001"}, {"TIPOREL", 1}, {"NOMEDOCUMENTO", "NOVA"}});
        auto names = [&] {
            return test::scalarOn(m_database, QStringLiteral("select cast(list(NOMEDOCUMENTO, ',') as varchar(200)) from (select NOMEDOCUMENTO "
                                                             "from TBREL_AUX order by OPERADOR, NOMEDOCUMENTO)"))
                .toString();
        };
        {
            WriteTransaction print(c);
            QCOMPARE(print.execute(QStringLiteral("delete from TBREL_AUX where OPERADOR = ?"), {"0001"}), quint64(1));
            labels.applyUpdates(print);
        }  // left without a commit
        QCOMPARE(names(), QStringLiteral("ANTIGA,DE OUTRO"));
        QCOMPARE(labels.changeCount(), 1);

        WriteTransaction print(c);
        print.execute(QStringLiteral("delete from TBREL_AUX where OPERADOR = ?"), {"0001"});
        labels.applyUpdates(print);
        print.commit();
        QCOMPARE(names(), QStringLiteral("NOVA,DE OUTRO"));
        QVERIFY(!print.isActive());
    }

    // A set that changes between its apply and the commit would take as
    // written a change that never was: the commit refuses.
    void aSetChangedAfterItsApplyStopsTheCommit() {
        Workstation w(m_database);
        RecordSet &requesters = w.cadastro.cdsTBSolicitante;
        requesters.open();
        add(requesters, {{"IDSOLICITANTE", 2}, {"NOME", "BETO"}});
        WriteTransaction save(w.connection());
        requesters.applyUpdates(save);
        add(requesters, {{"IDSOLICITANTE", 3}, {"NOME", "CAIO"}});
        QVERIFY_THROWS_EXCEPTION(DatabaseError, requesters.applyUpdates(save));  // once per transaction
        QVERIFY_THROWS_EXCEPTION(DatabaseError, save.commit());
        save.rollback();
        QCOMPARE(countOn(m_database, "TBSOLICITANTE"), 1);
        QCOMPARE(requesters.changeCount(), 2);
    }

    // The attachment dies between the applies and the commit (a server
    // restart, the network): nothing is written, every change is kept, and
    // the next attempt attaches afresh.
    void lostConnectionKeepsEverythingPending() {
        Workstation w(m_database);
        RecordSet &requesters = w.cadastro.cdsTBSolicitante;
        RecordSet &subjects = w.cadastro.cdsTBAssunto;
        requesters.open();
        subjects.open();
        add(requesters, {{"IDSOLICITANTE", 2}, {"NOME", "BETO"}});
        add(subjects, {{"IDASSUNTO", 2}, {"DESCRICAO", "HABITE-SE"}});
        {
            WriteTransaction save(w.connection());
            requesters.applyUpdates(save);
            subjects.applyUpdates(save);
            Connection admin;
            admin.setDatabaseName(m_database);
            admin.execute(QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION"));
            try {
                save.commit();
                QFAIL("committed through a dead attachment");
            } catch (const DatabaseError &e) {
                QVERIFY2(e.isConnectionLost(), qPrintable(e.text()));
                QCOMPARE(e.save(), DatabaseError::Save::InDoubt);  // the commit itself was cut off
            }
            QVERIFY(!save.isActive());
        }
        QVERIFY(!w.connection().isConnected());
        QCOMPARE(requesters.changeCount(), 1);
        QCOMPARE(subjects.changeCount(), 1);
        QCOMPARE(countOn(m_database, "TBSOLICITANTE"), 1);

        WriteTransaction again(w.connection());
        requesters.applyUpdates(again);
        subjects.applyUpdates(again);
        again.commit();
        QCOMPARE(countOn(m_database, "TBSOLICITANTE"), 2);
        QCOMPARE(countOn(m_database, "TBASSUNTO"), 2);
    }
};

QTEST_GUILESS_MAIN(WriteTransactionTest)
#include "tst_write_transaction.moc"
