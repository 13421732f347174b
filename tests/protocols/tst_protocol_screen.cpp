#include "UnitFixture.h"
#include "Workstation.h"
#include "WindowDriving.h"
#include "data/Clock.h"
#include "data/Failure.h"
#include "data/firebird/Connection.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/UnitNumbering.h"
#include "data/records/NumberedSave.h"
#include "data/records/RecordSet.h"
#include "data/records/WriteTransaction.h"
#include "protocols/TCAD_Protocolo.h"
#include "protocols/TFRM_CancelandoProtocolo.h"
#include "ui/FaultMark.h"
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

// The protocol register as the desk uses it: entering and numbering a
// protocol, its documents, the list's filters and search, and cancelling.
class ProtocolScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<TCAD_Protocolo> screen;
    QStringList printed;  // the printing commands run, in order
    int failingReceipts = 0;  // receipts at a save that fail before one is shown

    template <typename Widget = QPushButton>
    Widget *w(const char *name) const {
        return named<Widget>(screen.get(), QLatin1String(name));
    }
    RecordSet &protocols() { return f->registries->cdsTBProtocolo; }
    RecordSet &documents() { return f->registries->cdsTBDocumentos; }

    void open() {
        screen.reset();
        ProtocolPrinting printing;
        auto record = [this](const char *what) {
            return [this, what](QWidget *from) {
                QCOMPARE(from, static_cast<QWidget *>(screen.get()));
                printed << QLatin1String(what) + QLatin1Char(' ') +
                               protocols().field(QStringLiteral("IDPROTOCOLO")).asString() + QLatin1Char('/') +
                               protocols().field(QStringLiteral("ANO")).asString();
            };
        };
        printing.deliveryReceipt = record("comprovante");
        printing.savedReceipt = [this, shown = record("recibo")](QWidget *from) {
            if (failingReceipts > 0) {
                --failingReceipts;
                throw Failure(QStringLiteral("A impressora recusou o comprovante."));
            }
            shown(from);
        };
        printing.protocolLabel = record("etiqueta");
        printing.documentLabels = record("etiquetas");
        screen = std::make_unique<TCAD_Protocolo>(*f->registries, f->session, printing);
        QVERIFY(UnitFixture::showActive(screen.get()));
    }
    bool onList() const {
        auto *tabs = w<QTabWidget>("PageControl");
        return tabs->isTabVisible(0) && !tabs->isTabVisible(1) && tabs->currentIndex() == 0;
    }
    bool onMaintenance() const {
        auto *tabs = w<QTabWidget>("PageControl");
        return !tabs->isTabVisible(0) && tabs->isTabVisible(1) && tabs->currentIndex() == 1 && !tabs->isTabEnabled(0);
    }

    void addRequester(int code, const QString &name) {
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (?, ?)"), {code, name});
    }
    void addSubject(int code, const QString &description, const QStringList &required = {}) {
        f->execute(QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (?, ?)"), {code, description});
        for (int i = 0; i < required.size(); ++i)
            f->execute(QStringLiteral("insert into TBASSUNTO_DOCUMENTOS (IDASSUNTO_DOCUMENTO, IDASSUNTO, NOMEDOCUMENTO) "
                                      "values (?, ?, ?)"),
                       {i + 1, code, required.at(i)});
    }
    void addProtocol(const QString &number, const QString &year, const QDate &entry, const QString &status = "0",
                     const QString &description = QStringLiteral("PEDIDO")) {
        f->execute(QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, DATADEENTRADA, "
                                  "STATUS, DESCRICAO) values (?, ?, 1, 1, ?, ?, ?)"),
                   {number, year, entry, status, description});
    }
    void addDocument(const QString &number, const QString &year, int code, const QString &name, const QVariant &pages) {
        f->execute(QStringLiteral("insert into TBDOCUMENTOS (IDDOCUMENTO, IDPROTOCOLO, ANO, NOMEDOCUMENTO, PAGINA) "
                                  "values (?, ?, ?, ?, ?)"),
                   {code, number, year, name, pages});
    }
    QVariant column(const QString &name, const QString &number, const QString &year) {
        return f->scalar(QStringLiteral("select %1 from TBPROTOCOLO where IDPROTOCOLO = ? and ANO = ?").arg(name),
                         {number, year});
    }
    int protocolCount() { return f->scalar(QStringLiteral("select count(*) from TBPROTOCOLO")).toInt(); }
    // The documents listed on the tab, in their order.
    QStringList documentNames() {
        QStringList names;
        RecordSet &d = documents();
        for (int row = 0; row < d.recordCount(); ++row)
            names << d.valueAt(row, d.fieldIndex(QStringLiteral("NOMEDOCUMENTO"))).toString();
        return names;
    }
    QStringList listed() {
        QStringList keys;
        RecordSet &p = protocols();
        for (int row = 0; row < p.recordCount(); ++row)
            keys << p.valueAt(row, p.fieldIndex(QStringLiteral("IDPROTOCOLO"))).toString() + QLatin1Char('/') +
                        p.valueAt(row, p.fieldIndex(QStringLiteral("ANO"))).toString();
        return keys;
    }
    // "Novo", then the requester and subject by code and the description.
    void enterNew(const QString &requester, const QString &subject, const QString &description) {
        w("btnNovo")->click();
        typeInto(w<QLineEdit>("edtSolicitante"), requester);
        typeInto(w<QLineEdit>("edtAssunto"), subject);
        w<QPlainTextEdit>("mmDescricao")->setFocus();
        w<QPlainTextEdit>("mmDescricao")->selectAll();
        QTest::keyClicks(w<QPlainTextEdit>("mmDescricao"), description);
    }
    // Types at the end of the description, as the clerk adds to it.
    void appendToDescription(const QString &text) {
        w<QPlainTextEdit>("mmDescricao")->setFocus();
        w<QPlainTextEdit>("mmDescricao")->moveCursor(QTextCursor::End);
        QTest::keyClicks(w<QPlainTextEdit>("mmDescricao"), text);
    }
    // Types any text, characters beyond ASCII too, key by key.
    static void typeText(QWidget *box, const QString &text) {
        for (const uint c : text.toUcs4()) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1));
            QApplication::sendEvent(box, &press);
        }
    }
    void leaveBox() { w<QLineEdit>("edtConsultaAno")->setFocus(Qt::TabFocusReason); }
    bool enabled(std::initializer_list<const char *> names) {
        for (const char *name : names)
            if (!w<QWidget>(name)->isEnabled())
                return false;
        return true;
    }
    bool disabled(std::initializer_list<const char *> names) {
        for (const char *name : names)
            if (w<QWidget>(name)->isEnabled())
                return false;
        return true;
    }
    // Answers the cancellation dialog when it opens: each step types a
    // reason (empty: none) and presses its button.
    struct DialogStep {
        QString reason;
        const char *button;
    };
    void whenDialogOpens(QList<DialogStep> steps, QStringList *shownTexts = nullptr) {
        QTimer::singleShot(0, this, [steps, shownTexts] {
            auto *dialog = qobject_cast<TFRM_CancelandoProtocolo *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Motivo do Cancelamento do Protocolo"));
            auto *box = named<QPlainTextEdit>(dialog, QStringLiteral("mmMotivo"));
            if (shownTexts)
                *shownTexts << box->toPlainText();
            for (const DialogStep &step : steps) {
                box->setPlainText(step.reason);
                named<QPushButton>(dialog, QLatin1String(step.button))->click();
            }
            if (dialog->isVisible())
                dialog->reject();
        });
    }

private slots:
    void init() {
        Clock::setNow(QDateTime(QDate(2014, 6, 5), QTime(10, 0)));
        f = std::make_unique<UnitFixture>();
        printed.clear();
        failingReceipts = 0;
        addRequester(1, QStringLiteral("MARIA DA SILVA"));
        addRequester(2, QStringLiteral("JOSE DE SOUZA"));
        addSubject(1, QStringLiteral("ALVARÁ DE FUNCIONAMENTO"),
                   {QStringLiteral("RG"), QStringLiteral("CPF"), QStringLiteral("CONTRATO SOCIAL")});
        addSubject(2, QStringLiteral("CERTIDÃO"));
    }
    void cleanup() {
        screen.reset();
        f.reset();
        Clock::setNow(QDateTime());
    }

    // The first save numbers the protocol in its year and offers the
    // subject's required documents; the screen stays on the protocol, ready
    // for more documents, with the receipt due at the next save.
    void firstSaveNumbersAndOffersRequiredDocuments_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("documents");
        QTest::newRow("yes") << Answer::Yes
                             << QStringList{QStringLiteral("RG"), QStringLiteral("CPF"), QStringLiteral("CONTRATO SOCIAL")};
        QTest::newRow("no") << Answer::No << QStringList{};
    }
    void firstSaveNumbersAndOffersRequiredDocuments() {
        QFETCH(Answer, answer);
        QFETCH(QStringList, documents);
        addProtocol(QStringLiteral("00041"), QStringLiteral("2013"), QDate(2013, 11, 4));
        open();
        QVERIFY(onList());
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), QStringLiteral("1"));

        enterNew(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("PEDIDO DE ALVARÁ"));
        QVERIFY(onMaintenance());
        QCOMPARE(screen->mode(), TCAD_Protocolo::Mode::New);
        QCOMPARE(w<QComboBox>("cbSolicitante")->currentText(), QStringLiteral("MARIA DA SILVA"));
        QCOMPARE(w<QComboBox>("cbAssunto")->currentText(), QStringLiteral("ALVARÁ DE FUNCIONAMENTO"));
        QCOMPARE(w<QLineEdit>("edtIdProtocolo")->text(), QString());
        QCOMPARE(w<QLineEdit>("edtAno")->text(), QStringLiteral("2014"));
        QVERIFY(disabled({"btnIncluirDocumento", "btnAlterarDocumento", "btnExcluirDocumento", "btnEtiqueta",
                          "btnEtiquetaDocumento", "edtIdProtocolo", "edtAno"}));
        QCOMPARE(w<QLineEdit>("edtTotalDocumentos")->text(), QStringLiteral("0"));

        f->answer({Answer::Yes, answer});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), (QStringList{QStringLiteral("Confirma a Gravação?"),
                                                 QStringLiteral("Deseja incluir os documentos necessários do "
                                                                "ALVARÁ DE FUNCIONAMENTO?")}));
        QCOMPARE(f->messages().first().caption, QStringLiteral("Atenção"));
        QCOMPARE(w<QLineEdit>("edtIdProtocolo")->text(), QStringLiteral("00001"));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(), QStringLiteral("PEDIDO DE ALVARÁ"));
        QCOMPARE(column(QStringLiteral("STATUS"), "00001", "2014").toString(), QStringLiteral("0"));
        QCOMPARE(column(QStringLiteral("DATADEENTRADA"), "00001", "2014").toDate(), QDate(2014, 6, 5));
        QCOMPARE(documentNames(), documents);
        QCOMPARE(f->scalar(QStringLiteral("select count(*) from TBDOCUMENTOS where IDPROTOCOLO = '00001' and "
                                          "ANO = '2014' and PAGINA = 1")).toInt(),
                 documents.size());
        const QString count = QString::number(documents.size());
        QCOMPARE(w<QLineEdit>("edtTotalDocumentos")->text(), count);
        QCOMPARE(w<QLineEdit>("edtTotalPaginas")->text(), count);

        QVERIFY(onMaintenance());
        QCOMPARE(screen->mode(), TCAD_Protocolo::Mode::Change);
        QVERIFY(screen->receiptPending());
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), QStringLiteral("2"));
        QVERIFY(enabled({"btnIncluirDocumento", "btnAlterarDocumento", "btnExcluirDocumento", "btnEtiqueta"}));
        QCOMPARE(w<QToolButton>("btnEtiquetaDocumento")->isEnabled(), !documents.isEmpty());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w("btnIncluirDocumento")));
        QVERIFY(printed.isEmpty());

        // The next protocol of the year is 00002, a subject without
        // required documents asks nothing.
        w("btnSairManutencao")->click();
        enterNew(QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("SEGUNDA VIA"));
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação?")});
        QCOMPARE(w<QLineEdit>("edtIdProtocolo")->text(), QStringLiteral("00002"));
    }

    // The save after the first hands the receipt to the printing code and
    // returns to the list; "&Sair" after a first save prints nothing and
    // keeps the protocol.
    void secondSavePrintsTheReceiptAndReturnsToTheList() {
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("PRIMEIRO"));
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(printed, QStringList{QStringLiteral("recibo 00001/2014")});
        QVERIFY(onList());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w("btnAlterar")));
        QCOMPARE(listed(), QStringList{QStringLiteral("00001/2014")});

        enterNew(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("SEGUNDO"));
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        w("btnSairManutencao")->click();
        QVERIFY(onList());
        QCOMPARE(printed.size(), 1);
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00002", "2014").toString(), QStringLiteral("SEGUNDO"));

        // An active protocol opened with "Alterar" saves without printing.
        QVERIFY(protocols().locate(QStringLiteral("IDPROTOCOLO"), QStringLiteral("00002")));
        w("btnAlterar")->click();
        QVERIFY(!screen->receiptPending());
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QVERIFY(onList());
        QCOMPARE(printed.size(), 1);

        // The list's commands print the protocol under the cursor.
        QVERIFY(protocols().locate(QStringLiteral("IDPROTOCOLO"), QStringLiteral("00001")));
        w("btnComprovante")->click();
        QCOMPARE(printed.last(), QStringLiteral("comprovante 00001/2014"));
    }

    // While a document is being entered, the protocol's "&Gravar", its boxes
    // and the label buttons wait: the entry is saved with its "Gravar" or
    // dropped with "Voltar" first, and the receipt then lists the document.
    void anOpenDocumentEntryHoldsTheProtocol() {
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("PEDIDO COM DOCUMENTO"));
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QVERIFY(screen->receiptPending());
        const auto held = {"btnGravar", "dtpEntrada", "edtSolicitante", "cbSolicitante", "edtAssunto", "cbAssunto",
                           "mmDescricao", "btnIncluirSolicitante", "btnIncluirAssunto", "cbStatus", "btnEtiqueta",
                           "btnEtiquetaDocumento"};
        const auto protocolBoxes = {"btnGravar", "dtpEntrada", "edtSolicitante", "cbSolicitante", "edtAssunto",
                                    "cbAssunto", "mmDescricao", "btnIncluirSolicitante", "btnIncluirAssunto",
                                    "cbStatus", "btnEtiqueta"};

        // Dropped: everything as it was, the document-label button too.
        w("btnIncluirDocumento")->click();
        QVERIFY(disabled(held));
        w("btnVoltarDocumento")->click();
        QVERIFY(enabled(protocolBoxes));
        QVERIFY(disabled({"btnEtiquetaDocumento"}));

        w("btnIncluirDocumento")->click();
        typeInto(w<QLineEdit>("edtNomeDocumento"), QStringLiteral("RG"));
        typeInto(w<QLineEdit>("edtPaginas"), QStringLiteral("2"));
        QVERIFY(disabled(held));
        f->clearMessages();
        w("btnGravar")->click();  // pressed anyway: nothing happens
        QVERIFY(f->messages().isEmpty());
        QVERIFY(printed.isEmpty());
        QVERIFY(onMaintenance());
        QVERIFY(w<QGroupBox>("grpManutencaoDocumentos")->isVisible());

        f->answer({Answer::Yes});
        w("btnGravarDocumento")->click();
        QVERIFY(enabled(held));
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(printed, QStringList{QStringLiteral("recibo 00001/2014")});
        QCOMPARE(f->scalar(QStringLiteral("select NOMEDOCUMENTO || '/' || PAGINA from TBDOCUMENTOS")).toString(),
                 QStringLiteral("RG/2"));
    }

    // A receipt that fails at the second save stays due: the failure is
    // shown, the protocol stays open, and the next "&Gravar" shows the
    // receipt and returns to the list.
    void aFailedReceiptStaysDue() {
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("PEDIDO"));
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        failingReceipts = 1;
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), (QStringList{QStringLiteral("Confirma a Gravação?"),
                                                 QStringLiteral("A impressora recusou o comprovante.")}));
        QCOMPARE(f->messages().last().icon, MessageService::Icon::Error);
        QVERIFY(printed.isEmpty());
        QVERIFY(onMaintenance());
        QVERIFY(screen->receiptPending());
        QVERIFY(w("btnGravar")->isEnabled());

        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação?")});
        QCOMPARE(printed, QStringList{QStringLiteral("recibo 00001/2014")});
        QVERIFY(onList());
        QVERIFY(!screen->receiptPending());
        QCOMPARE(protocolCount(), 1);
    }

    // Only a requester and a subject from the lists and a description of
    // more than three characters are saved.
    void entryIsCheckedBeforeTheQuestion_data() {
        QTest::addColumn<QString>("requester");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("atFault");  // the box the refusal points at
        QTest::newRow("three characters") << "1" << "ABC" << false << "mmDescricao";
        QTest::newRow("four characters") << "1" << "ABCD" << true << "";
        QTest::newRow("requester not in the list") << "99" << "PEDIDO" << false << "edtSolicitante";
        QTest::newRow("no requester") << "" << "PEDIDO" << false << "edtSolicitante";
        QTest::newRow("no requester, short description") << "" << "AB" << false << "edtSolicitante";
    }
    void entryIsCheckedBeforeTheQuestion() {
        QFETCH(QString, requester);
        QFETCH(QString, description);
        QFETCH(bool, accepted);
        QFETCH(QString, atFault);
        open();
        enterNew(requester, QStringLiteral("1"), description);
        if (requester == QLatin1String("99"))
            QCOMPARE(w<QComboBox>("cbSolicitante")->currentText(), QString());
        f->answer({Answer::No});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{accepted ? QStringLiteral("Confirma a Gravação?")
                                                         : QStringLiteral("Informações Inválidas para Gravação!")});
        QCOMPARE(f->messages().first().icon, accepted ? MessageService::Icon::Question : MessageService::Icon::Warning);
        QVERIFY(onMaintenance());
        QCOMPARE(screen->mode(), TCAD_Protocolo::Mode::New);
        QCOMPARE(protocolCount(), 0);
        if (atFault.isEmpty())
            return;
        QWidget *box = w<QWidget>(qPrintable(atFault));
        QCOMPARE(screen->focusWidget(), box);
        QVERIFY(FaultMark::isMarked(box));
        box == w<QWidget>("mmDescricao") ? QTest::keyClicks(box, QStringLiteral("X")) : typeInto(w<QLineEdit>("edtSolicitante"), "1");
        QVERIFY(!FaultMark::isMarked(box));
    }

    // "&Sair" right after "Novo" leaves the list as it was and writes
    // nothing; Enter never breaks the description's line, Esc never closes.
    void leavingANewProtocolWritesNothing() {
        addProtocol(QStringLiteral("00003"), QStringLiteral("2014"), QDate(2014, 5, 2));
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("PEDIDO"));
        QTest::keyClick(w<QPlainTextEdit>("mmDescricao"), Qt::Key_Return);
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO"));
        QVERIFY(!w<QPlainTextEdit>("mmDescricao")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // no way out
        QVERIFY(screen->isVisible());
        w("btnSairManutencao")->click();
        QVERIFY(onList());
        QCOMPARE(listed(), QStringList{QStringLiteral("00003/2014")});
        QCOMPARE(protocols().state(), RecordSet::State::Browse);
        QCOMPARE(protocolCount(), 1);
        QVERIFY(f->messages().isEmpty());
    }

    // Enter fills the protocol box after box and passes the small "Incluir"
    // buttons by: no registry opens on the way.
    void enterPassesTheRegistryButtons() {
        open();
        int registries = 0;
        QTimer closer;
        closer.setInterval(10);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *registry = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                registry && registry != screen.get()) {
                ++registries;
                registry->reject();
            }
        });
        closer.start();
        w("btnNovo")->click();
        QTest::keyClicks(w<QLineEdit>("edtSolicitante"), QStringLiteral("1"));
        for (const char *next : {"cbSolicitante", "edtAssunto"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
        QTest::keyClicks(w<QLineEdit>("edtAssunto"), QStringLiteral("2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() != w<QWidget>("btnIncluirAssunto"));
        w<QToolButton>("btnIncluirSolicitante")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w<QToolButton>("btnIncluirSolicitante"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edtAssunto"));
        QCOMPARE(registries, 0);
        QCOMPARE(w<QComboBox>("cbAssunto")->currentText(), QStringLiteral("CERTIDÃO"));
    }

    // An entry date in another year is reported against the protocol's
    // year, which it keeps; the protocol saves with that date. A protocol
    // begun on 31 December and saved after midnight keeps the year of "Novo".
    void entryDateOfAnotherYear() {
        Clock::setNow(QDateTime(QDate(2014, 12, 31), QTime(23, 59)));
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("VIRADA DO ANO"));
        w<QDateEdit>("dtpEntrada")->setDate(QDate(2015, 1, 2));
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Data inválida!\n\nInforme uma data no ano de 2014")});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Error);
        QCOMPARE(w<QDateEdit>("dtpEntrada")->date(), QDate(2015, 1, 2));

        Clock::setNow(QDateTime(QDate(2015, 1, 1), QTime(0, 1)));
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação?")});
        QCOMPARE(column(QStringLiteral("DATADEENTRADA"), "00001", "2014").toDate(), QDate(2015, 1, 2));
    }

    // A first save that the database refuses keeps the typing on the tab,
    // still new, and a second try saves it.
    void refusedFirstSaveKeepsTheEntry() {
        open();
        enterNew(QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("PEDIDO RECUSADO"));
        f->execute(QStringLiteral("delete from TBSOLICITANTE where IDSOLICITANTE = 2"));  // another workstation
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QVERIFY2(f->messageTexts().last().startsWith(QStringLiteral("Não foi possível gravar este protocolo!\n\n")),
                 qPrintable(f->messageTexts().last()));
        QCOMPARE(f->messages().last().icon, MessageService::Icon::Warning);
        QVERIFY(onMaintenance());
        QCOMPARE(screen->mode(), TCAD_Protocolo::Mode::New);
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO RECUSADO"));
        QCOMPARE(protocolCount(), 0);

        typeInto(w<QLineEdit>("edtSolicitante"), QStringLiteral("1"));
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(w<QLineEdit>("edtIdProtocolo")->text(), QStringLiteral("00001"));
        QCOMPARE(column(QStringLiteral("SOLICITANTE"), "00001", "2014").toInt(), 1);
    }

    // The server goes away under a save: the message says what failed, why,
    // and the database's words under "Detalhes"; the typing stays, and once
    // the server is back the next press saves exactly once.
    void aSaveCutOffByTheServerSaysWhyAndSavesOnce() {
        auto saidWhy = [this](const QString &what) {
            const MessageService::Message &m = f->messages().last();
            QVERIFY2(m.text.startsWith(what + QStringLiteral("\n\n")) && m.text.contains(QStringLiteral("servidor")),
                     qPrintable(f->messageTexts().join('|')));
            QVERIFY(!m.details.isEmpty());
            QCOMPARE(m.caption, QStringLiteral("Atenção"));
        };
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("PEDIDO SEM SERVIDOR"));
        f->serverGoesAway();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        saidWhy(QStringLiteral("Não foi possível gravar este protocolo!"));
        QVERIFY(onMaintenance());
        QCOMPARE(screen->mode(), TCAD_Protocolo::Mode::New);
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO SEM SERVIDOR"));
        f->serverReturns();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(w<QLineEdit>("edtIdProtocolo")->text(), QStringLiteral("00001"));
        QCOMPARE(protocolCount(), 1);

        // A change of the protocol, and a document.
        appendToDescription(QStringLiteral(" URGENTE"));
        f->serverGoesAway();
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        saidWhy(QStringLiteral("Não foi possível gravar este protocolo!"));
        QVERIFY(onMaintenance());
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO SEM SERVIDOR URGENTE"));
        f->serverReturns();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QVERIFY2(onList(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(),
                 QStringLiteral("PEDIDO SEM SERVIDOR URGENTE"));

        w("btnAlterar")->click();
        w("btnIncluirDocumento")->click();
        typeInto(w<QLineEdit>("edtNomeDocumento"), QStringLiteral("RG"));
        typeInto(w<QLineEdit>("edtPaginas"), QStringLiteral("2"));
        f->serverGoesAway();
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravarDocumento")->click();
        saidWhy(QStringLiteral("Não foi possível gravar este protocolo!"));
        f->serverReturns();
        QCOMPARE(f->scalar(QStringLiteral("select count(*) from TBDOCUMENTOS")).toInt(), 0);
        w("btnSairManutencao")->click();

        // Cancelling it, and a server still away: nothing changes.
        f->serverGoesAway();
        f->clearMessages();
        f->answer({Answer::Yes});
        whenDialogOpens({{QStringLiteral("ERRO DE DIGITAÇÃO"), "btnOK"}});
        w("btnCancelarProtocolo")->click();
        saidWhy(QStringLiteral("Não foi possível cancelar o protocolo de Nº000012014"));
        f->serverReturns();
        QCOMPARE(column(QStringLiteral("STATUS"), "00001", "2014").toString(), QStringLiteral("0"));
        QCOMPARE(protocolCount(), 1);
    }

    // Another desk holds the year's numbers past the wait (its network died
    // in the middle of a save): "&Gravar" says so in the desk's words and
    // asks to try again. Não keeps the typing and writes nothing; once the
    // other desk lets go, Sim saves the protocol under the next number.
    void aSaveHeldByAnotherDeskIsOfferedAgain() {
        f->unit->MDatabasePrincipal.setLockWaitSeconds(1);
        Connection other;
        other.setDatabaseName(f->databaseName);
        EnsureNumberingTable(other);
        const int slot = NumberedSave::slotOf(UnitNumbering::protocolsOfYear(QStringLiteral("2014")));
        other.execute(QStringLiteral("insert into TBNUMERACAO (IDNUMERACAO, GRAVACOES) values (?, 0)"), {slot});
        auto holder = std::make_unique<WriteTransaction>(other);
        holder->execute(QStringLiteral("update TBNUMERACAO set GRAVACOES = GRAVACOES + 1 where IDNUMERACAO = ?"), {slot});
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("PEDIDO NA VEZ DE OUTRA MESA"));

        QStringList asked;
        QList<Answer> answers{Answer::Yes, Answer::No};
        MessageService::setResponder([&](const MessageService::Message &m) {
            asked << m.text;
            return answers.isEmpty() ? Answer::No : answers.takeFirst();
        });
        w("btnGravar")->click();
        const QString offer = QStringLiteral("Outra estação de trabalho está gravando o mesmo registro e não o liberou a "
                                             "tempo. Nada foi gravado e o que foi digitado continua na tela: tente de "
                                             "novo.\n\nDeseja tentar de novo agora?");
        QCOMPARE(asked, (QStringList{QStringLiteral("Confirma a Gravação?"), offer}));
        QVERIFY(onMaintenance());
        QCOMPARE(screen->mode(), TCAD_Protocolo::Mode::New);
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO NA VEZ DE OUTRA MESA"));
        QCOMPARE(protocolCount(), 0);

        asked.clear();
        answers = {Answer::Yes, Answer::Yes, Answer::Yes};
        MessageService::setResponder([&](const MessageService::Message &m) {
            asked << m.text;
            if (asked.size() == 3)
                holder.reset();  // the other desk lets go
            return answers.isEmpty() ? Answer::No : answers.takeFirst();
        });
        w("btnGravar")->click();
        QCOMPARE(asked, (QStringList{QStringLiteral("Confirma a Gravação?"), offer, offer}));
        QCOMPARE(w<QLineEdit>("edtIdProtocolo")->text(), QStringLiteral("00001"));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(),
                 QStringLiteral("PEDIDO NA VEZ DE OUTRA MESA"));
    }

    // "Alterar" opens an active protocol for change and a cancelled one
    // for viewing only; on an empty list it does nothing.
    void alterarActiveAndCancelled() {
        open();
        w("btnAlterar")->click();
        QVERIFY(onList());

        addProtocol(QStringLiteral("00001"), QStringLiteral("2014"), QDate(2014, 3, 10));
        addProtocol(QStringLiteral("00002"), QStringLiteral("2014"), QDate(2014, 3, 11), QStringLiteral("1"));
        addDocument(QStringLiteral("00002"), QStringLiteral("2014"), 1, QStringLiteral("RG"), 2);
        open();
        w("btnAlterar")->click();
        QVERIFY(onMaintenance());
        QCOMPARE(protocols().state(), RecordSet::State::Edit);
        QCOMPARE(w<QDateEdit>("dtpEntrada")->date(), QDate(2014, 3, 10));
        QCOMPARE(w<QComboBox>("cbStatus")->currentText(), QStringLiteral("ATIVO"));
        QVERIFY(enabled({"dtpEntrada", "edtSolicitante", "cbSolicitante", "edtAssunto", "cbAssunto", "mmDescricao",
                         "btnIncluirSolicitante", "btnIncluirAssunto", "btnGravar", "cbStatus", "btnIncluirDocumento",
                         "btnAlterarDocumento", "btnExcluirDocumento", "btnEtiqueta"}));
        QVERIFY(disabled({"btnEtiquetaDocumento"}));  // no document
        QCOMPARE(QApplication::focusWidget(), w<QWidget>("edtSolicitante"));
        QVERIFY(f->messages().isEmpty());
        appendToDescription(QStringLiteral(" URGENTE"));
        w<QComboBox>("cbStatus")->setCurrentIndex(2);
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QVERIFY(onList());
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(), QStringLiteral("PEDIDO URGENTE"));
        // Archived, it leaves the list of active protocols.
        QCOMPARE(column(QStringLiteral("STATUS"), "00001", "2014").toString(), QStringLiteral("2"));
        QCOMPARE(listed(), QStringList());
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), QStringLiteral("0"));

        w<QComboBox>("cbStatusFiltro")->setCurrentIndex(1);
        emit w<QComboBox>("cbStatusFiltro")->activated(1);
        QCOMPARE(listed(), QStringList{QStringLiteral("00002/2014")});
        w("btnAlterar")->click();
        QVERIFY(onMaintenance());
        QCOMPARE(protocols().state(), RecordSet::State::Browse);
        QCOMPARE(w<QComboBox>("cbStatus")->currentText(), QStringLiteral("CANCELADO"));
        QVERIFY(disabled({"dtpEntrada", "edtSolicitante", "cbSolicitante", "edtAssunto", "cbAssunto", "mmDescricao",
                          "btnIncluirSolicitante", "btnIncluirAssunto", "btnGravar", "cbStatus", "btnIncluirDocumento",
                          "btnAlterarDocumento", "btnExcluirDocumento", "btnEtiqueta", "btnEtiquetaDocumento"}));
        QCOMPARE(w<QLineEdit>("edtTotalDocumentos")->text(), QStringLiteral("1"));
        QCOMPARE(w<QLineEdit>("edtTotalPaginas")->text(), QStringLiteral("2"));
        QCOMPARE(QApplication::focusWidget(), w<QWidget>("btnSairManutencao"));
    }

    // Another workstation changed the protocol while this one had it open:
    // the save is refused and nothing is overwritten; taking the stored
    // version keeps what this desk typed and shows what the other changed.
    void aProtocolChangedElsewhereIsTakenWithTheTypingKept() {
        addProtocol(QStringLiteral("00001"), QStringLiteral("2014"), QDate(2014, 3, 10));
        open();
        w("btnAlterar")->click();
        appendToDescription(QStringLiteral(" URGENTE"));
        f->execute(QStringLiteral("update TBPROTOCOLO set SOLICITANTE = 2, DATADEENTRADA = '2014-03-12' "
                                  "where IDPROTOCOLO = '00001' and ANO = '2014'"));

        f->answer({Answer::Yes, Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts().mid(1, 1),
                 QStringList{QStringLiteral("O registro foi alterado ou excluído em outra estação de trabalho; a "
                                            "alteração não foi gravada.")});
        QCOMPARE(f->messages().size(), 3);
        QVERIFY(onMaintenance());
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(), QStringLiteral("PEDIDO"));
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO URGENTE"));
        QCOMPARE(w<QLineEdit>("edtSolicitante")->text(), QStringLiteral("002"));
        QCOMPARE(w<QDateEdit>("dtpEntrada")->date(), QDate(2014, 3, 12));

        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QVERIFY2(onList(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(), QStringLiteral("PEDIDO URGENTE"));
        QCOMPARE(column(QStringLiteral("SOLICITANTE"), "00001", "2014").toInt(), 2);
        QCOMPARE(column(QStringLiteral("DATADEENTRADA"), "00001", "2014").toDate(), QDate(2014, 3, 12));

        // A document changed elsewhere: its page count is this desk's, its
        // name the other's.
        addDocument(QStringLiteral("00001"), QStringLiteral("2014"), 1, QStringLiteral("RG"), 1);
        w("btnAlterar")->click();
        w("btnAlterarDocumento")->click();
        typeInto(w<QLineEdit>("edtPaginas"), QStringLiteral("4"));
        f->execute(QStringLiteral("update TBDOCUMENTOS set NOMEDOCUMENTO = 'RG E CPF' where IDPROTOCOLO = '00001'"));
        f->clearMessages();
        f->answer({Answer::Yes, Answer::Yes});
        w("btnGravarDocumento")->click();
        QCOMPARE(f->messages().size(), 3);
        QVERIFY(w<QGroupBox>("grpManutencaoDocumentos")->isVisible());
        QCOMPARE(w<QLineEdit>("edtNomeDocumento")->text(), QStringLiteral("RG E CPF"));
        QCOMPARE(w<QLineEdit>("edtPaginas")->text(), QStringLiteral("4"));
        f->answer({Answer::Yes});
        w("btnGravarDocumento")->click();
        QVERIFY(!w<QGroupBox>("grpManutencaoDocumentos")->isVisible());
        QCOMPARE(f->scalar(QStringLiteral("select NOMEDOCUMENTO || '/' || PAGINA from TBDOCUMENTOS")).toString(),
                 QStringLiteral("RG E CPF/4"));
        w("btnSairManutencao")->click();
        f->execute(QStringLiteral("delete from TBDOCUMENTOS"));

        // Declined, or removed meanwhile: the typing stays and "&Sair" leaves.
        w("btnAlterar")->click();
        QTest::keyClicks(w<QPlainTextEdit>("mmDescricao"), QStringLiteral("!"));
        f->execute(QStringLiteral("delete from TBPROTOCOLO where IDPROTOCOLO = '00001' and ANO = '2014'"));
        f->clearMessages();
        f->answer({Answer::Yes, Answer::Yes});
        w("btnGravar")->click();
        // The way back is the button this screen has.
        QCOMPARE(f->messageTexts().last(), QStringLiteral("Este registro foi excluído em outra estação de trabalho. "
                                                          "Use Sair para voltar à lista."));
        QVERIFY(onMaintenance());
        QVERIFY(w<QPlainTextEdit>("mmDescricao")->toPlainText().contains(QLatin1Char('!')));
        w("btnSairManutencao")->click();
        QVERIFY(onList());
        QCOMPARE(protocolCount(), 0);
    }

    // Two clerks change the same fields of one protocol: the second, having
    // taken the stored version, sees the first one's values beside the boxes
    // and is asked before "&Gravar" replaces them; No writes nothing.
    void aFieldChangedAtBothDesksIsShownAndAskedAbout() {
        addProtocol(QStringLiteral("00001"), QStringLiteral("2014"), QDate(2014, 3, 10));
        open();
        w("btnAlterar")->click();
        appendToDescription(QStringLiteral(" URGENTE"));
        w<QDateEdit>("dtpEntrada")->setDate(QDate(2014, 3, 11));

        // The other clerk, at a workstation of their own.
        Workstation other(f->databaseName);
        RecordSet &theirs = other.cadastro.cdsTBProtocolo;
        theirs.open();
        QVERIFY(theirs.locate(QStringLiteral("IDPROTOCOLO;ANO"), {QStringLiteral("00001"), QStringLiteral("2014")}));
        theirs.edit();
        theirs.field(QStringLiteral("DESCRICAO")).setAsString(QStringLiteral("PEDIDO DE ALVARÁ"));
        theirs.field(QStringLiteral("DATADEENTRADA")).setValue(QDate(2014, 3, 12));
        theirs.field(QStringLiteral("SOLICITANTE")).setAsInteger(2);
        theirs.post();
        theirs.applyUpdates();

        f->answer({Answer::Yes, Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messages().size(), 3);  // the save, the refusal, the offer
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO URGENTE"));
        QCOMPARE(w<QLineEdit>("edtSolicitante")->text(), QStringLiteral("002"));  // changed there only
        auto *description = w<QLabel>("lblOutraEstacao_mmDescricao");
        QVERIFY(description->isVisible());
        QCOMPARE(description->text(), QStringLiteral("Na outra estação:\nPEDIDO DE ALVARÁ"));
        QVERIFY(description->toolTip().contains(QStringLiteral("PEDIDO DE ALVARÁ")));
        QCOMPARE(w<QLabel>("lblOutraEstacao_dtpEntrada")->text(), QStringLiteral("Na outra estação:\n12/03/2014"));
        QVERIFY(!screen->findChild<QLabel *>(QStringLiteral("lblOutraEstacao_cbSolicitante")));

        f->clearMessages();
        f->answer({Answer::Yes, Answer::No});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts().value(1),
                 QStringLiteral("Os campos \"Data de Entrada\" e \"Descrição\" foram alterados também em outra estação "
                                "de trabalho; o valor gravado lá está ao lado de cada caixa.\n\nDeseja substituí-los "
                                "pelo que está na tela?"));
        QCOMPARE(f->messages().size(), 2);
        QVERIFY(onMaintenance());
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), QStringLiteral("PEDIDO URGENTE"));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(), QStringLiteral("PEDIDO DE ALVARÁ"));
        QVERIFY(description->isVisible());

        f->clearMessages();
        f->answer({Answer::Yes, Answer::Yes});
        w("btnGravar")->click();
        QVERIFY2(onList(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(), QStringLiteral("PEDIDO URGENTE"));
        QCOMPARE(column(QStringLiteral("DATADEENTRADA"), "00001", "2014").toDate(), QDate(2014, 3, 11));
        QCOMPARE(column(QStringLiteral("SOLICITANTE"), "00001", "2014").toInt(), 2);
        QVERIFY(!description->isVisible());

        // Written once, the next change asks nothing.
        w("btnAlterar")->click();
        QVERIFY(!description->isVisible());
        QTest::keyClicks(w<QPlainTextEdit>("mmDescricao"), QStringLiteral("!"));
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação?")});
    }

    // The documents group: entered, changed and removed at once, numbered
    // per protocol, with the two totals.
    void documentsOfAProtocol() {
        addProtocol(QStringLiteral("00001"), QStringLiteral("2014"), QDate(2014, 3, 10));
        addProtocol(QStringLiteral("00001"), QStringLiteral("2013"), QDate(2013, 3, 10));
        addDocument(QStringLiteral("00001"), QStringLiteral("2013"), 1, QStringLiteral("OUTRO ANO"), 50);
        open();
        QVERIFY(protocols().locate(QStringLiteral("ANO"), QStringLiteral("2014")));
        w("btnAlterar")->click();
        auto *entry = w<QGroupBox>("grpManutencaoDocumentos");
        QVERIFY(!entry->isVisible());
        QCOMPARE(w<QLineEdit>("edtTotalDocumentos")->text(), QStringLiteral("0"));

        // "Alterar" on no document does nothing.
        w("btnAlterarDocumento")->click();
        QVERIFY(!entry->isVisible());
        QVERIFY(f->messages().isEmpty());

        auto enter = [&](const QString &name, const QString &pages) {
            w("btnIncluirDocumento")->click();
            QVERIFY(entry->isVisible());
            QVERIFY(disabled({"btnIncluirDocumento", "btnAlterarDocumento", "btnExcluirDocumento", "DBGrid2"}));
            QCOMPARE(QApplication::focusWidget(), w<QWidget>("edtNomeDocumento"));
            typeInto(w<QLineEdit>("edtNomeDocumento"), name);
            typeInto(w<QLineEdit>("edtPaginas"), pages);
            f->answer({Answer::Yes});
            w("btnGravarDocumento")->click();
        };
        enter(QStringLiteral("rg"), QString());
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Informações Inválidas para Gravação!")});
        QVERIFY(entry->isVisible());
        typeInto(w<QLineEdit>("edtPaginas"), QStringLiteral("3"));
        f->answer({Answer::Yes});
        w("btnGravarDocumento")->click();
        QVERIFY(!entry->isVisible());
        QVERIFY(enabled({"btnIncluirDocumento", "btnAlterarDocumento", "btnExcluirDocumento", "DBGrid2",
                         "btnEtiquetaDocumento"}));
        QCOMPARE(documents().field(QStringLiteral("IDDOCUMENTO")).displayText(), QStringLiteral("001"));
        QCOMPARE(documents().field(QStringLiteral("NOMEDOCUMENTO")).asString(), QStringLiteral("RG"));
        QCOMPARE(w<QLineEdit>("edtTotalDocumentos")->text(), QStringLiteral("1"));
        QCOMPARE(w<QLineEdit>("edtTotalPaginas")->text(), QStringLiteral("3"));

        enter(QStringLiteral("CPF"), QStringLiteral("5"));
        QCOMPARE(w<QLineEdit>("edtTotalDocumentos")->text(), QStringLiteral("2"));
        QCOMPARE(w<QLineEdit>("edtTotalPaginas")->text(), QStringLiteral("8"));

        // "Voltar" leaves nothing behind.
        w("btnIncluirDocumento")->click();
        typeInto(w<QLineEdit>("edtNomeDocumento"), QStringLiteral("ABANDONADO"));
        w("btnVoltarDocumento")->click();
        QVERIFY(!entry->isVisible());
        QCOMPARE(documents().recordCount(), 2);
        QCOMPARE(QApplication::focusWidget(), w<QWidget>("btnIncluirDocumento"));

        // Change the first: 3 pages become 4.
        QVERIFY(documents().locate(QStringLiteral("IDDOCUMENTO"), 1));
        w("btnAlterarDocumento")->click();
        QVERIFY(entry->isVisible());
        typeInto(w<QLineEdit>("edtPaginas"), QStringLiteral("4"));
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravarDocumento")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação?")});
        QCOMPARE(w<QLineEdit>("edtTotalPaginas")->text(), QStringLiteral("9"));
        QCOMPARE(QApplication::focusWidget(), w<QWidget>("btnAlterarDocumento"));

        // Remove the first; the second keeps its number and the next is 3.
        QVERIFY(documents().locate(QStringLiteral("IDDOCUMENTO"), 1));
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnExcluirDocumento")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Deleção?")});
        QCOMPARE(w<QLineEdit>("edtTotalDocumentos")->text(), QStringLiteral("1"));
        QCOMPARE(w<QLineEdit>("edtTotalPaginas")->text(), QStringLiteral("5"));
        enter(QStringLiteral("CONTRATO"), QStringLiteral("1"));
        QCOMPARE(f->scalar(QStringLiteral("select count(*) from TBDOCUMENTOS where ANO = '2014'")).toInt(), 2);
        QCOMPARE(f->scalar(QStringLiteral("select count(*) from TBDOCUMENTOS where ANO = '2014' and IDDOCUMENTO in (2, 3)"))
                     .toInt(),
                 2);

        // The document labels: the button and a double click on the list.
        w<QToolButton>("btnEtiquetaDocumento")->click();
        emit w<RecordGrid>("DBGrid2")->listDoubleClicked();
        QCOMPARE(printed, (QStringList{QStringLiteral("etiquetas 00001/2014"), QStringLiteral("etiquetas 00001/2014")}));

        // Leaving the protocol keeps the documents written.
        w("btnSairManutencao")->click();
        QCOMPARE(f->scalar(QStringLiteral("select count(*) from TBDOCUMENTOS where ANO = '2014'")).toInt(), 2);
    }

    // A document has at least one page, new or changed; the five digits
    // of the box are all taken.
    void documentPageCounts_data() {
        QTest::addColumn<bool>("change");  // an existing document changed, not a new one
        QTest::addColumn<QString>("pages");
        QTest::addColumn<bool>("saved");
        QTest::newRow("novo, 0") << false << "0" << false;
        QTest::newRow("novo, 00000") << false << "00000" << false;
        QTest::newRow("novo, 1") << false << "1" << true;
        QTest::newRow("novo, 99999") << false << "99999" << true;
        QTest::newRow("alterado, 0") << true << "0" << false;
        QTest::newRow("alterado, 7") << true << "7" << true;
    }
    void documentPageCounts() {
        QFETCH(bool, change);
        QFETCH(QString, pages);
        QFETCH(bool, saved);
        addProtocol(QStringLiteral("00001"), QStringLiteral("2014"), QDate(2014, 3, 10));
        addDocument(QStringLiteral("00001"), QStringLiteral("2014"), 1, QStringLiteral("RG"), 2);
        open();
        w("btnAlterar")->click();
        w(change ? "btnAlterarDocumento" : "btnIncluirDocumento")->click();
        typeInto(w<QLineEdit>("edtNomeDocumento"), QStringLiteral("CERTIDAO"));
        typeInto(w<QLineEdit>("edtPaginas"), pages);
        f->clearMessages();
        f->answer({Answer::Yes});
        w("btnGravarDocumento")->click();
        const int stored = f->scalar(QStringLiteral("select sum(PAGINA) from TBDOCUMENTOS")).toInt();
        if (saved) {
            QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação?")});
            QCOMPARE(stored, (change ? 0 : 2) + pages.toInt());
            QVERIFY(!w<QGroupBox>("grpManutencaoDocumentos")->isVisible());
        } else {
            QCOMPARE(f->messageTexts(),
                     QStringList{QStringLiteral("Quantidade de páginas inválida!\n\nInforme ao menos 1 página.")});
            QCOMPARE(stored, 2);
            // The entry stays as typed for a correction.
            QVERIFY(w<QGroupBox>("grpManutencaoDocumentos")->isVisible());
            QCOMPARE(w<QLineEdit>("edtNomeDocumento")->text(), QStringLiteral("CERTIDAO"));
            QCOMPARE(QApplication::focusWidget(), w<QWidget>("edtPaginas"));
        }
    }

    // The list: filters by status and period, the find boxes and "Exibir
    // &Todos".
    void listFiltersAndFind() {
        addProtocol(QStringLiteral("00012"), QStringLiteral("2014"), QDate(2014, 3, 10));
        addProtocol(QStringLiteral("00013"), QStringLiteral("2014"), QDate(2014, 4, 2));
        addProtocol(QStringLiteral("00014"), QStringLiteral("2014"), QDate(2014, 3, 31), QStringLiteral("1"));
        addProtocol(QStringLiteral("00011"), QStringLiteral("2014"), QDate(2014, 3, 1));
        addProtocol(QStringLiteral("00099"), QStringLiteral("2013"), QDate(2013, 3, 20));
        open();
        QCOMPARE(listed(), (QStringList{"00013/2014", "00012/2014", "00011/2014", "00099/2013"}));
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), QStringLiteral("4"));
        QCOMPARE(w<QLineEdit>("edtConsultaAno")->text(), QStringLiteral("2014"));
        QCOMPARE(w<QComboBox>("cbStatusFiltro")->currentText(), QStringLiteral("ATIVO"));
        QCOMPARE(w<QDateEdit>("dtpDe")->date(), QDate(2014, 6, 1));
        QCOMPARE(w<QDateEdit>("dtpAte")->date(), QDate(2014, 6, 30));

        auto *number = w<QLineEdit>("edtConsultaNumero");
        number->setFocus();
        QTest::keyClicks(number, QStringLiteral("12"));
        leaveBox();
        QCOMPARE(number->text(), QStringLiteral("00012"));
        w("btnLocalizar")->click();
        QCOMPARE(protocols().field(QStringLiteral("IDPROTOCOLO")).asString(), QStringLiteral("00012"));
        QVERIFY(f->messages().isEmpty());

        struct Find {
            QString number, year, message;
        };
        const Find finds[] = {
            {QStringLiteral("00012"), QStringLiteral("14"), QStringLiteral("Código/Ano inválido!")},
            {QStringLiteral("12"), QStringLiteral("2014"), QStringLiteral("Código/Ano inválido!")},
            {QStringLiteral("00012"), QStringLiteral("2013"), QStringLiteral("Protocolo NÃO localizado!")},
        };
        for (const Find &find : finds) {
            f->clearMessages();
            number->setText(find.number);
            w<QLineEdit>("edtConsultaAno")->setText(find.year);
            w("btnLocalizar")->click();
            QCOMPARE(f->messageTexts(), QStringList{find.message});
            QCOMPARE(f->messages().first().icon, MessageService::Icon::Warning);
            QCOMPARE(protocols().field(QStringLiteral("IDPROTOCOLO")).asString(), QStringLiteral("00012"));
        }

        // Enter in the number or the year box finds once both hold
        // something; with one empty it moves on as Tab does.
        f->clearMessages();
        auto *year = w<QLineEdit>("edtConsultaAno");
        year->setText(QStringLiteral("2014"));
        typeInto(number, QStringLiteral("11"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(number->text(), QStringLiteral("00011"));
        QCOMPARE(protocols().field(QStringLiteral("IDPROTOCOLO")).asString(), QStringLiteral("00011"));
        typeInto(number, QStringLiteral("00013"));
        year->setFocus();
        QTest::keyClick(year, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(protocols().field(QStringLiteral("IDPROTOCOLO")).asString(), QStringLiteral("00013"));
        QVERIFY(f->messages().isEmpty());
        number->clear();
        number->setFocus();
        QTest::keyClick(number, Qt::Key_Return);
        QVERIFY(f->messages().isEmpty());
        QCOMPARE(screen->focusWidget(), w<QWidget>("edtConsultaAno"));  // moved on, nothing searched
        QCOMPARE(protocols().field(QStringLiteral("IDPROTOCOLO")).asString(), QStringLiteral("00013"));

        // Cancelled protocols: an active one is not found among them.
        auto *status = w<QComboBox>("cbStatusFiltro");
        status->setCurrentIndex(1);
        emit status->activated(1);
        QCOMPARE(listed(), QStringList{QStringLiteral("00014/2014")});
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), QStringLiteral("1"));
        f->clearMessages();
        number->setText(QStringLiteral("00012"));
        w<QLineEdit>("edtConsultaAno")->setText(QStringLiteral("2014"));
        w("btnLocalizar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Protocolo NÃO localizado!")});

        // March 2014, both ends included.
        status->setCurrentIndex(0);
        w<QDateEdit>("dtpDe")->setDate(QDate(2014, 3, 1));
        w<QDateEdit>("dtpAte")->setDate(QDate(2014, 3, 10));
        w("btnFiltrar")->click();
        QCOMPARE(listed(), (QStringList{"00012/2014", "00011/2014"}));
        w<QDateEdit>("dtpDe")->setDate(QDate(2014, 3, 11));
        w("btnFiltrar")->click();
        QCOMPARE(listed(), QStringList());
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), QStringLiteral("0"));

        w("btnExibirTodos")->click();
        QCOMPARE(listed(), (QStringList{"00013/2014", "00012/2014", "00011/2014", "00099/2013"}));
        QCOMPARE(number->text(), QString());
        QCOMPARE(w<QLineEdit>("edtConsultaAno")->text(), QStringLiteral("2014"));
        QCOMPARE(status->currentText(), QStringLiteral("ATIVO"));
        QCOMPARE(w<QDateEdit>("dtpDe")->date(), QDate(2014, 3, 11));
    }

    // Cancelling through the dialog: the reason is asked until given, the
    // trailer goes on the description and the protocol leaves the list.
    void cancellingAProtocol() {
        addProtocol(QStringLiteral("00012"), QStringLiteral("2014"), QDate(2014, 3, 10));
        addProtocol(QStringLiteral("00013"), QStringLiteral("2014"), QDate(2014, 3, 9));
        addProtocol(QStringLiteral("00015"), QStringLiteral("2014"), QDate(2014, 3, 8), QStringLiteral("2"));
        open();
        QCOMPARE(protocols().field(QStringLiteral("IDPROTOCOLO")).asString(), QStringLiteral("00012"));

        // No at the question: the dialog does not open.
        f->answer({Answer::No});
        w("btnCancelarProtocolo")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Deseja CANCELAR o protocolo de Nº000122014?")});

        f->clearMessages();
        f->answer({Answer::Yes});
        QStringList shown;
        whenDialogOpens({{QString(), "btnOK"}, {QStringLiteral("DESISTÊNCIA DO REQUERENTE"), "btnOK"}}, &shown);
        w("btnCancelarProtocolo")->click();
        QCOMPARE(f->messageTexts(), (QStringList{QStringLiteral("Deseja CANCELAR o protocolo de Nº000122014?"),
                                                 QStringLiteral("Informe o motivo do cancelamento!"),
                                                 QStringLiteral("Protocolo de Nº000122014 cancelado com sucesso!")}));
        QCOMPARE(f->messages().at(1).icon, MessageService::Icon::Error);
        QCOMPARE(f->messages().at(2).icon, MessageService::Icon::Information);
        QCOMPARE(shown, QStringList{QString()});
        QCOMPARE(column(QStringLiteral("STATUS"), "00012", "2014").toString(), QStringLiteral("1"));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00012", "2014").toString(),
                 QStringLiteral("PEDIDO / ***** P R O T O C O L O  C A N C E L A D O ***** / MOTIVO: DESISTÊNCIA DO "
                                "REQUERENTE / DATA DO CANCELAMENTO: 05/06/2014"));
        QCOMPARE(listed(), QStringList{QStringLiteral("00013/2014")});
        QCOMPARE(w<QLineEdit>("edtTotalProtocolos")->text(), QStringLiteral("1"));

        // "Cancelar" changes nothing, though a reason was given before; the
        // dialog opens empty.
        f->clearMessages();
        f->answer({Answer::Yes});
        shown.clear();
        whenDialogOpens({{QStringLiteral("ENGANO"), "btnCancelar"}}, &shown);
        w("btnCancelarProtocolo")->click();
        QCOMPARE(shown, QStringList{QString()});
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Deseja CANCELAR o protocolo de Nº000132014?")});
        QCOMPARE(f->session.CancellationReason, QString());
        QCOMPARE(column(QStringLiteral("STATUS"), "00013", "2014").toString(), QStringLiteral("0"));
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00013", "2014").toString(), QStringLiteral("PEDIDO"));

        // An archived protocol is refused as already cancelled.
        auto *status = w<QComboBox>("cbStatusFiltro");
        status->setCurrentIndex(2);
        emit status->activated(2);
        f->clearMessages();
        w("btnCancelarProtocolo")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("O protocolo de Nº000152014 já foi cancelado!")});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Error);
        QCOMPARE(column(QStringLiteral("STATUS"), "00015", "2014").toString(), QStringLiteral("2"));
    }

    // A cancellation written whose list then cannot be read again is told
    // as it happened; the next reading of the list shows it.
    void aCancellationWhoseListIsNotReadAgain() {
        addProtocol(QStringLiteral("00012"), QStringLiteral("2014"), QDate(2014, 3, 10));
        addProtocol(QStringLiteral("00013"), QStringLiteral("2014"), QDate(2014, 3, 9));
        // Once a protocol has been changed, reading the protocols fails.
        f->execute(QStringLiteral("create table LEITURA_FALHA (N integer)"));
        f->execute(QStringLiteral("alter table TBPROTOCOLO add LEITURA computed by "
                                  "(case when exists (select 1 from LEITURA_FALHA) then 1 / 0 else 0 end)"));
        f->execute(QStringLiteral("create trigger TR_LEITURA for TBPROTOCOLO after update as "
                                  "begin insert into LEITURA_FALHA values (1); end"));
        open();
        f->answer({Answer::Yes});
        whenDialogOpens({{QStringLiteral("DESISTÊNCIA"), "btnOK"}});
        w("btnCancelarProtocolo")->click();
        QCOMPARE(column(QStringLiteral("STATUS"), "00012", "2014").toString(), QStringLiteral("1"));
        const MessageService::Message told = f->messages().last();
        QCOMPARE(told.text, QStringLiteral("Protocolo de Nº000122014 cancelado com sucesso!\n\nA lista de protocolos "
                                           "não pôde ser lida novamente; o cancelamento aparece na próxima leitura."));
        QCOMPARE(told.icon, MessageService::Icon::Warning);
        QVERIFY(!told.details.isEmpty());

        f->execute(QStringLiteral("delete from LEITURA_FALHA"));
        w("btnExibirTodos")->click();
        QCOMPARE(listed(), QStringList{QStringLiteral("00013/2014")});
    }

    // Odd rows pale blue, even rows the window's colour.
    void listRowsArePaintedAlternately() {
        addProtocol(QStringLiteral("00001"), QStringLiteral("2014"), QDate(2014, 3, 10));
        addProtocol(QStringLiteral("00002"), QStringLiteral("2014"), QDate(2014, 3, 9));
        open();
        auto *grid = w<RecordGrid>("DBGrid1");
        const QImage image = grid->viewport()->grab().toImage();
        auto colourAt = [&](int row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, 1));
            return QColor(image.pixel(cell.right() - 3, cell.center().y()));
        };
        QCOMPARE(colourAt(0), QColor(230, 242, 255));
        QCOMPARE(colourAt(1), grid->palette().color(QPalette::Base));
    }

    // Text that people type or paste: quotes, wildcards, a long paste and
    // characters beyond Latin reach the database as typed, cut at 500.
    void hostileText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        const QString quotes = QStringLiteral("D'ÁVILA \"100%\" _X_ ; -- drop table TBPROTOCOLO");
        QTest::newRow("quotes and wildcards") << quotes << quotes;
        const QString wide = QStringLiteral("申请营业执照 😀👍🏽");
        QTest::newRow("chinese and emoji") << wide << wide;
        const QString paste = QString(QStringLiteral("'%_中😀")).repeated(2000);
        QTest::newRow("10,000 characters") << paste << paste.left(500);
    }
    void hostileText() {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        open();
        enterNew(QStringLiteral("1"), QStringLiteral("2"), QString());
        w<QPlainTextEdit>("mmDescricao")->insertPlainText(text);
        QCOMPARE(w<QPlainTextEdit>("mmDescricao")->toPlainText(), stored);
        f->answer({Answer::Yes});
        w("btnGravar")->click();
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Confirma a Gravação?")});
        QCOMPARE(column(QStringLiteral("DESCRICAO"), "00001", "2014").toString(), stored);

        // The find boxes take digits only.
        w("btnSairManutencao")->click();
        auto *number = w<QLineEdit>("edtConsultaNumero");
        number->setFocus();
        typeText(number, QStringLiteral("'%_中😀1"));
        typeText(w<QLineEdit>("edtConsultaAno"), QStringLiteral("'%中"));
        leaveBox();
        QCOMPARE(number->text(), QStringLiteral("00001"));
        f->clearMessages();
        w("btnLocalizar")->click();
        QVERIFY2(f->messages().isEmpty(), qPrintable(f->messageTexts().join('|')));
    }

    // A requester and a subject registered on the way are chosen at once.
    void registeringOnTheWay() {
        open();
        w("btnNovo")->click();
        QTimer::singleShot(0, this, [] {
            auto *registry = QApplication::activeModalWidget();
            QVERIFY(registry);
            QCOMPARE(registry->windowTitle(), QStringLiteral("Cadastro de Assuntos"));
            named<QPushButton>(registry, QStringLiteral("btnIncluir"))->click();
            typeInto(named<QLineEdit>(registry, QStringLiteral("edtDescricao")), QStringLiteral("PODA DE ÁRVORE"));
            named<QPushButton>(registry, QStringLiteral("btnGravar"))->click();
            named<QPushButton>(registry, QStringLiteral("btnSair"))->click();
        });
        f->answer({Answer::Yes});
        w<QToolButton>("btnIncluirAssunto")->click();
        QCOMPARE(w<QComboBox>("cbAssunto")->currentText(), QStringLiteral("PODA DE ÁRVORE"));
        QCOMPARE(w<QLineEdit>("edtAssunto")->text(), QStringLiteral("003"));
        QCOMPARE(protocols().state(), RecordSet::State::Insert);

        // Closed without saving: nothing chosen.
        QTimer::singleShot(0, this, [] {
            named<QPushButton>(QApplication::activeModalWidget(), QStringLiteral("btnSair"))->click();
        });
        w<QToolButton>("btnIncluirSolicitante")->click();
        QCOMPARE(w<QComboBox>("cbSolicitante")->currentText(), QString());
        QCOMPARE(w<QComboBox>("cbSolicitante")->count(), 2);
    }
};

QTEST_MAIN(ProtocolScreenTest)
#include "tst_protocol_screen.moc"
