#include "AccessFixture.h"
#include "HostileInput.h"
#include "access/TFrmCadSenha.h"
#include "access/TFrmCadUnidadeTrabalho.h"
#include "data/ProgramPaths.h"

#include <QDirIterator>
#include <QPushButton>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

// The operator and work-unit registries take each hostile text in each box
// and save it through their own Grava: stored as the box holds it, or
// refused with the registry's own message.
class HostileAccessScreensTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AccessFixture> f;
    std::unique_ptr<QDialog> w;
    QStringList report;

    QPushButton *button(const char *name) const { return named<QPushButton>(w.get(), QLatin1String(name)); }

    // Every folder under the program folder.
    QStringList folders() const {
        QStringList found;
        QDirIterator it(f->folder(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next().mid(f->folder().size());
        found.sort();
        return found;
    }

private slots:
    void init() {
        f = std::make_unique<AccessFixture>();
        f->addOperator(QStringLiteral("1234"), QStringLiteral("senha"), 2, QStringLiteral("MARIA"));
        f->addUnit(QStringLiteral("05"), QStringLiteral("PREFEITURA MUNICIPAL DE TESTE"),
                   ProgramPaths::unitFolder(f->folder(), QStringLiteral("05")));
    }
    void cleanup() {
        w.reset();
        f.reset();
    }
    void cleanupTestCase() {
        for (const QString &line : std::as_const(report))
            qInfo().noquote() << line;
    }

    void everyBoxStoresOrRefuses_data() {
        QTest::addColumn<bool>("units");
        QTest::addColumn<bool>("newRecord");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("readBack");
        QTest::addColumn<QString>("refusal");
        const QString operators = QStringLiteral("Preencha todos os campos corretamente.");
        const QString units = QStringLiteral("Preencha todos os campos corretamente!");
        QTest::newRow("operator/edtUsuario") << false << true << "edtUsuario" << 4
                                             << "select USUARIO from OPERACAO where NOME = 'NOVO OPERADOR'" << operators;
        QTest::newRow("operator/edtSenha") << false << false << "edtSenha" << 5
                                           << "select SENHA from OPERACAO where USUARIO = '1234'" << operators;
        QTest::newRow("operator/edtNome") << false << false << "edtNome" << 80
                                          << "select NOME from OPERACAO where USUARIO = '1234'" << operators;
        QTest::newRow("unit/edtPrefeitura") << true << false << "edtPrefeitura" << 60
                                            << "select PREFEITURA from ACESSO where CODIGO = '05'" << units;
        QTest::newRow("unit/edtMunicipio") << true << false << "edtMunicipio" << 30
                                           << "select MUNICIPIO from ACESSO where CODIGO = '05'" << units;
    }
    void everyBoxStoresOrRefuses() {
        QFETCH(bool, units);
        QFETCH(bool, newRecord);
        QFETCH(QString, box);
        QFETCH(int, width);
        QFETCH(QString, readBack);
        QFETCH(QString, refusal);
        QStringList faults;
        for (const HostileText &hostile : hostileTexts()) {
            f->clearMessages();
            w.reset();  // one window at a time: a closing one closes its record set
            if (units) {
                w = std::make_unique<TFrmCadUnidadeTrabalho>(*f->access, Session);
                QVERIFY(showActive(w.get()));
                QVERIFY(f->access->tbAcesso.locate(QStringLiteral("CODIGO"), QStringLiteral("05")));
            } else {
                w = std::make_unique<TFrmCadSenha>(*f->access);
                QVERIFY(showActive(w.get()));
                QVERIFY(f->access->tbOperacao.locate(QStringLiteral("USUARIO"), QStringLiteral("1234")));
            }
            button(newRecord ? "btnIncluir" : "btnAlterar")->click();
            if (newRecord) {
                typeInto(named<QLineEdit>(w.get(), QStringLiteral("edtSenha")), QStringLiteral("12345"));
                typeInto(named<QLineEdit>(w.get(), QStringLiteral("edtNome")), QStringLiteral("NOVO OPERADOR"));
            }
            Attempt a;
            a.pasted = hostile.text;
            a.before = f->scalar(readBack);
            auto *edit = named<QLineEdit>(w.get(), box);
            pasteInto(edit, hostile.text);
            a.held = edit->text();
            f->clearMessages();
            f->answer({Answer::Yes});
            button("btnGravar")->click();
            a.after = f->scalar(readBack);
            a.messages = f->messages();
            QString outcome;
            QString fault = judge(a, width, {refusal}, &outcome);
            // Every box here is required: blanks are no entry.
            if (fault.isEmpty() && box != QLatin1String("edtUsuario") && box != QLatin1String("edtSenha") &&
                a.held.trimmed().isEmpty() && a.after != a.before)
                fault = QStringLiteral("a required box of blanks was stored");
            if (!fault.isEmpty())
                faults << QStringLiteral("%1: %2").arg(QLatin1String(hostile.name), fault);
            report << QStringLiteral("%1 | %2 | %3 | %4 | %5")
                          .arg(w->objectName(), box, QString::number(width), QLatin1String(hostile.name), outcome);
            f->execute(f->accessDatabaseName(), QStringLiteral("delete from OPERACAO where NOME = 'NOVO OPERADOR'"));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // The year box names a folder under the unit's backup folder: whatever
    // is pasted, no folder appears anywhere else.
    void theYearBoxNamesNoFolderElsewhere() {
        QStringList faults;
        int code = 6;
        for (const HostileText &hostile : hostileTexts()) {
            const QStringList before = folders();
            w.reset();
            w = std::make_unique<TFrmCadUnidadeTrabalho>(*f->access, Session);
            QVERIFY(showActive(w.get()));
            button("btnIncluir")->click();
            auto *year = named<QLineEdit>(w.get(), QStringLiteral("edtAno"));
            pasteInto(year, hostile.text);
            const QString held = year->text();
            typeInto(named<QLineEdit>(w.get(), QStringLiteral("edtMunicipio")), QStringLiteral("nova cidade"));
            f->clearMessages();
            f->answer({Answer::Yes});
            button("btnGravar")->click();
            const QString unit = QStringLiteral("UN%1").arg(code++, 2, 10, QLatin1Char('0'));
            for (const QString &folder : folders())
                if (!before.contains(folder) && folder != unit && folder != QStringLiteral("Backup") &&
                    folder != QStringLiteral("Backup/") + unit && folder != QStringLiteral("Backup/%1/%2").arg(unit, held))
                    faults << QStringLiteral("%1: the folder \"%2\" appeared").arg(QLatin1String(hostile.name), printable(folder));
            for (const auto &m : f->messages())
                if (m.buttons == MessageService::Buttons::Ok)
                    faults << QStringLiteral("%1: \"%2\"").arg(QLatin1String(hostile.name), m.text);
            report << QStringLiteral("FrmCadUnidadeTrabalho | edtAno | 4 | %1 | %2")
                          .arg(QLatin1String(hostile.name), boxEffect(hostile.text, held));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(HostileAccessScreensTest)
#include "tst_hostile_access_screens.moc"
