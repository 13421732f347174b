#include "TestDatabase.h"

#include "access/Tdm2.h"
#include "app/install/DemoDataSeeder.h"
#include "app/install/InstallFolderBuilder.h"
#include "data/ProgramPaths.h"
#include "data/firebird/FirebirdError.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "registries/UCpfCnpj.h"

#include <QFile>
#include <QImage>
#include <QtTest>

using namespace kalvero;

class InstallFolderTest : public QObject {
    Q_OBJECT

    static InstallOptions options(const test::ScratchFolder &scratch) {
        InstallOptions o;
        o.folder = scratch.file(QStringLiteral("kalvero"));
        o.serverAddress = test::serverAddress();
        o.operatorCode = QStringLiteral("ADM1");
        o.password = QStringLiteral("s3nh4");
        o.operatorName = QStringLiteral("Administrador do Sistema");
        return o;
    }

    static qint64 scalar(RecordSet &query, const QString &sql) {
        query.close();
        query.setCommandText(sql);
        query.open();
        const qint64 n = query.field(0).asInteger();
        query.close();
        return n;
    }

private slots:
    void makesACompleteInstall() {
        test::ScratchFolder scratch;
        const InstallOptions o = options(scratch);
        const QStringList report = InstallFolderBuilder(o).build();
        const QString folder = o.folder + QLatin1Char('/');
        QVERIFY(report.size() >= 6);

        QFile ini(ProgramPaths::serverAddressFile(folder));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(ini.readAll()).trimmed(), o.serverAddress);
        QImage emblem(ProgramPaths::emblemFile(folder), "BMP");
        QVERIFY(!emblem.isNull());
        QVERIFY(QFile::exists(ProgramPaths::templateDatabase(folder)));
        QVERIFY(QFileInfo(ProgramPaths::backupFolder(folder, QStringLiteral("01"))).isDir());

        Tdm2 access;
        access.MDatabaseSenha.setDatabaseName(Tdm2::databaseNameFor(o.serverAddress, folder));
        access.tbOperacao.open();
        QCOMPARE(access.tbOperacao.recordCount(), 1);
        QVERIFY(access.tbOperacao.locate(QStringLiteral("USUARIO;SENHA"), {QStringLiteral("ADM1"), QStringLiteral("s3nh4")}));
        QVERIFY(!access.tbOperacao.locate(QStringLiteral("USUARIO;SENHA"), {QStringLiteral("adm1"), QStringLiteral("s3nh4")}));
        QCOMPARE(access.tbOperacao.field(QStringLiteral("ACESSO")).asInteger(), 1);
        QCOMPARE(access.tbOperacao.field(QStringLiteral("NOME")).asString(), QStringLiteral("ADMINISTRADOR DO SISTEMA"));
        QVERIFY(!access.tbOperacao.field(QStringLiteral("SENHA")).def().visible);
        access.tbAcesso.open();
        QCOMPARE(access.tbAcesso.field(QStringLiteral("CODIGO")).asString(), QStringLiteral("01"));
        const QString caminho = access.tbAcesso.field(QStringLiteral("CAMINHO")).asString();
        QCOMPARE(caminho, folder + QStringLiteral("UN01/"));

        // The access tables refuse a second operator or unit of the same code.
        for (RecordSet *set : {&access.tbOperacao, &access.tbAcesso}) {
            set->first();
            const QVariantList row = [&] {
                QVariantList v;
                for (int i = 0; i < set->fieldCount(); ++i)
                    v << set->field(i).value();
                return v;
            }();
            set->append();
            for (int i = 0; i < set->fieldCount(); ++i)
                set->field(i).setValue(row.at(i));
            set->post();
            try {
                set->applyUpdates();
                QFAIL("a duplicate code was written");
            } catch (const DatabaseError &e) {
                QVERIFY2(e.isDuplicateKey(), qPrintable(e.text()));
            }
        }

        // Unit 01 opens by its stored folder, as the login will open it.
        TDM dm;
        dm.MDatabasePrincipal.setDatabaseName(DatabaseTarget::databaseName(o.serverAddress, ProgramPaths::unitDatabase(caminho)));
        TUDMCadastro cadastro(dm);
        QVERIFY(EnsureLabelScratchTable(dm));
        QVERIFY(!EnsureLabelSequenceColumn(dm, cadastro));
        QCOMPARE(scalar(cadastro.sCONSULTA, QStringLiteral("select count(*) from TBPROTOCOLO")), 0);
    }

    void refusesToOverwriteUnlessTold() {
        test::ScratchFolder scratch;
        InstallOptions o = options(scratch);
        InstallFolderBuilder(o).build();
        {
            Connection unit;
            unit.setDatabaseName(DatabaseTarget::databaseName(
                o.serverAddress, ProgramPaths::unitDatabase(ProgramPaths::unitFolder(o.folder, QStringLiteral("01")))));
            unit.execute(QStringLiteral("insert into TBSETOR values (1, 'OBRAS')"));
        }
        try {
            InstallFolderBuilder(o).build();
            QFAIL("an existing install was overwritten");
        } catch (const InstallError &e) {
            QVERIFY(e.text().contains(QStringLiteral("--replace")));
        }
        Connection unit;
        unit.setDatabaseName(DatabaseTarget::databaseName(
            o.serverAddress, ProgramPaths::unitDatabase(ProgramPaths::unitFolder(o.folder, QStringLiteral("01")))));
        RecordSet sectors(QStringLiteral("sectors"));
        sectors.setConnection(&unit);
        QCOMPARE(scalar(sectors, QStringLiteral("select count(*) from TBSETOR")), 1);  // kept
        unit.close();

        o.replace = true;
        InstallFolderBuilder(o).build();
        QCOMPARE(scalar(sectors, QStringLiteral("select count(*) from TBSETOR")), 0);
    }

    void refusesBadOptions_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("short operator code") << "operator" << "ADM";
        QTest::newRow("long password") << "password" << "123456";
        QTest::newRow("short name") << "name" << "AB";
        QTest::newRow("folder too long for CAMINHO") << "folder" << "/tmp/a-folder-whose-name-is-far-too-long-for-a-unit";
    }

    void refusesBadOptions() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        test::ScratchFolder scratch;
        InstallOptions o = options(scratch);
        if (field == QLatin1String("operator"))
            o.operatorCode = value;
        else if (field == QLatin1String("password"))
            o.password = value;
        else if (field == QLatin1String("name"))
            o.operatorName = value;
        else
            o.folder = value;
        QVERIFY_THROWS_EXCEPTION(InstallError, InstallFolderBuilder(o).build());
        QVERIFY(!QFile::exists(ProgramPaths::accessDatabase(o.folder)));
    }

    void demoDataIsConsistent() {
        test::ScratchFolder scratch;
        InstallOptions o = options(scratch);
        o.demo = true;
        InstallFolderBuilder(o).build();
        TDM dm;
        dm.MDatabasePrincipal.setDatabaseName(DatabaseTarget::databaseName(
            o.serverAddress, ProgramPaths::unitDatabase(ProgramPaths::unitFolder(o.folder, QStringLiteral("01")))));
        RecordSet &q = dm.SQLConsulta;
        QCOMPARE(scalar(q, QStringLiteral("select count(*) from TBENTIDADE")), 1);
        QCOMPARE(scalar(q, QStringLiteral("select count(*) from TBSOLICITANTE where (CPF is null) = (CNPJ is null)")), 0);
        // Every document checks; two companies have the alphanumeric CNPJ.
        QStringList alphanumeric;
        q.close();
        q.setCommandText(QStringLiteral("select CPF, CNPJ from TBSOLICITANTE"));
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            const QString cpf = q.field(QStringLiteral("CPF")).asString();
            const QString cnpj = q.field(QStringLiteral("CNPJ")).asString();
            QVERIFY2(cpf.isEmpty() ? CnpjIsValid(cnpj) : CpfIsValid(cpf), qPrintable(cpf + cnpj));
            if (cnpj.contains(QRegularExpression(QStringLiteral("[A-Z]"))))
                alphanumeric << cnpj;
        }
        q.close();
        QCOMPARE(alphanumeric.size(), 2);
        QVERIFY(scalar(q, QStringLiteral("select count(*) from TBPROTOCOLO")) >= 200);
        QVERIFY(scalar(q, QStringLiteral("select count(distinct ANO) from TBPROTOCOLO")) == 2);
        QVERIFY(scalar(q, QStringLiteral("select count(*) from TBPROTOCOLO where STATUS = '1'")) > 0);
        QVERIFY(scalar(q, QStringLiteral("select count(*) from TBPROTOCOLO where STATUS = '2'")) > 0);
        QVERIFY(scalar(q, QStringLiteral("select count(*) from TBMOVIMENTACAO")) > 0);
        QVERIFY(scalar(q, QStringLiteral("select count(*) from TBASSUNTO_DOCUMENTOS")) > 0);
        QVERIFY(scalar(q, QStringLiteral("select count(*) from TBRESPONSAVEISPORSETOR")) > 0);
        // Numbers run 00001.. without gaps in each year; documents from 1 in each protocol.
        QCOMPARE(scalar(q, QStringLiteral("select count(*) from (select ANO from TBPROTOCOLO group by ANO "
                                          "having max(cast(IDPROTOCOLO as integer)) <> count(*))")), 0);
        QCOMPARE(scalar(q, QStringLiteral("select count(*) from (select IDPROTOCOLO, ANO from TBDOCUMENTOS "
                                          "group by IDPROTOCOLO, ANO having min(IDDOCUMENTO) <> 1 or "
                                          "max(IDDOCUMENTO) <> count(*))")), 0);
    }
};

QTEST_GUILESS_MAIN(InstallFolderTest)
#include "tst_install_folder.moc"
