#include "ShellFixture.h"
#include "WindowDriving.h"
#include "PagePlaces.h"
#include "../reliability/HostileInput.h"

#include "consultation/ConsultationInput.h"
#include "consultation/ConsultationStore.h"
#include "consultation/StatusSlipPrint.h"
#include "consultation/TCON_Protocolos.h"
#include "data/Clock.h"
#include "data/ProgramPaths.h"
#include "data/firebird/Connection.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/session/SessionState.h"
#include "reports/LumQRBarCode.h"
#include "reports/ReportPaginator.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace kalvero;
using Kind = ConsultationInput::Kind;

namespace {

// What a label of the protocol carries in its barcode.
QString labelOf(const QString &number, const QString &year) { return TLumQRBarCode::DigitosEAN13(number + year); }

// An install of three units, logged into 01: unit 01 holds 00012/2014 of
// JOSÉ DA CONCEIÇÃO (CPF 529.982.247-25), never moved, 00013/2014 of the
// same, and 00014/2014 of the company JOÃO D'ÁVILA LTDA (the alphanumeric
// CNPJ 12.ABC.345/01DE-35); unit 02 holds 00012/2014 of MARIA SOUZA, delivered to GABINETE and
// then to OBRAS, the delivery to OBRAS cancelled; unit 03's folder holds no
// database.
struct Units {
    test::ShellFixture shell;

    Units() {
        const QString folder02 = ProgramPaths::unitFolder(shell.folder(), QStringLiteral("02"));
        QDir().mkpath(folder02);
        test::createUnitDatabaseAt(ProgramPaths::unitDatabase(folder02));
        shell.addUnit(QStringLiteral("02"), QStringLiteral("PREFEITURA MUNICIPAL DE DOIS"), folder02);
        const QString folder03 = ProgramPaths::unitFolder(shell.folder(), QStringLiteral("03"));
        QDir().mkpath(folder03);
        shell.addUnit(QStringLiteral("03"), QStringLiteral("PREFEITURA MUNICIPAL DE TRES"), folder03);

        Session.ProgramFolder = shell.folder();
        Session.ServerAddress = test::serverAddress();
        Session.UnitCode = QStringLiteral("01");
        Session.UnitLabel = QStringLiteral("01-PREFEITURA");
        Session.RightsNotice = QStringLiteral("Kalvero - todos os direitos reservados");

        const QString one = shell.unitDatabaseName(QStringLiteral("01"));
        const QString two = shell.unitDatabaseName(QStringLiteral("02"));
        for (const QString &db : {one, two}) {
            run(db, "insert into TBASSUNTO values (1, 'ALVARA')");
            run(db, "insert into TBSETOR values (1, 'GABINETE')");
            run(db, "insert into TBSETOR values (2, 'OBRAS')");
            run(db, "insert into TBRESPONSAVEISPORSETOR values (1, 'JOAO', 1)");
            run(db, "insert into TBRESPONSAVEISPORSETOR values (2, 'PEDRO', 2)");
        }
        run(one, "insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (1, 'JOSÉ DA CONCEIÇÃO', '52998224725')");
        run(one, "insert into TBPROTOCOLO values ('00012', '2014', 1, 1, '2014-05-20', '0', 'PEDIDO')");
        run(one, "insert into TBPROTOCOLO values ('00013', '2014', 1, 1, '2014-05-21', '1', 'OUTRO')");
        run(one, "insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CNPJ) values (2, 'JOÃO D''ÁVILA LTDA', '12ABC34501DE35')");
        run(one, "insert into TBPROTOCOLO values ('00014', '2014', 2, 1, '2014-05-22', '0', 'TERCEIRO')");
        run(two, "insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CNPJ) values (1, 'MARIA SOUZA', '11222333000181')");
        run(two, "insert into TBPROTOCOLO values ('00012', '2014', 1, 1, '2014-05-02', '0', 'PEDIDO')");
        run(two, "insert into TBDOCUMENTOS values (1, '00012', '2014', 'RG', 2)");
        const char *movement = "insert into TBMOVIMENTACAO (IDMOVIMENTACAO, IDPROTOCOLO, ANO, SETOR, RESPONSAVEL, DATA, "
                               "HORA, SITUACAO, SOPERADOR, SDATAMOV) values (?, '00012', '2014', ?, ?, ?, ?, ?, 'ADM1', ?)";
        shell.execute(two, QString::fromUtf8(movement),
                      {1, 1, 1, QDate(2014, 5, 10), QTime(9, 0), QStringLiteral("0"), QDate(2014, 5, 10)});
        shell.execute(two, QString::fromUtf8(movement),
                      {2, 2, 2, QDate(2014, 5, 12), QTime(10, 30), QStringLiteral("1"), QDate(2014, 5, 12)});
        Clock::setNow(QDateTime(QDate(2014, 6, 1), QTime(10, 0)));
    }
    ~Units() { Clock::setNow(QDateTime()); }

    void run(const QString &db, const char *sql) { shell.execute(db, QString::fromUtf8(sql)); }

    ConsultationAnswer search(const QString &typed) const {
        return ConsultationStore::searchAll(Session.ServerAddress, Session.ProgramFolder, ConsultationInput::read(typed));
    }
};

QStringList keysOf(const UnitAnswer &unit) {
    QStringList keys;
    for (const ProtocolFound &p : unit.protocols)
        keys << p.number + QLatin1Char('/') + p.year;
    return keys;
}

QString cellText(QTableWidget *grid, int row, int column) {
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

class ConsultationTest : public QObject {
    Q_OBJECT

private slots:
    // What the box makes of what is typed or scanned.
    void inputForms_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");  // number/year, digits or name part

        const QString label = labelOf(QStringLiteral("00012"), QStringLiteral("2014"));
        QString misread = label;
        misread[12] = QChar('0' + (label.at(12).digitValue() + 1) % 10);
        QTest::newRow("label") << label << int(Kind::Key) << "00012/2014";
        QTest::newRow("label, wrong check digit") << misread << int(Kind::Refused) << "";
        QTest::newRow("barcode of something else") << "7891234567895" << int(Kind::Refused) << "";
        QTest::newRow("number/year") << "12/2014" << int(Kind::Key) << "00012/2014";
        QTest::newRow("padded number/year") << " 00012/2014 " << int(Kind::Key) << "00012/2014";
        QTest::newRow("CPF punctuated") << "529.982.247-25" << int(Kind::Cpf) << "52998224725";
        QTest::newRow("CPF bare") << "52998224725" << int(Kind::Cpf) << "52998224725";
        QTest::newRow("CPF wrong") << "529.982.247-26" << int(Kind::Refused) << "";
        QTest::newRow("CNPJ punctuated") << "11.222.333/0001-81" << int(Kind::Cnpj) << "11222333000181";
        QTest::newRow("CNPJ wrong") << "11.222.333/0001-82" << int(Kind::Refused) << "";
        QTest::newRow("alphanumeric CNPJ punctuated") << "12.ABC.345/01DE-35" << int(Kind::Cnpj) << "12ABC34501DE35";
        QTest::newRow("alphanumeric CNPJ bare, small letters") << "12abc34501de35" << int(Kind::Cnpj) << "12ABC34501DE35";
        QTest::newRow("alphanumeric CNPJ, blanks for dots") << "12 abc 345 01de 35" << int(Kind::Cnpj) << "12ABC34501DE35";
        QTest::newRow("alphanumeric CNPJ wrong") << "12.ABC.345/01DE-36" << int(Kind::Refused) << "";
        QTest::newRow("alphanumeric CNPJ on the way") << "12.ABC.345/01D" << int(Kind::Incomplete) << "";
        QTest::newRow("name with a number") << "construtora 3 irmãos" << int(Kind::Name) << "construtora 3 irmãos";
        QTest::newRow("name ending in a number") << "CONSTRUTORAS 35" << int(Kind::Name) << "CONSTRUTORAS 35";
        QTest::newRow("name with an apostrophe") << "d'ávila" << int(Kind::Name) << "d'ávila";
        QTest::newRow("name part") << "conceição" << int(Kind::Name) << "conceição";
        QTest::newRow("two letters") << "jo" << int(Kind::Incomplete) << "";
        QTest::newRow("digits on the way") << "5299" << int(Kind::Incomplete) << "";
        QTest::newRow("nothing") << "   " << int(Kind::Empty) << "";
        QTest::newRow("longer than any name") << QString(81, QLatin1Char('A')) << int(Kind::Refused) << "";
    }
    void inputForms() {
        QFETCH(QString, typed);
        QFETCH(int, kind);
        QFETCH(QString, value);
        const ConsultationInput in = ConsultationInput::read(typed);
        QCOMPARE(int(in.kind), kind);
        switch (in.kind) {
        case Kind::Key: QCOMPARE(in.number + '/' + in.year, value); break;
        case Kind::Cpf:
        case Kind::Cnpj: QCOMPARE(in.digits, value); break;
        case Kind::Name: QCOMPARE(in.namePart, value); break;
        case Kind::Refused:
        case Kind::Incomplete: QVERIFY(!in.message.isEmpty()); break;
        case Kind::Empty: break;
        }
    }

    // Every unit answers side by side; a unit without its database is
    // listed with the reason; where a protocol is now ignores a cancelled
    // movement, and one never moved is at the reception.
    void searchesEveryUnit() {
        Units u;
        const ConsultationAnswer answer = u.search(QStringLiteral("12/2014"));
        QVERIFY(answer.failure.isEmpty());
        QCOMPARE(answer.units.size(), 3);
        const UnitAnswer &one = answer.units.at(0);
        const UnitAnswer &two = answer.units.at(1);
        const UnitAnswer &three = answer.units.at(2);
        QCOMPARE(one.unit.code, QStringLiteral("01"));
        QCOMPARE(keysOf(one), QStringList{"00012/2014"});
        QCOMPARE(keysOf(two), QStringList{"00012/2014"});
        QVERIFY(one.failure.isEmpty() && two.failure.isEmpty());
        QCOMPARE(three.unit.code, QStringLiteral("03"));
        QVERIFY(three.protocols.isEmpty());
        QVERIFY2(!three.failure.isEmpty(), "the unit without its database says why");

        const QDate today = Clock::today();
        const ProtocolFound &never = one.protocols.first();
        QVERIFY(never.atReception());
        QCOMPARE(never.whereNow(), QStringLiteral("na recepção"));
        QCOMPARE(never.daysSinceEntry(today), 12);
        QCOMPARE(never.daysSinceMovement(today), -1);

        const ProtocolFound &moved = two.protocols.first();
        QCOMPARE(moved.whereNow(), QStringLiteral("GABINETE - JOAO"));
        QCOMPARE(moved.lastMovement, QDate(2014, 5, 10));
        QCOMPARE(moved.daysSinceMovement(today), 22);
        QCOMPARE(moved.requester, QStringLiteral("MARIA SOUZA"));

        // The path keeps the cancelled movement, newest first.
        const ProtocolDetail detail =
            ConsultationStore::detailOf(two.unit.databaseName, QStringLiteral("00012"), QStringLiteral("2014"));
        QCOMPARE(detail.path.size(), 2);
        QCOMPARE(detail.path.at(0).sector, QStringLiteral("OBRAS"));
        QVERIFY(detail.path.at(0).cancelled());
        QVERIFY(!detail.path.at(1).cancelled());
        QCOMPARE(detail.documents.size(), 1);
        QCOMPARE(detail.documents.first().name, QStringLiteral("RG"));
    }

    // A requester's protocols by CPF, CNPJ of either kind or a part of the
    // name, accents, case and punctuation ignored.
    void findsByRequester_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("unitOne");
        QTest::addColumn<QStringList>("unitTwo");
        const QStringList both{"00013/2014", "00012/2014"};
        QTest::newRow("CPF punctuated") << "529.982.247-25" << both << QStringList{};
        QTest::newRow("CNPJ") << "11222333000181" << QStringList{} << QStringList{"00012/2014"};
        QTest::newRow("name without accents") << "conceicao" << both << QStringList{};
        QTest::newRow("name with accents") << "JOSÉ" << both << QStringList{};
        QTest::newRow("nobody") << "FULANO" << QStringList{} << QStringList{};
        const QStringList company{"00014/2014"};
        QTest::newRow("alphanumeric CNPJ punctuated") << "12.ABC.345/01DE-35" << company << QStringList{};
        QTest::newRow("alphanumeric CNPJ bare, small letters") << "12abc34501de35" << company << QStringList{};
        QTest::newRow("name without its apostrophe") << "davila" << company << QStringList{};
        QTest::newRow("name with another apostrophe") << "D’ÁVILA" << company << QStringList{};
        QTest::newRow("name part across the apostrophe") << "joão d'á" << company << QStringList{};
        QTest::newRow("punctuation the name has not") << "d.a-v/i,la" << company << QStringList{};
    }
    void findsByRequester() {
        QFETCH(QString, typed);
        QFETCH(QStringList, unitOne);
        QFETCH(QStringList, unitTwo);
        Units u;
        const ConsultationAnswer answer = u.search(typed);
        QCOMPARE(keysOf(answer.units.at(0)), unitOne);
        QCOMPARE(keysOf(answer.units.at(1)), unitTwo);
    }

    // Whatever is typed or pasted into the box is searched or refused, never
    // a database error: a unit answers with nothing for a text no name holds.
    void hostileTextIsSearchedSafely() {
        Units u;
        for (const test::HostileText &h : test::hostileTexts()) {
            const ConsultationInput in = ConsultationInput::read(h.text);
            if (in.kind != Kind::Name)
                continue;
            const ConsultationAnswer answer = u.search(h.text);
            QVERIFY2(answer.failure.isEmpty(), h.name);
            for (int i = 0; i < 2; ++i) {
                QVERIFY2(answer.units.at(i).failure.isEmpty(), qPrintable(QString::fromLatin1(h.name) + QStringLiteral(": ") +
                                                                       answer.units.at(i).failure));
                QVERIFY2(answer.units.at(i).protocols.isEmpty(), h.name);
            }
        }
    }

    // A label scanned while logged into unit 01 shows the protocol of unit
    // 02 with where it is and its path, the cancelled movement in red; Enter
    // opens a protocol of the logged-in unit only.
    void screenFindsAScannedLabel() {
        Units u;
        QStringList opened;
        TCON_Protocolos::Commands commands;
        commands.openProtocol = [&](const QString &number, const QString &year, QWidget *) {
            opened << number + '/' + year;
        };
        TCON_Protocolos screen(Session, commands);
        QVERIFY(test::showActive(&screen));
        auto *box = test::named<QLineEdit>(&screen, QStringLiteral("edtConsulta"));
        auto *list = test::named<QTableWidget>(&screen, QStringLiteral("grdProtocolos"));

        QTest::keyClicks(box, labelOf(QStringLiteral("00012"), QStringLiteral("2014")));
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(list->rowCount(), 3);
        QVERIFY(!screen.searching());
        QCOMPARE(cellText(list, 0, TCON_Protocolos::Unidade), QStringLiteral("01-PREFEITURA MUNICIPAL DE EXEMPLO"));
        QCOMPARE(cellText(list, 0, TCON_Protocolos::OndeEsta), QStringLiteral("na recepção"));
        QCOMPARE(cellText(list, 1, TCON_Protocolos::Unidade), QStringLiteral("02-PREFEITURA MUNICIPAL DE DOIS"));
        QCOMPARE(cellText(list, 1, TCON_Protocolos::Protocolo), QStringLiteral("00012/2014"));
        QCOMPARE(cellText(list, 1, TCON_Protocolos::Entrada), QStringLiteral("02/05/2014"));
        QCOMPARE(cellText(list, 1, TCON_Protocolos::Status), QStringLiteral("ATIVO"));
        QCOMPARE(cellText(list, 1, TCON_Protocolos::OndeEsta), QStringLiteral("GABINETE - JOAO"));
        // Where it is now is read whole: in the column and in its hint.
        QCOMPARE(list->item(1, TCON_Protocolos::OndeEsta)->toolTip(), QStringLiteral("GABINETE - JOAO"));
        QVERIFY(list->columnWidth(TCON_Protocolos::OndeEsta) >=
                list->fontMetrics().horizontalAdvance(QStringLiteral("GABINETE - JOAO")));
        QCOMPARE(cellText(list, 1, TCON_Protocolos::DiasEntrada), QStringLiteral("30"));
        QCOMPARE(cellText(list, 1, TCON_Protocolos::DiasMovimento), QStringLiteral("22"));
        QCOMPARE(cellText(list, 2, TCON_Protocolos::Unidade), QStringLiteral("03-PREFEITURA MUNICIPAL DE TRES"));
        QVERIFY(cellText(list, 2, TCON_Protocolos::Protocolo).startsWith(QStringLiteral("Unidade não consultada: ")));

        // The line of unit 02: its document and its path.
        list->setCurrentCell(1, TCON_Protocolos::Protocolo);
        auto *path = test::named<QTableWidget>(&screen, QStringLiteral("grdCaminho"));
        QCOMPARE(path->rowCount(), 2);
        QCOMPARE(cellText(path, 0, 3), QStringLiteral("OBRAS"));
        QCOMPARE(cellText(path, 0, 5), QStringLiteral("CANCELADO"));
        QCOMPARE(test::named<QTableWidget>(&screen, QStringLiteral("grdDocumentos"))->rowCount(), 1);
        QVERIFY(test::paintedRed(path, 0, 3));
        QVERIFY(!test::paintedRed(path, 1, 3));

        // Enter on another unit's protocol says where to open it.
        u.shell.clearMessages();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(opened.isEmpty());
        QCOMPARE(u.shell.messages().size(), 1);
        QVERIFY(u.shell.messageTexts().first().contains(QStringLiteral("02-PREFEITURA MUNICIPAL DE DOIS")));
        list->setCurrentCell(0, TCON_Protocolos::Protocolo);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(opened, QStringList{"00012/2014"});
    }

    // A misread label is refused at Enter with its message, and nothing is
    // searched; a name typed is searched after the pause in the typing.
    void screenRefusesAMisreadAndSearchesAsTyped() {
        Units u;
        TCON_Protocolos screen(Session, {});
        QVERIFY(test::showActive(&screen));
        auto *box = test::named<QLineEdit>(&screen, QStringLiteral("edtConsulta"));
        auto *list = test::named<QTableWidget>(&screen, QStringLiteral("grdProtocolos"));
        QString misread = labelOf(QStringLiteral("00012"), QStringLiteral("2014"));
        misread[12] = QChar('0' + (misread.at(12).digitValue() + 1) % 10);
        QTest::keyClicks(box, misread);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(u.shell.messages().size(), 1);
        QVERIFY(u.shell.messageTexts().first().contains(QStringLiteral("dígito verificador")));
        QVERIFY(!screen.searching());
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(test::named<QLabel>(&screen, QStringLiteral("lblMensagem"))->text().contains(QStringLiteral("dígito")));

        box->clear();
        QTest::keyClicks(box, QStringLiteral("souza"));
        QTRY_COMPARE(list->rowCount(), 2);  // unit 02's protocol and unit 03's failure
        QCOMPARE(cellText(list, 0, TCON_Protocolos::Solicitante), QStringLiteral("MARIA SOUZA"));
        auto *print = test::named<QPushButton>(&screen, QStringLiteral("btnImprimir"));
        auto *path = test::named<QTableWidget>(&screen, QStringLiteral("grdCaminho"));
        QVERIFY(print->isEnabled());
        QCOMPARE(path->rowCount(), 2);

        // A refused scan, and a refused typing after its pause, clear that
        // answer: it is never read as the answer to the refused one.
        auto answerShown = [&] { return list->rowCount() > 0 || path->rowCount() > 0 || print->isEnabled(); };
        u.shell.clearMessages();
        box->selectAll();
        QTest::keyClicks(box, misread);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(u.shell.messages().size(), 1);
        QVERIFY(!answerShown());
        QCOMPARE(screen.answer().units.size(), 0);

        box->clear();
        QTest::keyClicks(box, QStringLiteral("souza"));
        QTRY_COMPARE(list->rowCount(), 2);
        QVERIFY(answerShown());
        box->clear();
        QTest::keyClicks(box, QStringLiteral("529.982.247-26"));
        QTRY_VERIFY(!answerShown());
        QVERIFY(test::named<QLabel>(&screen, QStringLiteral("lblMensagem"))->text().contains(QStringLiteral("CPF inválido")));
    }

    // The status slip: heading, the protocol, where it is now and its path.
    void slipPrintsWhereTheProtocolIs() {
        Units u;
        const ConsultationAnswer answer = u.search(QStringLiteral("12/2014"));
        QStringList texts;
        StatusSlipPrint slip(Session, [&](ReportLayout &layout, QWidget *) {
            const ReportDocument document = ReportPaginator(layout).run();
            QCOMPARE(document.pages.size(), 1);
            texts = test::allTexts(document);
        });
        const UnitAnswer &two = answer.units.at(1);
        slip.print(two.unit, two.protocols.first(), nullptr);
        for (const char *expected : {"SITUAÇÃO DO PROTOCOLO", "00012/2014", "02-PREFEITURA MUNICIPAL DE DOIS",
                                     "MARIA SOUZA", "11.222.333/0001-81", "GABINETE - JOAO", "OBRAS", "CANCELADO",
                                     "ENTREGUE", "Total de movimentações: 2"})
            QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);

        const UnitAnswer &one = answer.units.at(0);
        slip.print(one.unit, one.protocols.first(), nullptr);
        QVERIFY(texts.contains(QStringLiteral("na recepção")));
        QVERIFY(texts.contains(QStringLiteral("529.982.247-25")));
    }

    // An older unit database gets the indexes of the searches when it is
    // opened; the next opening makes none.
    void olderUnitGetsTheSearchIndexes() {
        test::ShellFixture f;
        const QString db = f.unitDatabaseName();
        f.execute(db, QStringLiteral("drop index IX_TBSOLICITANTE_CPF"));
        f.execute(db, QStringLiteral("drop index IX_TBSOLICITANTE_CNPJ"));
        Connection unit;
        unit.setDatabaseName(db);
        QCOMPARE(EnsureTemplateIndexes(unit), 2);
        QCOMPARE(EnsureTemplateIndexes(unit), 0);
        unit.close();
        QCOMPARE(f.scalar(db, QStringLiteral("select count(*) from RDB$INDICES where RDB$INDEX_NAME in "
                                             "('IX_TBSOLICITANTE_CPF', 'IX_TBSOLICITANTE_CNPJ')"))
                     .toInt(),
                 2);
    }
};

QTEST_MAIN(ConsultationTest)
#include "tst_consultation.moc"
