// The backup screen driven as a person would, on the embedded engine and,
// in the server suite, on the local server reached by its address: a remote
// server for the screen, whose Backup folder is reached through a network
// root in a temporary folder.
#include "BackupFixture.h"
#include "ScriptedAnswers.h"
#include "WindowDriving.h"

#include "backup/BackupPlace.h"
#include "backup/TFrmBakcup.h"
#include "backup/UnitBackup.h"
#include "backup/UnitRestore.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitOpening.h"
#include "data/session/SessionState.h"
#include "ui/MessageService.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace kalvero;
using test::BackupFixture;
using test::named;
using Answer = MessageService::Answer;
using Icon = MessageService::Icon;

namespace {

const QDateTime Opening(QDate(2014, 3, 5), QTime(14, 30, 15));
const QString ArchiveName = QStringLiteral("UN01-Gerado_no_Dia_05.03.2014_as_14.30.15.rar");

// A program folder with the unit database in UN01/ and the server address
// of the suite in Config/ipServidor.ini.
struct ScreenFixture {
    test::ScratchFolder program;
    test::ScratchFolder network;
    QString databaseName;
    TDM unit;
    TUDMCadastro registries{unit};
    SessionState session;
    test::ScriptedAnswers script;
    QString backupFolder;

    explicit ScreenFixture(bool reachable = true) {
        QDir().mkpath(program.file(QStringLiteral("UN01")));
        QDir().mkpath(program.file(QStringLiteral("Config")));
        QFile ini(program.file(QStringLiteral("Config/ipServidor.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write(test::serverAddress().toUtf8());
        ini.close();
        databaseName = test::createUnitDatabase(program, QStringLiteral("UN01/DBPROTOCOLO.FDB"));
        test::executeOn(databaseName, QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
        test::executeOn(databaseName, QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (1, 'X')"));
        unit.MDatabasePrincipal.setDatabaseName(databaseName);
        session.ProgramFolder = program.path();
        session.UnitCode = QStringLiteral("01");
        session.UnitFolder = program.file(QStringLiteral("UN01/"));
        backupFolder = BackupPlace::folder(program.path(), test::serverAddress(), session.UnitCode, network.path());
        QDir().mkpath(program.file(QStringLiteral("Backup/UN01")));
        if (test::isServerSuite() && reachable) {
            // What the automounter shows: the server's program folder under
            // <root><server address>.
            QString mountPoint = network.path() + test::serverAddress() + program.path();
            mountPoint.chop(1);
            QDir().mkpath(QFileInfo(mountPoint).path());
            QFile::link(program.path(), mountPoint);
        }
        MessageService::clearShown();
    }

    // The window's clock stands at the opening unless a clock is given.
    std::unique_ptr<TFrmBakcup> open(std::function<QDateTime()> now = [] { return Opening; }) {
        TFrmBakcup::Settings settings;
        settings.now = std::move(now);
        settings.networkRoot = network.path();
        return std::make_unique<TFrmBakcup>(registries, session, settings);
    }

    void addProtocols(int from, int to) {
        for (int n = from; n <= to; ++n)
            test::executeOn(databaseName, BackupFixture::insertStatement(),
                            {BackupFixture::number(n), QStringLiteral("PEDIDO")});
    }

    static QStringList texts() {
        QStringList out;
        for (const auto &m : MessageService::shown())
            out << m.text;
        return out;
    }
};

QByteArray contentsOf(const QString &path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QStringList listed(QComboBox *box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    items.sort();
    return items;
}

}  // namespace

class BackupScreenTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheFolderWithItsArchivesAndModes() {
        ScreenFixture f;
        for (const char *name : {"UN01-a.rar", "UN01-b.rar-GeradoPeloSistema.rar", "notas.txt"})
            QFile(f.program.file(QStringLiteral("Backup/UN01/")) + QLatin1String(name)).open(QIODevice::WriteOnly);
        QDir().mkpath(f.program.file(QStringLiteral("Backup/UN01/pasta.rar")));
        f.unit.MDatabasePrincipal.open();

        auto screen = f.open();
        QVERIFY(test::showActive(screen.get()));
        QVERIFY(!f.unit.MDatabasePrincipal.isConnected());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Backup ou Restauração"));
        QCOMPARE(named<QLabel>(screen.get(), QStringLiteral("lblCaminho"))->text(), f.backupFolder);
        auto *list = named<QComboBox>(screen.get(), QStringLiteral("cbArquivos"));
        QCOMPARE(listed(list), QStringList({"UN01-a.rar", "UN01-b.rar-GeradoPeloSistema.rar"}));
        auto *create = named<QPushButton>(screen.get(), QStringLiteral("btnCriarBackup"));
        auto *restore = named<QPushButton>(screen.get(), QStringLiteral("btnRestaurarBackup"));
        QVERIFY(create->isEnabled() && !restore->isEnabled() && !list->isEnabled());

        // Switching modes clears the choice.
        named<QRadioButton>(screen.get(), QStringLiteral("rbRestaurarBackup"))->click();
        QVERIFY(!create->isEnabled() && restore->isEnabled() && list->isEnabled());
        list->setCurrentIndex(1);
        named<QRadioButton>(screen.get(), QStringLiteral("rbCriarBackup"))->click();
        QCOMPARE(list->currentIndex(), -1);
        named<QRadioButton>(screen.get(), QStringLiteral("rbRestaurarBackup"))->click();
        QCOMPARE(list->currentIndex(), -1);

        named<QPushButton>(screen.get(), QStringLiteral("btnFechar"))->click();
        QVERIFY(f.unit.MDatabasePrincipal.isConnected());
        QCOMPARE(list->count(), 0);
    }

    // Two backups in one opening go into the one archive named at the
    // opening, the newer replacing the older; the bar follows the work.
    void backupsOfOneOpeningShareTheArchive() {
        ScreenFixture f;
        f.addProtocols(1, 2);
        auto screen = f.open();
        auto *bar = named<QProgressBar>(screen.get(), QStringLiteral("ProgressBar1"));
        QList<int> shown;
        connect(bar, &QProgressBar::valueChanged, bar, [&](int v) { shown << v; });
        named<QPushButton>(screen.get(), QStringLiteral("btnCriarBackup"))->click();
        f.addProtocols(3, 3);
        named<QPushButton>(screen.get(), QStringLiteral("btnCriarBackup"))->click();
        QCOMPARE(ScreenFixture::texts(), QStringList(2, QStringLiteral("Backup realizado com sucesso!")));
        QCOMPARE(MessageService::shown().first().icon, Icon::Information);
        QVERIFY(shown.contains(100));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(listed(named<QComboBox>(screen.get(), QStringLiteral("cbArquivos"))), QStringList{ArchiveName});
        screen->close();

        f.addProtocols(4, 4);
        UnitRestore(f.databaseName).restoreFrom(f.backupFolder + ArchiveName, f.backupFolder + QStringLiteral("s.rar"), Opening);
        QCOMPARE(BackupFixture::protocolsOf(f.databaseName), QStringList({"00001", "00002", "00003"}));
    }

    void failuresAreReportedWithTheirReason() {
        ScreenFixture f;
        f.unit.MDatabasePrincipal.setDatabaseName(test::databaseName(f.program.file(QStringLiteral("UN01/NAOHA.FDB"))));
        auto screen = f.open();
        named<QPushButton>(screen.get(), QStringLiteral("btnCriarBackup"))->click();
        QCOMPARE(MessageService::shown().size(), 1);
        const MessageService::Message failed = MessageService::shown().first();
        QVERIFY(failed.text.startsWith(QStringLiteral("Ocorreu um erro na Operação de Backup, tente novamente. ")));
        QVERIFY(failed.text.size() > 60);  // the reason follows
        QCOMPARE(failed.icon, Icon::Error);
        QCOMPARE(QDir(f.backupFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
        f.unit.MDatabasePrincipal.setDatabaseName(f.databaseName);
    }

    void restoreWarnsAsksAndKeepsASafetyCopy() {
        ScreenFixture f;
        f.addProtocols(1, 2);
        UnitBackup(f.databaseName).writeTo(f.backupFolder + QStringLiteral("UN01-antigo.rar"), Opening);
        f.addProtocols(3, 3);
        auto screen = f.open();
        QVERIFY(test::showActive(screen.get()));
        named<QRadioButton>(screen.get(), QStringLiteral("rbRestaurarBackup"))->click();
        auto *restore = named<QPushButton>(screen.get(), QStringLiteral("btnRestaurarBackup"));

        restore->click();
        QCOMPARE(ScreenFixture::texts(),
                 QStringList({"Ao realizar a Restauração do Backup será substituido todos os dados existentes no Banco "
                              "de Dados atual.",
                              "Escolha um arquivo para Restauração do Backup!"}));
        QCOMPARE(MessageService::shown().first().caption, QStringLiteral("A T E N Ç Ã O ! ! !"));

        named<QComboBox>(screen.get(), QStringLiteral("cbArquivos"))->setCurrentIndex(0);
        MessageService::clearShown();
        f.script.set({Answer::No});
        restore->click();
        QCOMPARE(MessageService::shown().size(), 2);
        QCOMPARE(MessageService::shown().at(1).caption, QStringLiteral("A T E N Ç Ã O "));
        QCOMPARE(MessageService::shown().at(1).text, QStringLiteral("Deseja realizar a Restauração do Backup?"));
        QCOMPARE(BackupFixture::protocolsOf(f.databaseName).size(), 3);

        // Refused while another workstation is attached, naming how many.
        Connection other;
        other.setDatabaseName(f.databaseName);
        other.open();
        MessageService::clearShown();
        f.script.set({Answer::Yes});
        restore->click();
        QVERIFY(MessageService::shown().last().text.contains(QStringLiteral("1 conexão")));
        other.close();

        MessageService::clearShown();
        f.script.set({Answer::Yes});
        restore->click();
        QCOMPARE(MessageService::shown().last().text, QStringLiteral("Restauração realizada com sucesso!"));
        QCOMPARE(BackupFixture::protocolsOf(f.databaseName), QStringList({"00001", "00002"}));
        QVERIFY(QFile::exists(f.backupFolder + ArchiveName + QStringLiteral("-GeradoPeloSistema.rar")));
        screen->close();
        QVERIFY(f.unit.MDatabasePrincipal.isConnected());
    }

    // Every restore keeps its own safety copy, named by the moment of the
    // restore and never over another file; a safety copy chosen from the
    // list is restored as it was.
    void everyRestoreKeepsItsOwnSafetyCopy() {
        ScreenFixture f;
        f.addProtocols(1, 1);
        UnitBackup(f.databaseName).writeTo(f.backupFolder + QStringLiteral("UN01-um.rar"), Opening);
        f.addProtocols(2, 2);
        QDateTime now = Opening;
        auto screen = f.open([&] { return now; });
        auto *list = named<QComboBox>(screen.get(), QStringLiteral("cbArquivos"));
        auto restore = [&](const QString &archive) {
            named<QRadioButton>(screen.get(), QStringLiteral("rbRestaurarBackup"))->click();
            list->setCurrentIndex(list->findText(archive));
            QVERIFY(list->currentIndex() >= 0);
            MessageService::clearShown();
            f.script.set({Answer::Yes});
            named<QPushButton>(screen.get(), QStringLiteral("btnRestaurarBackup"))->click();
            QCOMPARE(MessageService::shown().last().text, QStringLiteral("Restauração realizada com sucesso!"));
        };

        now = Opening.addSecs(60);
        restore(QStringLiteral("UN01-um.rar"));
        QCOMPARE(BackupFixture::protocolsOf(f.databaseName), QStringList{"00001"});
        const QString first = QStringLiteral("UN01-Gerado_no_Dia_05.03.2014_as_14.31.15.rar-GeradoPeloSistema.rar");
        QVERIFY(QFile::exists(f.backupFolder + first));
        const QByteArray firstCopy = contentsOf(f.backupFolder + first);

        // A backup lists the safety copy; restored in the same second, it
        // comes back whole, and the database it replaced goes into a copy
        // of its own.
        named<QRadioButton>(screen.get(), QStringLiteral("rbCriarBackup"))->click();
        named<QPushButton>(screen.get(), QStringLiteral("btnCriarBackup"))->click();
        restore(first);
        QCOMPARE(BackupFixture::protocolsOf(f.databaseName), QStringList({"00001", "00002"}));
        QCOMPARE(contentsOf(f.backupFolder + first), firstCopy);
        const QString second = QStringLiteral("UN01-Gerado_no_Dia_05.03.2014_as_14.31.15-2.rar-GeradoPeloSistema.rar");
        QCOMPARE(listed(list), QStringList({ArchiveName, first, "UN01-um.rar"}));
        QStringList files = QDir(f.backupFolder).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, QStringList({ArchiveName, second, first, "UN01-um.rar"}));
        screen->close();

        UnitRestore(f.databaseName).restoreFrom(f.backupFolder + second, f.backupFolder + QStringLiteral("s.rar"), now);
        QCOMPARE(BackupFixture::protocolsOf(f.databaseName), QStringList{"00001"});
    }

    // A database restored from an archive of an older version is opened as
    // the login opens it: brought up to date, its entity read again.
    void aRestoredOlderDatabaseIsOpenedAsAtLogin() {
        ScreenFixture f;
        test::executeOn(f.databaseName, QStringLiteral("insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, CIDADE, "
                                                       "CONFIG_SEQ_IMP) values ('06553564000146', 'A', 'B', 'TERESINA', 1)"));
        OpenUnitDatabase(f.registries, f.session);
        QCOMPARE(f.session.EntityCity, QStringLiteral("TERESINA"));
        QCOMPARE(f.session.LabelSequence, 1);

        // Made before the label scratch table, the label order and the
        // search indexes.
        test::ScratchFolder elsewhere;
        const QString older = test::createUnitDatabase(elsewhere, QStringLiteral("ANTIGO.FDB"));
        test::executeOn(older, QStringLiteral("alter table TBENTIDADE drop CONFIG_SEQ_IMP"));
        test::executeOn(older, QStringLiteral("drop index IX_TBSOLICITANTE_CPF"));
        test::executeOn(older, QStringLiteral("insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, CIDADE) "
                                              "values ('06553564000146', 'A', 'B', 'PATOS')"));
        UnitBackup(older).writeTo(f.backupFolder + QStringLiteral("UN01-antigo.rar"), Opening);

        auto screen = f.open();
        QVERIFY(test::showActive(screen.get()));
        named<QRadioButton>(screen.get(), QStringLiteral("rbRestaurarBackup"))->click();
        auto *list = named<QComboBox>(screen.get(), QStringLiteral("cbArquivos"));
        list->setCurrentIndex(list->findText(QStringLiteral("UN01-antigo.rar")));
        f.script.set({Answer::Yes});
        named<QPushButton>(screen.get(), QStringLiteral("btnRestaurarBackup"))->click();
        QCOMPARE(MessageService::shown().last().text, QStringLiteral("Restauração realizada com sucesso!"));
        screen->close();

        QVERIFY(f.unit.MDatabasePrincipal.isConnected());
        QCOMPARE(f.session.EntityCity, QStringLiteral("PATOS"));
        QCOMPARE(f.session.LabelSequence, 0);
        const auto count = [&](const QString &sql) { return test::scalarOn(f.databaseName, sql).toInt(); };
        QCOMPARE(count(QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'TBREL_AUX'")), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from RDB$RELATION_FIELDS where RDB$RELATION_NAME = 'TBENTIDADE' "
                                      "and RDB$FIELD_NAME = 'CONFIG_SEQ_IMP'")),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from RDB$INDICES where RDB$INDEX_NAME = 'IX_TBSOLICITANTE_CPF'")), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from TBENTIDADE where CONFIG_SEQ_IMP = 0")), 1);
    }
};

QTEST_MAIN(BackupScreenTest)
#include "tst_backup_screen.moc"
