#include "TestDatabase.h"

#include "data/firebird/FirebirdError.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/modules/UnitStatements.h"
#include "data/schema/UnitSchema.h"

#include <QtTest>

using namespace kalvero;

class KeysAndSchemaTest : public QObject {
    Q_OBJECT

    test::ScratchFolder *m_folder = nullptr;
    TDM *m_dm = nullptr;
    TUDMCadastro *m_cadastro = nullptr;

    Connection &db() { return m_dm->MDatabasePrincipal; }

    void openUnit(const QString &database) {
        m_dm = new TDM;
        m_dm->MDatabasePrincipal.setDatabaseName(database);
        m_cadastro = new TUDMCadastro(*m_dm);
    }

    void seed(const QStringList &statements) {
        for (const QString &s : statements)
            db().execute(s);
    }

private slots:
    void init() { m_folder = new test::ScratchFolder; }
    void cleanup() {
        delete m_cadastro;
        delete m_dm;
        delete m_folder;
        m_cadastro = nullptr;
        m_dm = nullptr;
    }

    void keysAreHighestPlusOneInTheirScope() {
        openUnit(test::createUnitDatabase(*m_folder));
        QCOMPARE(m_cadastro->NextRequesterCode(), 1);
        QCOMPARE(m_cadastro->NextProtocolNumber(QStringLiteral("2014")), QStringLiteral("00001"));
        seed({
            "insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'A')",
            "insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (7, 'B')",  // codes 2-6 freed
            "insert into TBASSUNTO values (3, 'ALVARA')",
            "insert into TBASSUNTO_DOCUMENTOS values (4, 'RG', 3)",
            "insert into TBSETOR values (2, 'OBRAS')",
            "insert into TBRESPONSAVEISPORSETOR values (9, 'JOAO', 2)",
            "insert into TBPROTOCOLO values ('00009', '2013', 1, 3, '2013-12-30', '0', 'X')",
            "insert into TBPROTOCOLO values ('00010', '2013', 1, 3, '2013-12-31', '0', 'X')",
            "insert into TBPROTOCOLO values ('00001', '2014', 1, 3, '2014-01-02', '0', 'X')",
            "insert into TBDOCUMENTOS values (1, '00009', '2013', 'RG', 2)",
            "insert into TBDOCUMENTOS values (2, '00009', '2013', 'CPF', 3)",
            "insert into TBMOVIMENTACAO values (1, '00009', '2013', 2, 9, '2013-12-30', '10:00', '0', null, 'ADM1', '2013-12-30')",
        });
        QCOMPARE(m_cadastro->NextRequesterCode(), 8);  // not the count of rows
        QCOMPARE(m_cadastro->NextSubjectCode(), 4);
        QCOMPARE(m_cadastro->NextSectorCode(), 3);
        QCOMPARE(m_cadastro->NextResponsibleCode(), 10);
        QCOMPARE(m_cadastro->NextSubjectDocumentNumber(3), 5);
        QCOMPARE(m_cadastro->NextSubjectDocumentNumber(4), 1);
        // "00010" sorts after "00009" as text, and each year counts alone.
        QCOMPARE(m_cadastro->NextProtocolNumber(QStringLiteral("2013")), QStringLiteral("00011"));
        QCOMPARE(m_cadastro->NextProtocolNumber(QStringLiteral("2014")), QStringLiteral("00002"));
        QCOMPARE(m_cadastro->NextProtocolNumber(QStringLiteral("2015")), QStringLiteral("00001"));
        QCOMPARE(m_cadastro->NextDocumentNumber(QStringLiteral("00009"), QStringLiteral("2013")), 3);
        QCOMPARE(m_cadastro->NextDocumentNumber(QStringLiteral("00010"), QStringLiteral("2013")), 1);
        QCOMPARE(m_cadastro->NextDocumentNumber(QStringLiteral("00009"), QStringLiteral("2014")), 1);
        QCOMPARE(m_cadastro->NextMovementNumber(QStringLiteral("00009"), QStringLiteral("2013")), 2);
        QCOMPARE(m_cadastro->NextMovementNumber(QStringLiteral("00001"), QStringLiteral("2014")), 1);
        QCOMPARE(m_cadastro->ProtocolPageTotal(QStringLiteral("00009"), QStringLiteral("2013")), 5);
        QCOMPARE(m_cadastro->ProtocolPageTotal(QStringLiteral("00010"), QStringLiteral("2013")), 0);
    }

    void fullYearHasNoNextNumber() {
        openUnit(test::createUnitDatabase(*m_folder));
        seed({"insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'A')",
              "insert into TBASSUNTO values (1, 'ALVARA')",
              "insert into TBPROTOCOLO values ('99999', '2014', 1, 1, '2014-12-31', '0', 'X')"});
        QVERIFY_THROWS_EXCEPTION(DatabaseError, m_cadastro->NextProtocolNumber(QStringLiteral("2014")));
    }

    void keyQueriesReadOneIndexEntry_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("index");
        // The statements the key functions run.
        QTest::newRow("protocol") << firstRowOnly(ProtocolStatements::highestNumberOfYear())
                                  << "IX_TBPROTOCOLO_ANO_ID_DESC";
        QTest::newRow("document") << firstRowOnly(DocumentStatements::highestNumberOfProtocol())
                                  << "IX_TBDOCUMENTOS_ID_DESC";
        QTest::newRow("movement") << firstRowOnly(MovementStatements::highestNumberOfProtocol())
                                  << "IX_TBMOVIMENTACAO_ID_DESC";
        QTest::newRow("required document") << firstRowOnly(SubjectDocumentStatements::highestNumberOfSubject())
                                           << "IX_TBASSUNTO_DOC_DESC";
        QTest::newRow("requester") << firstRowOnly(RequesterStatements::highestCode()) << "IX_TBSOLICITANTE_ID_DESC";
        QTest::newRow("responsible") << firstRowOnly(ResponsibleStatements::highestCodeRows())
                                     << "IX_TBRESPONSAVEIS_ID_DESC";
    }

    void keyQueriesReadOneIndexEntry() {
        // Walking the descending index means the first row is the answer,
        // however many rows the scope holds; a sort would read them all.
        QFETCH(QString, statement);
        QFETCH(QString, index);
        openUnit(test::createUnitDatabase(*m_folder));
        const QString plan = db().prepare(statement)->plan();
        QVERIFY2(plan.contains(QStringLiteral("ORDER ") + index), qPrintable(plan));
        QVERIFY2(!plan.contains(QStringLiteral("SORT")), qPrintable(plan));
    }

    void templateHoldsNineTablesAndUpgradesAreIdle() {
        openUnit(test::createUnitDatabase(*m_folder));
        m_cadastro->sCONSULTA.setCommandText(QStringLiteral(
            "select count(*) as N from RDB$RELATIONS where RDB$SYSTEM_FLAG = 0 and RDB$VIEW_BLR is null"));
        m_cadastro->sCONSULTA.open();
        QCOMPARE(m_cadastro->sCONSULTA.field(QStringLiteral("N")).asInteger(), 9);
        m_cadastro->sCONSULTA.close();
        QVERIFY(EnsureLabelScratchTable(*m_dm));  // the template lacks the scratch table
        QVERIFY(!EnsureLabelScratchTable(*m_dm));
        QVERIFY(!EnsureLabelSequenceColumn(*m_dm, *m_cadastro));
        QVERIFY(!UDMRelatorio);  // the probe's own module is gone again
    }

    void olderDatabaseIsBroughtUpToDate() {
        // A unit database from an older template: no TBREL_AUX, no CONFIG_SEQ_IMP.
        const QString name = test::createEmptyDatabase(*m_folder, QStringLiteral("OLD.FDB"));
        openUnit(name);
        seed({"create table TBENTIDADE (CNPJ varchar(14) not null, PREFEITO varchar(40) not null, "
              "TESOUREIRO varchar(40) not null, ENDERECO varchar(40), NUMERO varchar(6), BAIRRO varchar(20), "
              "CIDADE varchar(20), CEP varchar(9), FONE varchar(20), RESPONSAVEL_RELATORIO_1 varchar(50), "
              "RESPONSAVEL_RELATORIO_2 varchar(50), COMPLEMENTO varchar(15), ESTADO varchar(30))",
              "insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, CIDADE) values ('06553564000146', 'A', 'B', 'TERESINA')"});
        QVERIFY(EnsureLabelScratchTable(*m_dm));
        QVERIFY(EnsureLabelSequenceColumn(*m_dm, *m_cadastro));
        m_cadastro->cdsTBEntidade.open();
        QCOMPARE(m_cadastro->cdsTBEntidade.recordCount(), 1);
        QVERIFY(!m_cadastro->cdsTBEntidade.field(QStringLiteral("CONFIG_SEQ_IMP")).isNull());
        QCOMPARE(m_cadastro->cdsTBEntidade.field(QStringLiteral("CONFIG_SEQ_IMP")).asInteger(), 0);
        m_cadastro->cdsTBEntidade.close();

        // A second start, on a fresh connection, executes nothing.
        delete m_cadastro;
        delete m_dm;
        openUnit(name);
        QVERIFY(!EnsureLabelScratchTable(*m_dm));
        QVERIFY(!EnsureLabelSequenceColumn(*m_dm, *m_cadastro));

        TUDMRelatorio reports(*m_dm);
        QCOMPARE(UDMRelatorio, &reports);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, TUDMRelatorio{*m_dm});  // at most one
        reports.cdsTBRel_AUX.open();
        reports.cdsTBRel_AUX.append();
        reports.cdsTBRel_AUX.field(QStringLiteral("OPERADOR")).setAsString(QStringLiteral("ADM1"));
        reports.cdsTBRel_AUX.field(QStringLiteral("PAG_ATUAL")).setAsInteger(1);
        reports.cdsTBRel_AUX.post();
        reports.cdsTBRel_AUX.applyUpdates();
        reports.cdsTBRel_AUX.refresh();
        QCOMPARE(reports.cdsTBRel_AUX.recordCount(), 1);
    }
};

QTEST_GUILESS_MAIN(KeysAndSchemaTest)
#include "tst_keys_and_schema.moc"
