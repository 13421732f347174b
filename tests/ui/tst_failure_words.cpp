#include "TestDatabase.h"

#include "data/firebird/Connection.h"
#include "data/firebird/FailureWords.h"
#include "ui/ErrorBox.h"
#include "ui/MessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;

namespace {

// The failure that running the statements on a unit database gives.
DatabaseError failureOf(const QString &database, const QStringList &statements) {
    Connection c;
    c.setDatabaseName(database);
    try {
        for (const QString &sql : statements)
            c.execute(sql);
    } catch (const DatabaseError &e) {
        return e;
    }
    return DatabaseError(QStringLiteral("no failure"));
}

}  // namespace

// Every database failure reaches the desk in Portuguese, decided from
// Firebird's codes, with Firebird's own text kept for the support line.
class FailureWordsTest : public QObject {
    Q_OBJECT

    ScratchFolder m_folder;
    QString m_database;

private slots:
    void initTestCase() { m_database = createUnitDatabase(m_folder); }

    void databaseFailuresAreSaidInTheDesksWords_data() {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("inDetails");
        const QString requester = QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'A')");
        QTest::newRow("code taken") << QStringList{requester, requester}
                                    << QStringLiteral("Já existe um registro com este código; nada foi gravado.")
                                    << QStringLiteral("PK_TBSOLICITANTE");
        QTest::newRow("referred to")
            << QStringList{QStringLiteral("insert into TBSETOR (IDSETOR, NOME) values (1, 'S')"),
                           QStringLiteral("insert into TBRESPONSAVEISPORSETOR (IDRESPONSAVEL, NOME, SETOR) values (1, 'P', 1)"),
                           QStringLiteral("delete from TBSETOR")}
            << QStringLiteral("Este registro é usado por outros registros do sistema; a operação não foi feita.")
            << QStringLiteral("FOREIGN KEY");
        QTest::newRow("too long") << QStringList{QStringLiteral("insert into TBSETOR (IDSETOR, NOME) values (2, '%1')")
                                                     .arg(QString(60, QLatin1Char('X')))}
                                  << QStringLiteral("Um dos campos tem mais letras do que cabe nele; nada foi gravado.")
                                  << QStringLiteral("truncation");
        QTest::newRow("not understood") << QStringList{QStringLiteral("select * from TBNENHUMA")}
                                        << QStringLiteral("O banco de dados recusou a operação.")
                                        << QStringLiteral("TBNENHUMA");
    }
    void databaseFailuresAreSaidInTheDesksWords() {
        QFETCH(QStringList, statements);
        QFETCH(QString, text);
        QFETCH(QString, inDetails);
        const FailureWords words = FailureWords::of(failureOf(m_database, statements));
        QCOMPARE(words.text, text);
        QVERIFY2(words.details.contains(inDetails, Qt::CaseInsensitive), qPrintable(words.details));
    }

    void lostAndUnreachableServersAreSaidSo() {
        // Nothing listens on port 1 of this machine.
        const DatabaseError unreachable =
            failureOf(QStringLiteral("127.0.0.1/1:") + m_folder.file(QStringLiteral("X.FDB")), {QStringLiteral("select 1 from RDB$DATABASE")});
        QVERIFY2(unreachable.isServerUnreachable(), qPrintable(unreachable.text()));
        QVERIFY(FailureWords::of(unreachable).text.startsWith(QStringLiteral("Não foi possível falar com o servidor")));
        QVERIFY(!FailureWords::of(unreachable).details.isEmpty());
        // A server that is still starting turns the attachment away.
        const DatabaseError starting(QStringLiteral("connection rejected by remote interface"), {FbCode::ConnectRejected});
        QVERIFY(starting.isServerUnreachable());
        QVERIFY(FailureWords::of(starting).text.startsWith(QStringLiteral("Não foi possível falar com o servidor")));

        // An attachment ended under a workstation: the line dropped.
        Connection desk;
        desk.setDatabaseName(m_database);
        desk.open();
        executeOn(m_database, QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION"));
        DatabaseError lost(QString{});
        try {
            fb::Transaction t(desk.attachment(), fb::Transaction::Mode::ReadOnly);
            QFAIL("the attachment outlived its end");
        } catch (const DatabaseError &e) {
            lost = e;
        }
        QVERIFY2(lost.isConnectionLost() && !lost.isServerUnreachable(), qPrintable(lost.text()));
        QCOMPARE(FailureWords::of(lost).text, QStringLiteral("A ligação com o servidor caiu. Tente de novo."));
        // What a save knows of itself is said too.
        QVERIFY(FailureWords::of(lost.withSave(DatabaseError::Save::NotWritten))
                    .text.startsWith(QStringLiteral("A ligação com o servidor caiu e a gravação não foi feita.")));
        QVERIFY(FailureWords::of(lost.withSave(DatabaseError::Save::InDoubt))
                    .text.contains(QStringLiteral("nada é gravado duas vezes")));
    }

    void theProgramsOwnFailuresStandAsTheyAre() {
        const FailureWords words = FailureWords::of(DatabaseError::rowChangedElsewhere());
        QVERIFY(words.text.contains(QStringLiteral("alterado ou excluído em outra estação")));
        QVERIFY(words.details.isEmpty());
        QCOMPARE(FailureWords::of(std::runtime_error("x")).text, QStringLiteral("x"));
    }

    // The default error box shows the desk's words and keeps the database's
    // text behind a "Detalhes..." button.
    void theErrorBoxKeepsTheDetailsBehindAButton() {
        const DatabaseError refusal = failureOf(m_database, {QStringLiteral("select * from TBNENHUMA")});
        QString shown, details;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            details = box->detailedText();
            for (QAbstractButton *b : box->buttons())
                buttons << b->text();
            box->accept();
        });
        ErrorBox::show(nullptr, refusal);
        QCOMPARE(shown, QStringLiteral("O banco de dados recusou a operação."));
        QCOMPARE(details, refusal.text());
        QVERIFY2(buttons.contains(QStringLiteral("Detalhes...")), qPrintable(buttons.join('|')));
    }
};

QTEST_MAIN(FailureWordsTest)
#include "tst_failure_words.moc"
