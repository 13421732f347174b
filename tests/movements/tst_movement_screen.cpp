#include "ExternalTools.h"
#include "PagePlaces.h"
#include "UnitFixture.h"
#include "WindowDriving.h"

#include "data/Clock.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/records/RecordSet.h"
#include "movements/MovementHistoryPrint.h"
#include "movements/TCAD_Movimentacao.h"
#include "protocols/TFRM_CancelandoProtocolo.h"
#include "registries/TCAD_Setores.h"
#include "reports/layouts/TRelatorio_Movimentacao.h"
#include "ui/MaskedDigitsEdit.h"
#include "ui/RecordGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

// The movement register as the desk uses it: choosing a protocol, recording
// its deliveries, cancelling a wrong one and printing its path.
class MovementScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<TCAD_Movimentacao> screen;
    QList<ReportDocument> printed;
    ScratchFolder programFolder;

    template <typename Widget = QPushButton>
    Widget *w(const char *name) const {
        return named<Widget>(screen.get(), QLatin1String(name));
    }
    RecordSet &protocols() { return f->registries->cdsTBProtocolo; }
    RecordSet &movements() { return f->registries->cdsTBMovimentacao; }

    void open() {
        screen.reset();
        auto print = [this](const QString &number, const QString &year, QWidget *from) {
            QCOMPARE(from, static_cast<QWidget *>(screen.get()));
            MovementHistoryPrint(*f->unit, f->session, [this](ReportLayout &layout, QWidget *) {
                QVERIFY(dynamic_cast<TRelatorio_Movimentacao *>(&layout));
                printed << layout.run();
            }).print(number, year, from);
        };
        screen = std::make_unique<TCAD_Movimentacao>(*f->registries, f->session, print);
        QVERIFY(UnitFixture::showActive(screen.get()));
    }
    bool onList() const {
        auto *tabs = w<QTabWidget>("PageControl");
        return tabs->isTabVisible(0) && !tabs->isTabVisible(1) && tabs->currentIndex() == 0;
    }
    bool onPage() const {
        auto *tabs = w<QTabWidget>("PageControl");
        return !tabs->isTabVisible(0) && tabs->isTabVisible(1) && tabs->currentIndex() == 1 && !tabs->isTabEnabled(0);
    }
    void addProtocol(const QString &number, const QString &year, const QDate &entry, const QString &status = "0") {
        f->execute(QStringLiteral("insert into TBPROTOCOLO values (?, ?, 1, 1, ?, ?, ?)"),
                   {number, year, entry, status, QStringLiteral("PEDIDO DE ALVARA PARA CONSTRUCAO")});
    }
    void addMovement(const QString &number, int id, const QDate &date, const QTime &time,
                     const QString &situation = QStringLiteral("0"), int sector = 1, int person = 1,
                     const QString &remarks = QStringLiteral("ENTREGUE EM MAOS")) {
        f->execute(QStringLiteral("insert into TBMOVIMENTACAO values (?, ?, '2014', ?, ?, ?, ?, ?, ?, '0002', ?)"),
                   {id, number, sector, person, date, time, situation, remarks, date});
    }
    QStringList listed() {
        QStringList keys;
        RecordSet &p = protocols();
        for (int row = 0; row < p.recordCount(); ++row)
            keys << p.valueAt(row, p.fieldIndex(QStringLiteral("IDPROTOCOLO"))).toString() + QLatin1Char('/') +
                        p.valueAt(row, p.fieldIndex(QStringLiteral("ANO"))).toString();
        return keys;
    }
    // The protocol chosen on the list, its page opened.
    void openPage(const QString &number, const QString &year = QStringLiteral("2014")) {
        QVERIFY(protocols().locate(QStringLiteral("IDPROTOCOLO;ANO"), {number, year}));
        w("btnMovimentar")->click();
        QVERIFY(onPage());
    }
    // Picks a sector by its code and leaves the sector's boxes, as Tab does.
    void chooseSector(const QString &code) {
        typeInto(w<QLineEdit>("edtSetor"), code);
        w<QComboBox>("cbSetor")->setFocus(Qt::TabFocusReason);
        w<QDateEdit>("dtpData")->setFocus(Qt::TabFocusReason);
    }
    void choosePerson(const QString &name) {
        auto *box = w<QComboBox>("cbResponsavel");
        const int index = box->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void typeTime(const QString &digits) {
        auto *box = w<MaskedDigitsEdit>("edtHora");
        box->setFocus(Qt::TabFocusReason);
        box->clear();
        box->home(false);
        QTest::keyClicks(box, digits);
    }
    // "Incluir", then a whole entry.
    void enterMovement(const QString &sector, const QString &person, const QString &time,
                       const QString &remarks = QStringLiteral("PARA PARECER")) {
        w("btnIncluir")->click();
        chooseSector(sector);
        if (!person.isEmpty())
            choosePerson(person);
        typeTime(time);
        auto *box = w<QPlainTextEdit>("mmObservacao");
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, remarks);
    }
    QRect onTab(QWidget *widget) const {
        return QRect(widget->mapTo(w<QWidget>("tabManutencao"), QPoint(0, 0)), widget->size());
    }
    QVariant movementColumn(const QString &column, int id, const QString &number = QStringLiteral("00001")) {
        return f->scalar(QStringLiteral("select %1 from TBMOVIMENTACAO where IDMOVIMENTACAO = ? and IDPROTOCOLO = ?")
                             .arg(column),
                         {id, number});
    }
    // Answers the cancellation dialog with a reason, or abandons it.
    void whenReasonAsked(const QString &reason) {
        QTimer::singleShot(0, this, [reason] {
            auto *dialog = qobject_cast<TFRM_CancelandoProtocolo *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (reason.isEmpty()) {
                named<QPushButton>(dialog, QStringLiteral("btnCancelar"))->click();
                return;
            }
            named<QPlainTextEdit>(dialog, QStringLiteral("mmMotivo"))->setPlainText(reason);
            named<QPushButton>(dialog, QStringLiteral("btnOK"))->click();
        });
    }

private slots:
    void init() {
        Clock::setNow(QDateTime(QDate(2014, 6, 3), QTime(10, 0)));
        f = std::make_unique<UnitFixture>();
        f->session.OperatorCode = QStringLiteral("0007");
        f->session.ProgramFolder = programFolder.path();
        f->session.StateText = QStringLiteral("ESTADO DO PIAUÍ");
        f->session.RightsNotice = QStringLiteral("Todos os direitos reservados");
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA DE SOUSA')"));
        f->execute(QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
        f->execute(QStringLiteral("insert into TBSETOR values (1, 'GABINETE')"));
        f->execute(QStringLiteral("insert into TBSETOR values (2, 'OBRAS')"));
        f->execute(QStringLiteral("insert into TBSETOR values (3, 'ARQUIVO')"));
        f->execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (1, 'JOAO', 1)"));
        f->execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (2, 'MARIA', 1)"));
        f->execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (3, 'PEDRO', 2)"));
        addProtocol("00001", "2014", QDate(2014, 5, 20));
        printed.clear();
    }
    void cleanup() {
        screen.reset();
        f.reset();
        Clock::setNow({});
    }

    // The period starts on the current month, leap years included.
    void defaultPeriod_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("February of a leap year") << QDate(2016, 2, 10) << QDate(2016, 2, 1) << QDate(2016, 2, 29);
        QTest::newRow("February") << QDate(2015, 2, 10) << QDate(2015, 2, 1) << QDate(2015, 2, 28);
        QTest::newRow("April") << QDate(2014, 4, 30) << QDate(2014, 4, 1) << QDate(2014, 4, 30);
    }
    void defaultPeriod() {
        QFETCH(QDate, today);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        Clock::setNow(QDateTime(today, QTime(9, 0)));
        open();
        QVERIFY(onList());
        QCOMPARE(w<QDateEdit>("dtpDe")->date(), from);
        QCOMPARE(w<QDateEdit>("dtpAte")->date(), to);
        QCOMPARE(w<QLineEdit>("edtConsultaAno")->text(), QString::number(today.year()));
    }

    // Active protocols only, highest number of the latest year first; the
    // period includes its last day; "Exibir Todos" brings back the whole list.
    void theProtocolList() {
        addProtocol("00002", "2014", QDate(2014, 5, 31));
        addProtocol("00003", "2014", QDate(2014, 6, 1));
        addProtocol("00004", "2014", QDate(2014, 5, 2), "1");
        addProtocol("00005", "2014", QDate(2014, 5, 2), "2");
        addProtocol("00001", "2013", QDate(2013, 12, 30));
        open();
        QCOMPARE(listed(), (QStringList{"00003/2014", "00002/2014", "00001/2014", "00001/2013"}));
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), "4");

        w<QDateEdit>("dtpDe")->setDate(QDate(2014, 5, 1));
        w<QDateEdit>("dtpAte")->setDate(QDate(2014, 5, 31));
        w("btnFiltrar")->click();
        QCOMPARE(listed(), (QStringList{"00002/2014", "00001/2014"}));
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), "2");

        typeInto(w<QLineEdit>("edtConsultaNumero"), "7");
        w<QLineEdit>("edtConsultaAno")->setText("2010");
        w("btnExibirTodos")->click();
        QCOMPARE(listed().size(), 4);
        QCOMPARE(w<QLineEdit>("edtConsultaNumero")->text(), QString());
        QCOMPARE(w<QLineEdit>("edtConsultaAno")->text(), "2014");
        QCOMPARE(w<QDateEdit>("dtpDe")->date(), QDate(2014, 6, 1));
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), "4");
    }

    // The number box pads on leaving; the search looks only at the rows loaded.
    void findingAProtocol_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("padded");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("current");
        QTest::newRow("12 of 2014") << "12" << "2014" << "00012" << QString() << "00012/2014";
        QTest::newRow("12 of 2013, not loaded") << "12" << "2013" << "00012" << "Protocolo NÃO localizado!"
                                                 << "00001/2014";
        QTest::newRow("empty") << QString() << "2014" << "00000" << "Protocolo NÃO localizado!" << "00001/2014";
        QTest::newRow("a year of three digits") << "1" << "201" << "00001" << "Código/Ano inválido!" << "00001/2014";
        QTest::newRow("cancelled protocols are not listed") << "4" << "2014" << "00004" << "Protocolo NÃO localizado!"
                                                            << "00001/2014";
    }
    void findingAProtocol() {
        QFETCH(QString, typed);
        QFETCH(QString, year);
        QFETCH(QString, padded);
        QFETCH(QString, message);
        QFETCH(QString, current);
        addProtocol("00012", "2014", QDate(2014, 5, 2));
        addProtocol("00012", "2013", QDate(2013, 5, 2));
        addProtocol("00004", "2014", QDate(2014, 5, 2), "1");
        open();
        // May 2014 only: 00012/2013 is not loaded.
        w<QDateEdit>("dtpDe")->setDate(QDate(2014, 5, 1));
        w<QDateEdit>("dtpAte")->setDate(QDate(2014, 5, 31));
        w("btnFiltrar")->click();
        protocols().locate(QStringLiteral("IDPROTOCOLO;ANO"), {"00001", "2014"});
        auto *number = w<QLineEdit>("edtConsultaNumero");
        number->setFocus(Qt::TabFocusReason);
        typeInto(number, typed);
        w<QLineEdit>("edtConsultaAno")->setFocus(Qt::TabFocusReason);
        QCOMPARE(number->text(), padded);
        w<QLineEdit>("edtConsultaAno")->setText(year);
        f->clearMessages();
        w("btnLocalizar")->click();
        QCOMPARE(f->messageTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(protocols().field("IDPROTOCOLO").asString() + "/" + protocols().field("ANO").asString(), current);
    }

    // The page of a protocol, a delivery recorded from end to end, and the
    // layouts of the tab as the entry opens and closes.
    void recordingADelivery() {
        addMovement("00001", 1, QDate(2014, 5, 21), QTime(9, 0));
        open();
        openPage("00001");
        QCOMPARE(w<QLineEdit>("edtNumero")->text(), "00001");
        QCOMPARE(w<QLineEdit>("edtAno")->text(), "2014");
        QCOMPARE(w<QLineEdit>("edtDataEntrada")->text(), "20/05/2014");
        QCOMPARE(w<QLineEdit>("edtSolicitante")->text(), "ANA DE SOUSA");
        QCOMPARE(w<QLineEdit>("edtAssunto")->text(), "ALVARA");
        QCOMPARE(w<QLineEdit>("edtTotalMovimentacoes")->text(), "1");
        QVERIFY(!w<QGroupBox>("grpManutencao")->isVisible());
        QCOMPARE(onTab(w<QGroupBox>("grpHistorico")), QRect(onTab(w<QGroupBox>("grpHistorico")).x(), 187,
                                                             w<QGroupBox>("grpHistorico")->width(), 310));
        QVERIFY(w("btnIncluir")->hasFocus());
        QVERIFY(!w("btnGravarRodape")->isVisible());

        w("btnIncluir")->click();
        QVERIFY(w<QGroupBox>("grpManutencao")->isVisible());
        QCOMPARE(onTab(w<QGroupBox>("grpManutencao")).top(), 187);
        QCOMPARE(w<QGroupBox>("grpManutencao")->height(), 218);
        QCOMPARE(onTab(w<QGroupBox>("grpHistorico")).top(), 411);
        QCOMPARE(w<QGroupBox>("grpHistorico")->height(), 86);
        for (const char *name : {"btnIncluir", "btnCancelar"})
            QVERIFY(!w(name)->isEnabled());
        QVERIFY(!w<RecordGrid>("DBGrid2")->isEnabled());
        QCOMPARE(w<QComboBox>("cbSituacao")->currentText(), "ENTREGUE");
        QCOMPARE(w<QDateEdit>("dtpData")->date(), QDate(2014, 6, 3));
        QVERIFY(!w<QComboBox>("cbResponsavel")->isEnabled());
        QVERIFY(w<QLineEdit>("edtSetor")->hasFocus());

        chooseSector("2");
        QCOMPARE(w<QComboBox>("cbSetor")->currentText(), "OBRAS");
        QVERIFY(w<QComboBox>("cbResponsavel")->isEnabled());
        QCOMPARE(w<QComboBox>("cbResponsavel")->count(), 1);  // OBRAS has PEDRO alone
        choosePerson("PEDRO");
        typeTime("1430");
        auto *remarks = w<QPlainTextEdit>("mmObservacao");
        remarks->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(remarks, "PARA PARECER");
        QTest::keyClick(remarks, Qt::Key_Return);  // moves on, no new line
        QCOMPARE(remarks->toPlainText(), "PARA PARECER");
        QVERIFY(!remarks->hasFocus());

        f->answer({Answer::Yes});
        f->clearMessages();
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{"Confirma a Gravação?"});
        QCOMPARE(movementColumn("SETOR", 2).toInt(), 2);
        QCOMPARE(movementColumn("RESPONSAVEL", 2).toInt(), 3);
        QCOMPARE(movementColumn("HORA", 2).toTime(), QTime(14, 30));
        QCOMPARE(movementColumn("DATA", 2).toDate(), QDate(2014, 6, 3));
        QCOMPARE(movementColumn("SITUACAO", 2).toString(), "0");
        QCOMPARE(movementColumn("OBSERVACAO", 2).toString(), "PARA PARECER");
        QCOMPARE(movementColumn("SOPERADOR", 2).toString(), "0007");
        QCOMPARE(w<QLineEdit>("edtTotalMovimentacoes")->text(), "2");
        QVERIFY(!w<QGroupBox>("grpManutencao")->isVisible());
        QCOMPARE(w<QGroupBox>("grpHistorico")->height(), 310);
        QVERIFY(w<RecordGrid>("DBGrid2")->isEnabled());
        QCOMPARE(f->registries->cdsTBResponsavelPorSetor.recordCount(), 3);  // every person again
        // The new delivery heads the history, with its names.
        QCOMPARE(movements().field("IDMOVIMENTACAO").asInteger(), 2);
        QCOMPARE(movements().field("SETORNOME").asString(), "OBRAS");
        QCOMPARE(movements().field("RESPNOME").asString(), "PEDRO");
        QCOMPARE(movements().recNo(), 1);

        w("btnSairManutencao")->click();
        QVERIFY(onList());
        QVERIFY(!movements().isActive());
    }

    // An incomplete entry is refused at the check and stays as typed.
    void incompleteEntries_data() {
        QTest::addColumn<QString>("sector");
        QTest::addColumn<QString>("person");
        QTest::addColumn<QString>("time");
        QTest::newRow("a sector without persons") << "3" << QString() << "1000";
        QTest::newRow("no person chosen") << "1" << QString() << "1000";
        QTest::newRow("no sector") << QString() << QString() << "1000";
        QTest::newRow("no time") << "1" << "MARIA" << QString();
        QTest::newRow("half a time") << "1" << "MARIA" << "1";
        QTest::newRow("hours without minutes") << "1" << "MARIA" << "10";
        QTest::newRow("25:70") << "1" << "MARIA" << "2570";
        QTest::newRow("24:00") << "1" << "MARIA" << "2400";
    }
    void incompleteEntries() {
        QFETCH(QString, sector);
        QFETCH(QString, person);
        QFETCH(QString, time);
        open();
        openPage("00001");
        enterMovement(sector, person, time, "INCOMPLETO");
        if (sector == "3")
            QVERIFY(!w<QComboBox>("cbResponsavel")->isEnabled());
        f->answer({Answer::Yes});
        f->clearMessages();
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{"Informações Inválidas para Gravação!"});
        QCOMPARE(f->scalar("select count(*) from TBMOVIMENTACAO").toInt(), 0);
        QVERIFY(w<QGroupBox>("grpManutencao")->isVisible());
        QCOMPARE(w<QPlainTextEdit>("mmObservacao")->toPlainText(), "INCOMPLETO");
        QVERIFY(movements().isEditing());
    }

    // No keeps the entry; a date of another year is told but may be saved;
    // a write the database refuses keeps the entry with what was typed.
    void answersAndRefusals() {
        open();
        openPage("00001");
        enterMovement("1", "JOAO", "0905", "RECUSE");
        f->clearMessages();
        f->answer({Answer::No});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{"Confirma a Gravação?"});
        QVERIFY(w<QGroupBox>("grpManutencao")->isVisible());
        QCOMPARE(w<QComboBox>("cbSetor")->currentText(), "GABINETE");
        QCOMPARE(w<QComboBox>("cbResponsavel")->currentText(), "JOAO");

        f->clearMessages();
        auto *date = w<QDateEdit>("dtpData");
        date->setFocus(Qt::TabFocusReason);
        date->setDate(QDate(2015, 1, 2));
        QCOMPARE(f->messageTexts(), QStringList{"Data inválida!\n\nInforme uma data no ano de 2014"});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Error);
        QCOMPARE(date->date(), QDate(2015, 1, 2));

        f->execute(QStringLiteral("create exception RECUSADA 'recusada'"));
        f->execute(QStringLiteral("create trigger TR_RECUSA for TBMOVIMENTACAO before insert as begin "
                                  "if (new.OBSERVACAO = 'RECUSE') then exception RECUSADA; end"));
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), (QStringList{"Confirma a Gravação?", "Não foi possível gravar esta movimentação!"}));
        QVERIFY(w<QGroupBox>("grpManutencao")->isVisible());
        QCOMPARE(w<QComboBox>("cbResponsavel")->currentText(), "JOAO");
        QCOMPARE(w<QPlainTextEdit>("mmObservacao")->toPlainText(), "RECUSE");

        typeTime("0905");
        auto *remarks = w<QPlainTextEdit>("mmObservacao");
        remarks->setFocus(Qt::TabFocusReason);
        remarks->selectAll();
        QTest::keyClicks(remarks, "ACEITE");
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(movementColumn("DATA", 1).toDate(), QDate(2015, 1, 2));
        QCOMPARE(movementColumn("HORA", 1).toTime(), QTime(9, 5));
        QCOMPARE(movementColumn("OBSERVACAO", 1).toString(), "ACEITE");
    }

    // Remarks take any text; a long paste is cut at the column's size.
    void remarksAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("quotes and wildcards") << "D'AVILA \"X\" 100% _A_ \\ --;" << "D'AVILA \"X\" 100% _A_ \\ --;";
        QTest::newRow("other scripts") << "申請書 🏠 Заявление ação" << "申請書 🏠 Заявление ação";
        QTest::newRow("a paste of 10,000 characters") << QString(10000, 'A') << QString(500, 'A');
    }
    void remarksAsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        open();
        openPage("00001");
        enterMovement("1", "MARIA", "0800", QString());
        auto *remarks = w<QPlainTextEdit>("mmObservacao");
        remarks->setFocus(Qt::TabFocusReason);
        remarks->insertPlainText(typed);
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{"Confirma a Gravação?"});
        QCOMPARE(movementColumn("OBSERVACAO", 1).toString(), stored);
    }

    // A sector registered on the way goes into the movement; none when the
    // registry closes without saving. A person registered without a sector
    // chosen lists nobody.
    void registeringOnTheWay() {
        open();
        openPage("00001");
        w("btnIncluir")->click();
        chooseSector("1");
        QTimer::singleShot(0, this, [] {
            auto *registry = QApplication::activeModalWidget();
            QVERIFY(registry);
            QCOMPARE(registry->windowTitle(), QStringLiteral("Cadastro de Setores"));
            named<QPushButton>(registry, QStringLiteral("btnIncluir"))->click();
            typeInto(named<QLineEdit>(registry, QStringLiteral("edtNome")), QStringLiteral("PROTOCOLO GERAL"));
            named<QPushButton>(registry, QStringLiteral("btnGravar"))->click();
            named<QPushButton>(registry, QStringLiteral("btnSair"))->click();
        });
        f->answer({Answer::Yes});
        w<QToolButton>("btnIncluirSetor")->click();
        QCOMPARE(w<QComboBox>("cbSetor")->currentText(), "PROTOCOLO GERAL");
        QCOMPARE(w<QLineEdit>("edtSetor")->text(), "004");
        QVERIFY(movements().isEditing());

        QTimer::singleShot(0, this, [] {
            named<QPushButton>(QApplication::activeModalWidget(), QStringLiteral("btnSair"))->click();
        });
        w<QToolButton>("btnIncluirSetor")->click();
        QCOMPARE(w<QComboBox>("cbSetor")->currentText(), "PROTOCOLO GERAL");

        w("btnCancelarEntrada")->click();
        QCOMPARE(f->registries->cdsTBResponsavelPorSetor.recordCount(), 3);
        w("btnIncluir")->click();
        QTimer::singleShot(0, this, [] {
            named<QPushButton>(QApplication::activeModalWidget(), QStringLiteral("btnSair"))->click();
        });
        w<QToolButton>("btnIncluirResponsavel")->click();
        QCOMPARE(f->registries->cdsTBResponsavelPorSetor.recordCount(), 0);
        QVERIFY(!w<QComboBox>("cbResponsavel")->isEnabled());
    }

    // A sector registered on the way while another was chosen: the persons
    // listed are the new sector's, and a person of the other is not saved
    // as its receiver.
    void personsFollowTheSectorRegisteredOnTheWay() {
        open();
        openPage("00001");
        w("btnIncluir")->click();
        chooseSector("1");
        choosePerson("JOAO");
        typeTime("0930");
        QTimer::singleShot(0, this, [] {
            auto *registry = QApplication::activeModalWidget();
            QVERIFY(registry);
            named<QPushButton>(registry, QStringLiteral("btnIncluir"))->click();
            typeInto(named<QLineEdit>(registry, QStringLiteral("edtNome")), QStringLiteral("PROTOCOLO GERAL"));
            named<QPushButton>(registry, QStringLiteral("btnGravar"))->click();
            named<QPushButton>(registry, QStringLiteral("btnSair"))->click();
        });
        f->answer({Answer::Yes});
        w<QToolButton>("btnIncluirSetor")->click();
        QCOMPARE(w<QComboBox>("cbSetor")->currentText(), "PROTOCOLO GERAL");
        QCOMPARE(f->registries->cdsTBResponsavelPorSetor.recordCount(), 0);
        QVERIFY(!w<QComboBox>("cbResponsavel")->isEnabled());

        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{"Informações Inválidas para Gravação!"});
        QCOMPARE(f->scalar("select count(*) from TBMOVIMENTACAO").toInt(), 0);
    }

    // Enter fills the entry box after box and passes the small "Incluir"
    // buttons by; reached with Tab, Space presses one and Enter moves on.
    void enterPassesTheRegistryButtons() {
        open();
        openPage("00001");
        int registries = 0;
        QTimer closer;
        closer.setInterval(10);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *registry = qobject_cast<TCAD_Setores *>(QApplication::activeModalWidget())) {
                ++registries;
                named<QPushButton>(registry, QStringLiteral("btnSair"))->click();
            }
        });
        closer.start();

        w("btnIncluir")->click();
        QTest::keyClicks(w<QLineEdit>("edtSetor"), "2");
        // (Enter in the date steps through its day, month and year first.)
        const QList<QStringList> paths = {{"edtSetor", "cbSetor", "dtpData"},
                                          {"edtHora", "cbResponsavel", "mmObservacao"}};
        for (const QStringList &path : paths) {
            w<QWidget>(qPrintable(path.first()))->setFocus(Qt::TabFocusReason);
            for (const QString &next : path.mid(1)) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget()->objectName(), next);
            }
        }
        QCOMPARE(registries, 0);

        for (const char *button : {"btnIncluirSetor", "btnIncluirResponsavel"}) {
            w<QToolButton>(button)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(w<QToolButton>(button), Qt::Key_Return);
            QCOMPARE(registries, 0);
            QVERIFY(!w<QToolButton>(button)->hasFocus());
            w<QToolButton>(button)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(w<QToolButton>(button), Qt::Key_Space);
            QTRY_COMPARE(registries, 1);
            registries = 0;
        }
    }

    // A wrong delivery is cancelled with its reason, painted red, and cannot
    // be cancelled twice; an abandoned reason cancels nothing.
    void cancellingADelivery() {
        addMovement("00001", 1, QDate(2014, 5, 21), QTime(9, 0));
        addMovement("00001", 2, QDate(2014, 5, 22), QTime(9, 0), "0", 2, 3, "SEM PARECER");
        open();
        openPage("00001");
        QCOMPARE(w<QLabel>("lblLegenda")->text(), "As movimentações marcadas em vermelho estão canceladas");
        movements().locate("IDMOVIMENTACAO", 2);

        f->answer({Answer::Yes});
        whenReasonAsked(QString());
        f->clearMessages();
        w("btnCancelar")->click();
        QCOMPARE(f->messageTexts(), QStringList{"Deseja CANCELAR a movimentação do dia 22/05/2014?"});
        QCOMPARE(movementColumn("SITUACAO", 2).toString(), "0");

        f->answer({Answer::Yes});
        whenReasonAsked("ENTREGUE NO SETOR ERRADO");
        f->clearMessages();
        w("btnCancelar")->click();
        QCOMPARE(f->messageTexts(), (QStringList{"Deseja CANCELAR a movimentação do dia 22/05/2014?",
                                                 "Movimentação do dia 22/05/2014 cancelada com sucesso!"}));
        QCOMPARE(movementColumn("SITUACAO", 2).toString(), "1");
        QCOMPARE(movementColumn("OBSERVACAO", 2).toString(),
                 QStringLiteral("SEM PARECER / ***** M O V I M E N T A Ç Ã O  C A N C E L A D A ***** / MOTIVO: "
                                "ENTREGUE NO SETOR ERRADO / DATA DO CANCELAMENTO: 03/06/2014"));
        QCOMPARE(movements().field("IDMOVIMENTACAO").asInteger(), 2);
        QCOMPARE(w<QLineEdit>("edtTotalMovimentacoes")->text(), "2");

        // The cancelled row is red, the current cell too; the other is not.
        auto *grid = w<RecordGrid>("DBGrid2");
        QVERIFY(test::paintedRed(grid, 0, 1));
        QVERIFY(!test::paintedRed(grid, 1, 1));

        f->clearMessages();
        w("btnCancelar")->click();
        QCOMPARE(f->messageTexts(), QStringList{"A movimentação do dia 22/05/2014 já foi cancelada!"});

        w("btnSairManutencao")->click();
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), "1");
    }

    // A cancellation written whose history then cannot be read again is
    // told as it happened; the next reading shows it.
    void aCancellationWhoseHistoryIsNotReadAgain() {
        addMovement("00001", 1, QDate(2014, 5, 21), QTime(9, 0));
        // Once a movement has been changed, reading the movements fails.
        f->execute(QStringLiteral("create table LEITURA_FALHA (N integer)"));
        f->execute(QStringLiteral("alter table TBMOVIMENTACAO add LEITURA computed by "
                                  "(case when exists (select 1 from LEITURA_FALHA) then 1 / 0 else 0 end)"));
        f->execute(QStringLiteral("create trigger TR_LEITURA for TBMOVIMENTACAO after update as "
                                  "begin insert into LEITURA_FALHA values (1); end"));
        open();
        openPage("00001");
        f->answer({Answer::Yes});
        whenReasonAsked("ENGANO");
        f->clearMessages();
        w("btnCancelar")->click();
        QCOMPARE(movementColumn("SITUACAO", 1).toString(), "1");
        const MessageService::Message told = f->messages().last();
        QCOMPARE(told.text, QStringLiteral("Movimentação do dia 21/05/2014 cancelada com sucesso!\n\nO histórico de "
                                           "movimentações não pôde ser lido novamente; o cancelamento aparece na "
                                           "próxima leitura."));
        QCOMPARE(told.icon, MessageService::Icon::Warning);
        QVERIFY(!told.details.isEmpty());

        f->execute(QStringLiteral("delete from LEITURA_FALHA"));
        w("btnSairManutencao")->click();
        openPage("00001");
        QCOMPARE(movements().field("SITUACAO").asString(), "1");
        QVERIFY(test::paintedRed(w<RecordGrid>("DBGrid2"), 0, 1));
    }

    // The printed history: both movements newest first, the cancelled one
    // marked, the total counting both, every item in its place.
    void thePrintedHistory() {
        open();
        openPage("00001");
        f->clearMessages();
        w("btnImprimir")->click();
        // A movement being entered is not yet a movement.
        w("btnIncluir")->click();
        w("btnImprimir")->click();
        QCOMPARE(f->messageTexts(), QStringList(2, "Protocolo sem movimentação!"));
        QVERIFY(printed.isEmpty());
        w("btnSairManutencao")->click();

        const QString trailer = QStringLiteral(
            "ENTREGUE EM MAOS / ***** M O V I M E N T A Ç Ã O  C A N C E L A D A ***** / MOTIVO: ERRO DE SETOR, "
            "O PROCESSO DEVERIA TER IDO PARA O GABINETE DO PREFEITO / DATA DO CANCELAMENTO: 03/06/2014");
        addMovement("00001", 1, QDate(2014, 5, 21), QTime(9, 5), "1", 2, 3, trailer);
        addMovement("00001", 2, QDate(2014, 5, 22), QTime(14, 30), "0", 1, 2);
        openPage("00001");
        w("btnIncluir")->click();
        w("btnImprimir")->click();
        QCOMPARE(printed.size(), 1);
        QCOMPARE(f->session.MovementReportTitle, QStringLiteral("RELAÇÃO DE MOVIMENTAÇÃO"));
        QVERIFY(!UDMRelatorio);
        const ReportDocument &doc = printed.first();
        QCOMPARE(doc.pages.size(), size_t(1));
        const ReportPage &page = doc.pages[0];
        const QStringList texts = page.texts();
        QVERIFY(texts.indexOf("GABINETE") < texts.indexOf("OBRAS"));  // newest first
        QVERIFY(texts.contains("ENTREGUE") && texts.contains("CANCELADO"));
        QVERIFY(texts.contains("Total de movimentações: 2"));

        const double header = 10;
        const double columns = header + 60.1;
        const double detail = columns + 11.4;
        checkPlaces(page, {{"ESTADO DO PIAUÍ", 10 + 20.4, header + 2.6},
                           {"RELAÇÃO DE MOVIMENTAÇÃO", 10 + 20.4, header + 14.8},
                           {"Página : 1", 10 + 188.4, header + 13.8, Right},
                           {"Data : 03/06/2014", 10 + 188.4, header + 4.5, Right},
                           {"Dados do Protocolo", 10 + 1.3, header + 22.5},
                           {"Número:", 10 + 1.3, header + 29.6},
                           {"00001", 10 + 14.8, header + 29.6},
                           {"Status:", 10 + 40.7, header + 29.6},
                           {"ATIVO", 10 + 51.9, header + 29.6},
                           {"20/05/2014", 10 + 93.7, header + 29.6},
                           {"ANA DE SOUSA", 10 + 18.3, header + 35.2},
                           {"ALVARA", 10 + 16.4, header + 40.7},
                           {"PEDIDO DE ALVARA PARA CONSTRUCAO", 10 + 1.3, header + 51.9},
                           {"Histórico de Movimentação", 10 + 1.3, columns + 0.5},
                           {"Cód", 10 + 1.3, columns + 5.8},
                           {"Setor", 10 + (11.4 + 82.3) / 2, columns + 5.8, Centre},
                           {"Situação", 10 + (172.8 + 188.4) / 2, columns + 5.8, Centre},
                           {"002", 10 + 1.9, detail + 1.6},
                           {"GABINETE", 10 + 9.5, detail + 1.6},
                           {"22/05/2014", 10 + (84.7 + 96.9) / 2, detail + 1.6, Centre},
                           {"14:30", 10 + (98.4 + 110.8) / 2, detail + 1.6, Centre},
                           {"MARIA", 10 + 112.2, detail + 1.6},
                           {"ENTREGUE", 10 + (172.8 + 188.4) / 2, detail + 1.6, Centre},
                           {"Observações:", 10 + (1.9 + 16.5) / 2, detail + 5.3, Centre},
                           {"ENTREGUE EM MAOS", 10 + 17.2, detail + 5.3}});
        // The summary follows the second entry, which the trailer made taller.
        const TextItem *total = page.findText(QStringLiteral("Total de movimentações: 2"));
        QVERIFY(total);
        QVERIFY(qAbs(total->frame.right() - (10 + 188.3)) < 0.1);
        QVERIFY(total->frame.top() > detail + 2 * 9.8 + 1.6);

        const QString text = pdfText(pdfOf(doc, programFolder, "historico.pdf"));
        for (const char *expected : {"RELAÇÃO DE MOVIMENTAÇÃO", "Total de movimentações: 2", "CANCELADO", "09:05",
                                     "DATA DO CANCELAMENTO: 03/06/2014"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }

    // A history over two pages repeats the heading and the column captions;
    // the total counts the movements of both pages.
    void aHistoryOverTwoPages() {
        for (int id = 1; id <= 30; ++id)
            addMovement("00001", id, QDate(2014, 5, 1).addDays(id), QTime(9, 0), "0", 1, 1,
                        QStringLiteral("OBSERVACAO %1").arg(id));
        open();
        openPage("00001");
        w("btnImprimir")->click();
        QCOMPARE(printed.size(), 1);
        const ReportDocument &doc = printed.first();
        QCOMPARE(doc.pages.size(), size_t(2));
        for (const ReportPage &page : doc.pages) {
            const QStringList texts = page.texts();
            for (const char *expected : {"RELAÇÃO DE MOVIMENTAÇÃO", "Dados do Protocolo", "PEDIDO DE ALVARA PARA CONSTRUCAO",
                                         "Histórico de Movimentação", "Responsável", "Todos os direitos reservados"})
                QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
        }
        QVERIFY(doc.pages[1].texts().contains("Página : 2"));
        QVERIFY(doc.pages[1].texts().contains("Total de movimentações: 30"));
        QCOMPARE(allTexts(doc).filter("OBSERVACAO ").size(), 30);
    }
};

QTEST_MAIN(MovementScreenTest)
#include "tst_movement_screen.moc"
