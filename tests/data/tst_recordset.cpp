#include "TestDatabase.h"
#include "Workstation.h"

#include "data/firebird/FirebirdError.h"

#include <QtTest>

using namespace kalvero;
using test::Workstation;

namespace {

void addRequester(RecordSet &set, int code, const QString &name, const QString &cpf = QString()) {
    set.append();
    set.field(QStringLiteral("IDSOLICITANTE")).setAsInteger(code);
    set.field(QStringLiteral("NOME")).setAsString(name);
    if (!cpf.isEmpty())
        set.field(QStringLiteral("CPF")).setAsString(cpf);
    set.post();
}

// Requester 1, subject 1 and protocol 00001/2014 of that requester.
void seedOneProtocol(Connection &c) {
    c.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
    c.execute(QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
    c.execute(QStringLiteral("insert into TBPROTOCOLO values ('00001', '2014', 1, 1, '2014-03-01', '0', 'PEDIDO')"));
}

}  // namespace

class RecordSetTest : public QObject {
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

    void cursorCountsAndRecordNumbers() {
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        QVERIFY(s.isEmpty());
        QCOMPARE(s.recordCount(), 0);
        QVERIFY(s.eof());
        for (int i = 1; i <= 3; ++i)
            addRequester(s, i, QStringLiteral("PESSOA %1").arg(i));
        s.applyUpdates();
        s.close();
        s.setCommandText(QStringLiteral("select * from TBSOLICITANTE order by IDSOLICITANTE desc"));
        s.open();
        QCOMPARE(s.recordCount(), 3);
        QCOMPARE(s.recNo(), 1);
        QCOMPARE(s.field(QStringLiteral("IDSOLICITANTE")).asInteger(), 3);
        QStringList seen;
        for (s.first(); !s.eof(); s.next())
            seen << s.field(QStringLiteral("NOME")).asString();
        QCOMPARE(seen, QStringList({"PESSOA 3", "PESSOA 2", "PESSOA 1"}));
        s.last();
        QCOMPARE(s.recNo(), 3);
        QCOMPARE(s.field(QStringLiteral("IDSOLICITANTE")).displayText(), QStringLiteral("00001"));
    }

    void locateIsExact_data() {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("foundRecNo");  // 0: not found, cursor stays
        QTest::newRow("name") << "NOME" << QVariantList{"MARIA DA SILVA"} << 2;
        QTest::newRow("other case") << "NOME" << QVariantList{"maria da silva"} << 0;
        QTest::newRow("prefix only") << "NOME" << QVariantList{"MARIA DA"} << 0;
        QTest::newRow("code as text") << "IDSOLICITANTE" << QVariantList{"3"} << 3;
        QTest::newRow("two fields") << "NOME;CPF" << QVariantList{"JOSE", "52998224725"} << 3;
        QTest::newRow("two fields, one differs") << "NOME;CPF" << QVariantList{"JOSE", "11144477735"} << 0;
        QTest::newRow("not a number") << "IDSOLICITANTE" << QVariantList{"abc"} << 0;
    }

    void locateIsExact() {
        QFETCH(QString, fields);
        QFETCH(QVariantList, values);
        QFETCH(int, foundRecNo);
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        addRequester(s, 1, QStringLiteral("MARIA"));
        addRequester(s, 2, QStringLiteral("MARIA DA SILVA"));
        addRequester(s, 3, QStringLiteral("JOSE"), QStringLiteral("52998224725"));
        s.first();
        QCOMPARE(s.locate(fields, values), foundRecNo != 0);
        QCOMPARE(s.recNo(), foundRecNo != 0 ? foundRecNo : 1);
    }

    void postRefusesEmptyRequiredFieldAndKeepsTheRow() {
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        s.insert();
        s.field(QStringLiteral("IDSOLICITANTE")).setAsInteger(1);
        s.field(QStringLiteral("NOME")).setAsString(QString());  // empty text is no value
        try {
            s.post();
            QFAIL("posted a requester without a name");
        } catch (const DatabaseError &e) {
            QCOMPARE(e.text(), QStringLiteral("O campo 'Nome' deve ser preenchido."));
        }
        QCOMPARE(s.state(), RecordSet::State::Insert);
        s.field(QStringLiteral("NOME")).setAsString(QStringLiteral("ANA"));
        s.post();
        QCOMPARE(s.changeCount(), 1);
    }

    void textLongerThanItsColumnIsRefused() {
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        s.insert();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, s.field(QStringLiteral("UF")).setAsString(QStringLiteral("PIA")));
        s.field(QStringLiteral("UF")).setAsString(QStringLiteral("PI"));
        QCOMPARE(s.field(QStringLiteral("UF")).asString(), QStringLiteral("PI"));
    }

    void cancelAndDeleteBeforeApply() {
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        addRequester(s, 1, QStringLiteral("ANA"));
        s.applyUpdates();
        s.edit();
        s.field(QStringLiteral("NOME")).setAsString(QStringLiteral("ANA MARIA"));
        s.cancel();
        QCOMPARE(s.field(QStringLiteral("NOME")).asString(), QStringLiteral("ANA"));
        QCOMPARE(s.changeCount(), 0);
        s.insert();
        s.cancel();
        QCOMPARE(s.recordCount(), 1);
        addRequester(s, 2, QStringLiteral("BETO"));
        s.deleteRecord();  // a pending insert just disappears
        QCOMPARE(s.changeCount(), 0);
        QCOMPARE(s.recordCount(), 1);
    }

    void cancelUpdatesDropsEveryPendingChange() {
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        for (int i = 1; i <= 3; ++i)
            addRequester(s, i, QStringLiteral("R%1").arg(i));
        s.applyUpdates();
        s.first();
        s.edit();
        s.field(QStringLiteral("NOME")).setAsString(QStringLiteral("MUDADO"));
        s.post();
        s.next();
        s.deleteRecord();
        addRequester(s, 4, QStringLiteral("NOVO"));
        s.append();  // being entered
        QCOMPARE(s.changeCount(), 3);
        s.cancelUpdates();
        QCOMPARE(s.changeCount(), 0);
        QCOMPARE(s.state(), RecordSet::State::Browse);
        QStringList names;
        for (int row = 0; row < s.recordCount(); ++row)
            names << s.valueAt(row, s.fieldIndex(QStringLiteral("NOME"))).toString();
        QCOMPARE(names, (QStringList{QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("R3")}));
        s.applyUpdates();  // nothing left to write
        s.refresh();
        QCOMPARE(s.recordCount(), 3);
    }

    void appliedChangesReachTheDatabase() {
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        addRequester(s, 1, QStringLiteral("ANA"));
        addRequester(s, 2, QStringLiteral("BETO"));
        addRequester(s, 3, QStringLiteral("CAIO"));
        QCOMPARE(s.changeCount(), 3);
        s.applyUpdates();
        QCOMPARE(s.changeCount(), 0);
        QVERIFY(s.locate(QStringLiteral("IDSOLICITANTE"), 2));
        s.edit();
        s.field(QStringLiteral("NOME")).setAsString(QStringLiteral("O'HARA"));
        s.post();
        QVERIFY(s.locate(QStringLiteral("IDSOLICITANTE"), 3));
        s.deleteRecord();
        QCOMPARE(s.changeCount(), 2);
        s.applyUpdates();

        Workstation other(m_database);
        RecordSet &o = other.cadastro.cdsTBSolicitante;
        o.setCommandText(QStringLiteral("select * from TBSOLICITANTE where NOME like ? order by IDSOLICITANTE"),
                         {QStringLiteral("%'%")});
        o.open();
        QCOMPARE(o.recordCount(), 1);
        QCOMPARE(o.field(QStringLiteral("NOME")).asString(), QStringLiteral("O'HARA"));
        o.close();
        o.setCommandText(QStringLiteral("select * from TBSOLICITANTE"));
        o.open();
        QCOMPARE(o.recordCount(), 2);
    }

    void changeMadeElsewhereIsNotOverwritten() {
        Workstation a(m_database), b(m_database);
        a.cadastro.cdsTBSolicitante.open();
        addRequester(a.cadastro.cdsTBSolicitante, 1, QStringLiteral("ANA"));
        addRequester(a.cadastro.cdsTBSolicitante, 2, QStringLiteral("BETO"));
        a.cadastro.cdsTBSolicitante.applyUpdates();

        RecordSet &sb = b.cadastro.cdsTBSolicitante;
        sb.open();
        RecordSet &sa = a.cadastro.cdsTBSolicitante;
        QVERIFY(sa.locate(QStringLiteral("IDSOLICITANTE"), 1));
        sa.edit();
        sa.field(QStringLiteral("NOME")).setAsString(QStringLiteral("ANA CLARA"));
        sa.post();
        sa.applyUpdates();

        // b still holds ANA as read; its change of row 1 is refused and dropped,
        // its change of row 2 in the same apply stays written.
        QVERIFY(sb.locate(QStringLiteral("IDSOLICITANTE"), 1));
        sb.edit();
        sb.field(QStringLiteral("NOME")).setAsString(QStringLiteral("ANA PAULA"));
        sb.post();
        QVERIFY(sb.locate(QStringLiteral("IDSOLICITANTE"), 2));
        sb.edit();
        sb.field(QStringLiteral("NOME")).setAsString(QStringLiteral("BETO JR"));
        sb.post();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, sb.applyUpdates());
        QCOMPARE(sb.changeCount(), 0);
        QVERIFY(sb.locate(QStringLiteral("IDSOLICITANTE"), 1));
        QCOMPARE(sb.field(QStringLiteral("NOME")).asString(), QStringLiteral("ANA"));

        sa.refresh();
        QVERIFY(sa.locate(QStringLiteral("IDSOLICITANTE"), 1));
        QCOMPARE(sa.field(QStringLiteral("NOME")).asString(), QStringLiteral("ANA CLARA"));
        QVERIFY(sa.locate(QStringLiteral("IDSOLICITANTE"), 2));
        QCOMPARE(sa.field(QStringLiteral("NOME")).asString(), QStringLiteral("BETO JR"));

        // A row deleted elsewhere cannot be deleted again: it comes back.
        sa.deleteRecord();
        sa.applyUpdates();
        QVERIFY(sb.locate(QStringLiteral("IDSOLICITANTE"), 2));
        sb.deleteRecord();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, sb.applyUpdates());
        QCOMPARE(sb.recordCount(), 2);
    }

    // After a refusal because another workstation changed the row, the row is
    // read again by its key: the fields typed here go back over it, the ones
    // only the other changed show its values, and the next save writes both.
    void refusedChangeTakesTheOtherVersion() {
        Workstation a(m_database), b(m_database);
        RecordSet &sa = a.cadastro.cdsTBSolicitante;
        sa.open();
        addRequester(sa, 1, QStringLiteral("ANA"), QStringLiteral("12345678909"));
        addRequester(sa, 2, QStringLiteral("BETO"));
        sa.applyUpdates();
        RecordSet &sb = b.cadastro.cdsTBSolicitante;
        sb.open();
        QVERIFY(sa.locate(QStringLiteral("IDSOLICITANTE"), 1));
        sa.edit();
        sa.field(QStringLiteral("TEL_CONTATO")).setAsString(QStringLiteral("8633221100"));
        sa.field(QStringLiteral("BAIRRO")).setAsString(QStringLiteral("CENTRO"));
        sa.post();
        sa.applyUpdates();

        const auto typeOnB = [&] {
            sb.edit();
            sb.field(QStringLiteral("NOME")).setAsString(QStringLiteral("ANA PAULA"));
            sb.field(QStringLiteral("BAIRRO")).setAsString(QStringLiteral("JOCKEY"));
            sb.field(QStringLiteral("CPF")).clear();
        };
        QVERIFY(sb.locate(QStringLiteral("IDSOLICITANTE"), 1));
        typeOnB();
        sb.post();
        try {
            sb.applyUpdates();
            QFAIL("a change made elsewhere was overwritten");
        } catch (const DatabaseError &e) {
            QVERIFY(e.isRowChangedElsewhere());
        }
        typeOnB();  // the screen puts the entry back as typed
        QVERIFY(sb.takeCurrentVersion());
        QCOMPARE(sb.state(), RecordSet::State::Edit);
        QCOMPARE(sb.field(QStringLiteral("NOME")).asString(), QStringLiteral("ANA PAULA"));
        QCOMPARE(sb.field(QStringLiteral("BAIRRO")).asString(), QStringLiteral("JOCKEY"));
        QVERIFY(sb.field(QStringLiteral("CPF")).isNull());  // a cleared field stays cleared
        QCOMPARE(sb.field(QStringLiteral("TEL_CONTATO")).asString(), QStringLiteral("8633221100"));
        QCOMPARE(sb.valueAsRead(QStringLiteral("BAIRRO")).toString(), QStringLiteral("CENTRO"));
        sb.post();
        sb.applyUpdates();
        QCOMPARE(test::scalarOn(m_database, QStringLiteral("select NOME || '/' || BAIRRO || '/' || TEL_CONTATO || '/' || "
                                                     "coalesce(CPF, '-') from TBSOLICITANTE where IDSOLICITANTE = 1"))
                     .toString(),
                 QStringLiteral("ANA PAULA/JOCKEY/8633221100/-"));

        // A row removed elsewhere cannot be taken: nothing changes.
        QVERIFY(sa.locate(QStringLiteral("IDSOLICITANTE"), 2));
        sa.deleteRecord();
        sa.applyUpdates();
        QVERIFY(sb.locate(QStringLiteral("IDSOLICITANTE"), 2));
        sb.edit();
        sb.field(QStringLiteral("NOME")).setAsString(QStringLiteral("BETO JR"));
        QVERIFY(!sb.takeCurrentVersion());
        QCOMPARE(sb.field(QStringLiteral("NOME")).asString(), QStringLiteral("BETO JR"));
    }

    void secondInsertOfOneKeyIsRefusedAndDropped() {
        Workstation a(m_database), b(m_database);
        a.cadastro.cdsTBSolicitante.open();
        b.cadastro.cdsTBSolicitante.open();
        addRequester(a.cadastro.cdsTBSolicitante, 5, QStringLiteral("PRIMEIRO"));
        addRequester(b.cadastro.cdsTBSolicitante, 5, QStringLiteral("SEGUNDO"));
        a.cadastro.cdsTBSolicitante.applyUpdates();
        try {
            b.cadastro.cdsTBSolicitante.applyUpdates();
            QFAIL("a duplicate key was written");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.isDuplicateKey(), qPrintable(e.text()));
        }
        QCOMPARE(b.cadastro.cdsTBSolicitante.recordCount(), 0);
        QCOMPARE(b.cadastro.cdsTBSolicitante.changeCount(), 0);
        b.cadastro.cdsTBSolicitante.refresh();
        QCOMPARE(b.cadastro.cdsTBSolicitante.recordCount(), 1);
        QCOMPARE(b.cadastro.cdsTBSolicitante.field(QStringLiteral("NOME")).asString(), QStringLiteral("PRIMEIRO"));
    }

    // A save that finds its attachment gone attaches again, looks for what
    // it wrote and writes only the rest: it works the first time, and a row
    // that did reach the database is not written twice.
    void lostConnectionIsCheckedThenWrittenOnce_data() {
        QTest::addColumn<bool>("reachedTheDatabase");
        QTest::newRow("nothing written") << false;
        // In-process the dead attachment is found by the write itself, which
        // then looks for what reached the database. Over TCP it is found
        // before the write starts, when nothing of it can have been sent.
        if (!test::isServerSuite())
            QTest::newRow("written before the line dropped") << true;
    }
    void lostConnectionIsCheckedThenWrittenOnce() {
        QFETCH(bool, reachedTheDatabase);
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        addRequester(s, 1, QStringLiteral("ANA"), QStringLiteral("12345678909"));

        // An administrator (or a restarted server) ends this workstation's attachment.
        Connection admin;
        admin.setDatabaseName(m_database);
        admin.execute(QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION"));
        if (reachedTheDatabase)
            admin.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (1, 'ANA', '12345678909')"));

        try {
            s.applyUpdates();
        } catch (const DatabaseError &e) {
            QFAIL(qPrintable(e.text()));
        }
        QCOMPARE(s.changeCount(), 0);
        QVERIFY(w.dm.MDatabasePrincipal.isConnected());
        QCOMPARE(test::scalarOn(m_database, QStringLiteral("select count(*) from TBSOLICITANTE")).toInt(), 1);
        s.refresh();
        QCOMPARE(s.field(QStringLiteral("NOME")).asString(), QStringLiteral("ANA"));
    }

    void refreshRefusesPendingChanges() {
        Workstation w(m_database);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        addRequester(s, 1, QStringLiteral("ANA"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, s.refresh());
        QCOMPARE(s.changeCount(), 1);
    }

    void deletingAReferencedRequesterIsRefused() {
        Workstation w(m_database);
        seedOneProtocol(w.dm.MDatabasePrincipal);
        RecordSet &s = w.cadastro.cdsTBSolicitante;
        s.open();
        s.deleteRecord();
        try {
            s.applyUpdates();
            QFAIL("a referenced requester was deleted");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.isForeignKeyViolation(), qPrintable(e.text()));
        }
        QCOMPARE(s.recordCount(), 1);
    }

    void lookupsResolveAgainstTheListAsLoaded() {
        Workstation w(m_database);
        Connection &c = w.dm.MDatabasePrincipal;
        seedOneProtocol(c);
        RecordSet &p = w.cadastro.cdsTBProtocolo;
        p.open();
        QVERIFY(p.field(QStringLiteral("SOLICITANTENOME")).isNull());  // requester list not loaded
        w.cadastro.cdsTBSolicitante.open();
        QCOMPARE(p.field(QStringLiteral("SOLICITANTENOME")).asString(), QStringLiteral("ANA"));
        // A requester added elsewhere after the list was loaded is not known.
        c.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (2, 'BETO')"));
        c.execute(QStringLiteral("update TBPROTOCOLO set SOLICITANTE = 2"));
        p.refresh();
        QVERIFY(p.field(QStringLiteral("SOLICITANTENOME")).isNull());
        w.cadastro.cdsTBSolicitante.refresh();
        QCOMPARE(p.field(QStringLiteral("SOLICITANTENOME")).asString(), QStringLiteral("BETO"));
        w.cadastro.cdsTBAssunto.open();
        QCOMPARE(p.field(QStringLiteral("ASSUNTONOME")).asString(), QStringLiteral("ALVARA"));
    }

    void repeatedColumnNamesGetASuffix() {
        Workstation w(m_database);
        Connection &c = w.dm.MDatabasePrincipal;
        seedOneProtocol(c);
        RecordSet &s = w.cadastro.sCONSULTA;
        s.setCommandText(QStringLiteral("select * from tbprotocolo p, tbassunto a where a.idassunto = p.assunto and "
                                        "p.idprotocolo = ? and p.ano = ?"),
                         {QStringLiteral("00001"), QStringLiteral("2014")});
        s.open();
        QCOMPARE(s.field(QStringLiteral("DESCRICAO")).asString(), QStringLiteral("PEDIDO"));
        QCOMPARE(s.field(QStringLiteral("DESCRICAO_1")).asString(), QStringLiteral("ALVARA"));
        QCOMPARE(s.field(QStringLiteral("DESCRICAO_1")).def().label, QStringLiteral("Descrição"));
        s.deleteRecord();  // a join names no single table to write to
        QVERIFY_THROWS_EXCEPTION(DatabaseError, s.applyUpdates());
    }
};

QTEST_GUILESS_MAIN(RecordSetTest)
#include "tst_recordset.moc"
