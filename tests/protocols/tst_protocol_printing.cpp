#include "ExternalTools.h"
#include "PagePlaces.h"
#include "UnitFixture.h"
#include "WindowDriving.h"

#include "data/Clock.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/SchemaUpgrade.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/records/RecordSet.h"
#include "protocols/ProtocolPrintCommands.h"
#include "protocols/ProtocolPrintStore.h"
#include "protocols/TCAD_Protocolo.h"
#include "reports/LumQRBarCode.h"
#include "reports/ReportOutput.h"
#include "reports/layouts/LabelLayout.h"
#include "reports/layouts/TRelatorio_Comprovante.h"
#include "reports/layouts/TRelatorio_ComprovanteSemDocumento.h"
#include "reports/layouts/TRelatorio_Etiqueta.h"
#include "reports/layouts/TRelatorio_EtiquetaDocumentos.h"
#include "reports/layouts/TRelatorio_EtiquetaDocumentosAgrupado.h"
#include "ui/RecordGrid.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;

namespace {

const QDate Today(2014, 5, 20);
const QString Operator = QStringLiteral("0001");

// What the desk was shown: the layout's kind and its laid-out pages, and
// whether the protocol screen was on the screen meanwhile.
struct Shown {
    QString layout;
    ReportDocument document;
    bool screenVisible = false;
};

QString kindOf(ReportLayout &layout) {
    if (dynamic_cast<TRelatorio_Comprovante *>(&layout))
        return QStringLiteral("TRelatorio_Comprovante");
    if (dynamic_cast<TRelatorio_ComprovanteSemDocumento *>(&layout))
        return QStringLiteral("TRelatorio_ComprovanteSemDocumento");
    if (dynamic_cast<TRelatorio_Etiqueta *>(&layout))
        return QStringLiteral("TRelatorio_Etiqueta");
    if (dynamic_cast<TRelatorio_EtiquetaDocumentos *>(&layout))
        return QStringLiteral("TRelatorio_EtiquetaDocumentos");
    if (dynamic_cast<TRelatorio_EtiquetaDocumentosAgrupado *>(&layout))
        return QStringLiteral("TRelatorio_EtiquetaDocumentosAgrupado");
    return QStringLiteral("?");
}

const BarsItem *barsOn(const ReportPage &page) {
    for (const PageItem &item : page.items)
        if (const auto *bars = std::get_if<BarsItem>(&item))
            return bars;
    return nullptr;
}

}  // namespace

// The receipts and labels the desk prints from the protocol screen, from
// the commands down to what lands on paper.
class ProtocolPrintingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<TUDMRelatorio> reports;
    std::unique_ptr<TCAD_Protocolo> screen;
    ScratchFolder programFolder;
    QList<Shown> shown;

    RecordSet &protocols() { return f->registries->cdsTBProtocolo; }
    RecordSet &documents() { return f->registries->cdsTBDocumentos; }
    template <typename Widget = QPushButton>
    Widget *w(const char *name) const {
        return named<Widget>(screen.get(), QLatin1String(name));
    }

    ProtocolPrintCommands::Presenter presenter() {
        return [this](ReportLayout &layout, QWidget *from) {
            shown << Shown{kindOf(layout), layout.run(), from && from->isVisible()};
            // The preview takes the same pages one at a time.
            checkSamePagesOnDemand(layout, shown.last().document);
        };
    }
    void openScreen() {
        screen.reset();
        screen = std::make_unique<TCAD_Protocolo>(
            *f->registries, f->session,
            ProtocolPrintCommands::commands(*f->registries, *reports, f->session, presenter()));
        QVERIFY(UnitFixture::showActive(screen.get()));
    }
    // The protocol under the list's cursor.
    void select(const QString &number, const QString &year) {
        QVERIFY(protocols().locate(QStringLiteral("IDPROTOCOLO;ANO"), {number, year}));
    }
    void addRequester(int code, const QString &name, const QString &cpf, const QString &cnpj = QString()) {
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF, CNPJ, TEL_CONTATO) "
                                  "values (?, ?, ?, ?, '(86) 3222-1000')"),
                   {code, name, cpf.isEmpty() ? QVariant() : cpf, cnpj.isEmpty() ? QVariant() : cnpj});
    }
    void addProtocol(const QString &number, const QString &year, const QString &status = "0", int requester = 1,
                     const QString &description = QStringLiteral("PEDIDO DE ALVARA PARA REFORMA")) {
        f->execute(QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, DATADEENTRADA, "
                                  "STATUS, DESCRICAO) values (?, ?, ?, 1, ?, ?, ?)"),
                   {number, year, requester, QDate(year.toInt(), 5, 2), status, description});
    }
    void addDocument(const QString &number, const QString &year, int code, const QString &name, const QVariant &pages) {
        f->execute(QStringLiteral("insert into TBDOCUMENTOS (IDDOCUMENTO, IDPROTOCOLO, ANO, NOMEDOCUMENTO, PAGINA) "
                                  "values (?, ?, ?, ?, ?)"),
                   {code, number, year, name, pages});
    }
    // The protocol screen's "Comprovante de Entrega" on this protocol.
    const Shown &receiptOf(const QString &number, const QString &year) {
        openScreen();
        select(number, year);
        shown.clear();
        w("btnComprovante")->click();
        if (shown.size() != 1)
            qFatal("no receipt shown for %s/%s", qPrintable(number), qPrintable(year));
        return shown.first();
    }
    QStringList labelRows(const QString &op, int kind) {
        QStringList rows;
        RecordSet set(QStringLiteral("rows"));
        set.setConnection(&f->unit->MDatabasePrincipal);
        set.setCommandText(QStringLiteral("select * from TBREL_AUX where OPERADOR = ? and TIPOREL = ? order by PAG_ATUAL"),
                           {op, kind});
        set.open();
        for (; !set.eof(); set.next())
            rows << QStringLiteral("%1/%2 %3 %4/%5")
                        .arg(set.field(QStringLiteral("IDPROTOCOLO")).asString(), set.field(QStringLiteral("ANO")).asString(),
                             set.field(QStringLiteral("NOMEDOCUMENTO")).asString(),
                             set.field(QStringLiteral("PAG_ATUAL")).asString(),
                             set.field(QStringLiteral("PAG_TOTAL")).asString());
        return rows;
    }

private slots:
    void init() {
        Clock::setNow(QDateTime(Today, QTime(10, 0)));
        f = std::make_unique<UnitFixture>();
        reports = std::make_unique<TUDMRelatorio>(*f->unit);
        EnsureLabelScratchTable(*f->unit);
        SessionState &s = f->session;
        s.ProgramFolder = programFolder.path();
        s.OperatorCode = Operator;
        s.OperatorName = QStringLiteral("JOSÉ DA SILVA");
        s.UnitLabel = QStringLiteral("01-PREFEITURA MUNICIPAL DE TERESINA");
        s.StateText = QStringLiteral("ESTADO DO PIAUÍ");
        s.EntityCity = QStringLiteral("TERESINA");
        s.RightsNotice = QStringLiteral("Kalvero - todos os direitos reservados");
        QDir().mkpath(programFolder.file(QStringLiteral("Config")));
        QImage emblem(72, 72, QImage::Format_RGB32);
        emblem.fill(Qt::darkGreen);
        QVERIFY(emblem.save(programFolder.file(QStringLiteral("Config/prefeitura.bmp"))));

        addRequester(1, QStringLiteral("ANA MARIA DE SOUSA"), QStringLiteral("12345678901"));
        f->execute(QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (1, 'ALVARA DE CONSTRUCAO')"));
        shown.clear();
    }
    void cleanup() {
        screen.reset();
        reports.reset();
        f.reset();
        Clock::setNow(QDateTime());
    }

    // Three documents of 2, 5 and 1 pages: three lines and their totals,
    // every item where the layout puts it, and the PDF's text holding it all.
    void receiptWithDocuments() {
        addProtocol("00012", "2014");
        addDocument("00012", "2014", 1, "RG", 2);
        addDocument("00012", "2014", 2, "ESCRITURA DO IMOVEL", 5);
        addDocument("00012", "2014", 3, "PLANTA", 1);
        const Shown receipt = receiptOf("00012", "2014");
        QCOMPARE(receipt.layout, QStringLiteral("TRelatorio_Comprovante"));
        QCOMPARE(receipt.document.pages.size(), size_t(1));
        const ReportPage &page = receipt.document.pages[0];
        const QStringList texts = page.texts();
        for (const char *expected :
             {"ESTADO DO PIAUÍ", "SISTEMA DE GERENCIAMENTO ELETRÔNICO DE PROTOCOLOS", "PREFEITURA MUNICIPAL DE TERESINA",
              "Data : 20/05/2014", "Página : 1", "R E Q U E R I M E N T O", "ASSUNTO: ALVARA DE CONSTRUCAO", "00012",
              "2014", "ATIVO", "02/05/2014", "ANA MARIA DE SOUSA", "123.456.789-01", "(86) 3222-1000",
              "PEDIDO DE ALVARA PARA REFORMA", "001", "002", "003", "RG", "ESCRITURA DO IMOVEL", "PLANTA",
              "Total de Documentos: 3    Total de páginas: 8", "TERESINA, 20/05/2014", "Responsável pelo recebimento",
              "Solicitante", "JOSÉ DA SILVA", "Kalvero - todos os direitos reservados"})
            QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!texts.contains(QStringLiteral("REQUERIMENTO")));  // the title line is empty here
        QCOMPARE(texts.filter(QRegularExpression("^[0-9]$")), QStringList({"2", "5", "1"}));

        // Places on the sheet: 10 mm margins, bands one under another.
        const double header = 10, columns = header + 78.3, detail = columns + 11.4, summary = detail + 3 * 3.4;
        checkPlaces(page, {{"ESTADO DO PIAUÍ", 10 + 20.4, header + 2.6},
                           {"Página : 1", 10 + 193.1, header + 13.8, Right},
                           {"Data : 20/05/2014", 10 + 193.1, header + 4.5, Right},
                           {"R E Q U E R I M E N T O", 10 + 195.9 / 2, header + 24.3, Centre},
                           {"Número:", 10 + 2.9, header + 47.9},
                           {"00012", 10 + 17.2, header + 47.9},
                           {"Data de Entrada:", 10 + 75.7, header + 47.9},
                           {"C.P.F:", 10 + 119.3, header + 53.4},
                           {"Descrição:", 10 + 2.9, header + 64.6},
                           {"PEDIDO DE ALVARA PARA REFORMA", 10 + 2.9, header + 70.1},
                           {"Documentos em anexo:", 10 + 2.9, columns},
                           {"Quantidade de Páginas", 10 + 161.4, columns + 5.8},
                           {"RG", 10 + 10.1, detail},
                           {"PLANTA", 10 + 10.1, detail + 2 * 3.4},
                           {"2", 10 + 195.0, detail, Right},
                           {"Total de Documentos: 3    Total de páginas: 8", 10 + 194.7, summary + 1.6, Right},
                           {"TERESINA, 20/05/2014", 10 + (64.8 + 128.3) / 2, summary + 15.3, Centre},
                           {"Responsável pelo recebimento", 10 + 16.1 + 63.5 / 2, summary + 31.2, Centre},
                           {"ANA MARIA DE SOUSA", 10 + 20.6, header + 53.4},
                           {"Kalvero - todos os direitos reservados", 10 + 1.1 + 193.9 / 2, 279.4 - 10 - 4.5 + 0.5,
                            Centre}});

        const QString text = pdfText(pdfOf(receipt.document, programFolder, "comprovante.pdf"));
        // pdftotext gives the letter-spaced title back as one word.
        for (const char *expected : {"REQUERIMENTO", "ASSUNTO: ALVARA DE CONSTRUCAO", "ANA MARIA DE SOUSA",
                                        "ESCRITURA DO IMOVEL", "Total de Documentos: 3", "Total de páginas: 8",
                                        "SISTEMA DE GERENCIAMENTO ELETRÔNICO DE PROTOCOLOS", "123.456.789-01"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }

    // Documents running onto a second page: the heading, the protocol block
    // and the column header again there, and the totals over both pages.
    void receiptOverTwoPages() {
        addProtocol("00013", "2014");
        for (int i = 1; i <= 60; ++i)
            addDocument("00013", "2014", i, QStringLiteral("DOCUMENTO %1").arg(i), 2);
        const Shown receipt = receiptOf("00013", "2014");
        QCOMPARE(receipt.document.pages.size(), size_t(2));
        for (const ReportPage &page : receipt.document.pages) {
            const QStringList texts = page.texts();
            for (const char *repeated : {"ESTADO DO PIAUÍ", "R E Q U E R I M E N T O", "Número:", "00013",
                                         "ANA MARIA DE SOUSA", "Documentos em anexo:", "Quantidade de Páginas"})
                QVERIFY2(texts.contains(QString::fromUtf8(repeated)), repeated);
            QVERIFY(texts.contains(QStringLiteral("Página : %1").arg(page.number)));
        }
        const QStringList all = allTexts(receipt.document);
        QCOMPARE(all.filter(QRegularExpression("^DOCUMENTO \\d+$")).size(), 60);
        QVERIFY(receipt.document.pages[1].texts().contains("Total de Documentos: 60    Total de páginas: 120"));
        const QString text = pdfText(pdfOf(receipt.document, programFolder, "duas-paginas.pdf"));
        QCOMPARE(text.count(QStringLiteral("REQUERIMENTO")), 2);
        QVERIFY(text.contains(QStringLiteral("DOCUMENTO 60")));
    }

    // A description of 500 characters wraps whole and pushes the column
    // header down.
    void longDescriptionPushesTheColumnHeader() {
        QStringList words;
        while (words.join(' ').size() < 495)
            words << QStringLiteral("REFORMA%1").arg(words.size());
        const QString description = words.join(' ').left(500);
        addProtocol("00014", "2014", "0", 1, description);
        addDocument("00014", "2014", 1, "RG", 1);
        const Shown receipt = receiptOf("00014", "2014");
        const ReportPage &page = receipt.document.pages[0];
        QStringList shownWords;
        double lastLine = 0;
        for (const PageItem &item : page.items)
            if (const auto *t = std::get_if<TextItem>(&item); t && t->text.startsWith("REFORMA")) {
                shownWords << t->text.split(' ');
                lastLine = std::max(lastLine, t->frame.bottom());
            }
        QCOMPARE(shownWords.join(' '), description);
        const TextItem *columns = page.findText(QStringLiteral("Documentos em anexo:"));
        QVERIFY(lastLine > 10 + 78.3);
        QVERIFY(columns->frame.top() >= lastLine - 1e-6);
    }

    // Without documents the receipt has no document lines and is titled
    // "REQUERIMENTO"; the first document added switches it.
    void receiptFollowsTheDocuments() {
        addProtocol("00015", "2014");
        Shown receipt = receiptOf("00015", "2014");
        QCOMPARE(receipt.layout, QStringLiteral("TRelatorio_ComprovanteSemDocumento"));
        QStringList texts = allTexts(receipt.document);
        QVERIFY(texts.contains("REQUERIMENTO"));
        QVERIFY(texts.contains("R E Q U E R I M E N T O"));
        QVERIFY(!texts.contains("Documentos em anexo:"));
        QVERIFY(texts.filter("Total de Documentos").isEmpty());
        QVERIFY(texts.contains("Responsável pelo recebimento"));

        addDocument("00015", "2014", 1, "REQUERIMENTO ASSINADO", 3);
        receipt = receiptOf("00015", "2014");
        QCOMPARE(receipt.layout, QStringLiteral("TRelatorio_Comprovante"));
        texts = allTexts(receipt.document);
        QVERIFY(texts.contains("REQUERIMENTO ASSINADO"));
        QVERIFY(texts.contains("Total de Documentos: 1    Total de páginas: 3"));
    }

    // A document being entered is not on the receipt: the layout and its
    // lines come from the saved documents alone.
    void theReceiptTakesSavedDocumentsOnly() {
        addProtocol("00015", "2014");
        openScreen();
        select("00015", "2014");
        w("btnAlterar")->click();
        ProtocolPrintCommands commands(*f->registries, *reports, f->session, presenter());
        const auto receiptWithAnEntryOpen = [&] {
            w("btnIncluirDocumento")->click();
            typeInto(w<QLineEdit>("edtNomeDocumento"), "NAO GRAVADO");
            typeInto(w<QLineEdit>("edtPaginas"), "7");
            shown.clear();
            commands.receipt(screen.get());
            w("btnVoltarDocumento")->click();
            if (shown.size() != 1)
                qFatal("no receipt shown");
            return shown.first();
        };
        Shown receipt = receiptWithAnEntryOpen();
        QCOMPARE(receipt.layout, QStringLiteral("TRelatorio_ComprovanteSemDocumento"));
        QStringList texts = allTexts(receipt.document);
        QVERIFY(texts.contains("ASSUNTO: ALVARA DE CONSTRUCAO"));
        QVERIFY(texts.contains("00015"));
        QVERIFY(!texts.contains("NAO GRAVADO"));

        addDocument("00015", "2014", 1, "RG", 2);
        w("btnSairManutencao")->click();
        w("btnAlterar")->click();
        receipt = receiptWithAnEntryOpen();
        QCOMPARE(receipt.layout, QStringLiteral("TRelatorio_Comprovante"));
        texts = allTexts(receipt.document);
        QVERIFY(texts.contains("RG"));
        QVERIFY(!texts.contains("NAO GRAVADO"));
        QVERIFY(texts.contains("Total de Documentos: 1    Total de páginas: 2"));
    }

    // A company has no CPF: its receipt shows the CNPJ, punctuated.
    void companyReceiptShowsItsCnpj() {
        addRequester(2, QStringLiteral("CONSTRUTORA PIAUÍ LTDA"), QString(), QStringLiteral("11222333000181"));
        addProtocol("00016", "2014", "0", 2);
        const QStringList texts = allTexts(receiptOf("00016", "2014").document);
        QVERIFY(texts.contains("CNPJ:"));
        QVERIFY(texts.contains("11.222.333/0001-81"));
        QVERIFY(!texts.contains("C.P.F:"));
        QVERIFY(!texts.contains("..-"));
    }

    // The coat of arms prints when Config/prefeitura.bmp can be read; a
    // missing or unreadable file leaves its frame empty and the rest prints.
    void theCoatOfArmsIsLeftOutWhenItCannotBeRead_data() {
        QTest::addColumn<QByteArray>("file");  // empty: no file at all
        QTest::addColumn<bool>("printed");
        QTest::newRow("legível") << QByteArray("keep") << true;
        QTest::newRow("ausente") << QByteArray() << false;
        QTest::newRow("ilegível") << QByteArray("BM not a picture") << false;
    }
    void theCoatOfArmsIsLeftOutWhenItCannotBeRead() {
        QFETCH(QByteArray, file);
        QFETCH(bool, printed);
        const QString emblem = programFolder.file(QStringLiteral("Config/prefeitura.bmp"));
        if (file != "keep") {
            QFile::remove(emblem);
            if (!file.isEmpty()) {
                QFile bad(emblem);
                QVERIFY(bad.open(QIODevice::WriteOnly));
                bad.write(file);
            }
        }
        addProtocol("00018", "2014");
        const Shown receipt = receiptOf("00018", "2014");
        bool image = false;
        for (const PageItem &item : receipt.document.pages[0].items)
            image = image || std::holds_alternative<ImageItem>(item);
        QCOMPARE(image, printed);
        QVERIFY(receipt.document.pages[0].texts().contains("ESTADO DO PIAUÍ"));
        QVERIFY(receipt.document.pages[0].texts().contains("ANA MARIA DE SOUSA"));
    }

    void noReceiptForACancelledOrArchivedProtocol_data() {
        QTest::addColumn<QString>("status");
        QTest::newRow("cancelado") << "1";
        QTest::newRow("arquivado") << "2";
    }
    void noReceiptForACancelledOrArchivedProtocol() {
        QFETCH(QString, status);
        addProtocol("00017", "2014", status);
        openScreen();
        auto *filter = named<QComboBox>(screen.get(), "cbStatusFiltro");
        filter->setCurrentIndex(status.toInt());
        emit filter->activated(status.toInt());
        select("00017", "2014");
        f->clearMessages();
        w("btnComprovante")->click();
        QVERIFY(shown.isEmpty());
        QCOMPARE(f->messageTexts(),
                 QStringList("Não será possível imprimir o comprovante de entrega do protocolo de Nº000172014 porque "
                             "este protocolo esta cancelado!"));
        QCOMPARE(f->messages().first().caption, QStringLiteral("Atenção"));
    }

    // Labels per document and grouped: the rows written for the operator and
    // the label pages they make.
    void labelRuns() {
        addProtocol("00012", "2014");
        addDocument("00012", "2014", 1, "RG", 2);
        addDocument("00012", "2014", 2, "ESCRITURA DO IMOVEL", 3);
        // Rows of another operator and of the other kind stay as they are.
        f->execute("insert into TBREL_AUX (OPERADOR, TIPOREL, IDPROTOCOLO, ANO, PAG_ATUAL, PAG_TOTAL) "
                   "values ('0002', 1, '00099', '2013', 1, 1)");
        openScreen();
        select("00012", "2014");
        w<QPushButton>("btnAlterar")->click();
        QVERIFY(documents().locate("IDDOCUMENTO", 2));

        f->session.LabelSequence = 0;
        w<QToolButton>("btnEtiquetaDocumento")->click();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].layout, QStringLiteral("TRelatorio_EtiquetaDocumentos"));
        QCOMPARE(labelRows(Operator, 1), QStringList({"00012/2014 ESCRITURA DO IMOVEL 1/3",
                                                      "00012/2014 ESCRITURA DO IMOVEL 2/3",
                                                      "00012/2014 ESCRITURA DO IMOVEL 3/3"}));
        QCOMPARE(shown[0].document.pages.size(), size_t(3));
        for (const ReportPage &page : shown[0].document.pages) {
            const QStringList texts = page.texts();
            QVERIFY(texts.contains(QString::number(page.number)));
            QVERIFY(texts.contains("3"));
            QVERIFY(texts.contains("ESCRITURA DO IMOVEL"));
            QVERIFY(texts.contains("00012") && texts.contains("2014") && texts.contains("02/05/2014"));
        }

        f->session.LabelSequence = 1;
        w<QToolButton>("btnEtiquetaDocumento")->click();
        QCOMPARE(shown[1].layout, QStringLiteral("TRelatorio_EtiquetaDocumentosAgrupado"));
        QCOMPARE(labelRows(Operator, 2), QStringList({"00012/2014  1/5", "00012/2014  2/5", "00012/2014  3/5",
                                                      "00012/2014  4/5", "00012/2014  5/5"}));
        QCOMPARE(shown[1].document.pages.size(), size_t(5));
        QVERIFY(allTexts(shown[1].document).filter("Documento").isEmpty());

        // Another per-document run, for the first document, by double click.
        f->session.LabelSequence = 0;
        QVERIFY(documents().locate("IDDOCUMENTO", 1));
        emit named<RecordGrid>(screen.get(), "DBGrid2")->listDoubleClicked();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(labelRows(Operator, 1), QStringList({"00012/2014 RG 1/2", "00012/2014 RG 2/2"}));
        QCOMPARE(labelRows(Operator, 2).size(), 5);
        QCOMPARE(labelRows("0002", 1), QStringList({"00099/2013  1/1"}));

        // A value the entity never sets prints nothing.
        f->session.LabelSequence = 7;
        w<QToolButton>("btnEtiquetaDocumento")->click();
        QCOMPARE(shown.size(), 3);
    }

    // A run that fails on the way leaves the operator's earlier rows.
    void aFailedLabelRunKeepsTheEarlierRows() {
        addProtocol("00012", "2014");
        addDocument("00012", "2014", 1, "RG", 2);
        addDocument("00012", "2014", 2, "FALHA", 4);
        f->execute("create exception PAGINA_RECUSADA 'pagina recusada'");
        f->execute("create trigger RECUSA for TBREL_AUX before insert as begin "
                   "if (new.NOMEDOCUMENTO = 'FALHA' and new.PAG_ATUAL = 3) then exception PAGINA_RECUSADA; end");
        ProtocolPrintStore store(*reports);
        QCOMPARE(store.prepareDocumentLabels("00012", "2014", 1, Operator), 2);
        QVERIFY_THROWS_EXCEPTION(Failure, store.prepareDocumentLabels("00012", "2014", 2, Operator));
        QCOMPARE(labelRows(Operator, 1), QStringList({"00012/2014 RG 1/2", "00012/2014 RG 2/2"}));
    }

    // Protocol 00001 of 2015 never shows on what 00001 of 2014 prints.
    void theSameNumberOfAnotherYearStaysApart() {
        addProtocol("00001", "2014");
        addProtocol("00001", "2015", "0", 1, QStringLiteral("OUTRO PEDIDO"));
        addDocument("00001", "2014", 1, "RG", 1);
        addDocument("00001", "2015", 1, "CERTIDAO DE 2015", 4);
        const QStringList receipt = allTexts(receiptOf("00001", "2014").document);
        QVERIFY(receipt.contains("RG"));
        QVERIFY(!receipt.contains("CERTIDAO DE 2015") && !receipt.contains("OUTRO PEDIDO"));
        QVERIFY(receipt.contains("Total de Documentos: 1    Total de páginas: 1"));

        ProtocolPrintStore store(*reports);
        QCOMPARE(store.prepareGroupedLabels("00001", "2014", Operator), 1);
        QCOMPARE(labelRows(Operator, 2), QStringList({"00001/2014  1/1"}));
        store.loadProtocolLabel("00001", "2014");
        TRelatorio_Etiqueta label(reports->cdsEtiquetaProtocolo);
        const ReportDocument doc = label.run();
        QCOMPARE(doc.pages.size(), size_t(1));
        QVERIFY(doc.pages[0].texts().contains("2014") && !doc.pages[0].texts().contains("2015"));
        QCOMPARE(label.barcode().Texto(), QStringLiteral("000012014"));
    }

    // A document without a page count makes no label rows: an empty preview.
    void aDocumentWithoutPagesGivesNoLabels() {
        addProtocol("00012", "2014");
        addDocument("00012", "2014", 1, "RG", QVariant());
        ProtocolPrintStore store(*reports);
        QCOMPARE(store.prepareDocumentLabels("00012", "2014", 1, Operator), 0);
        QCOMPARE(store.prepareGroupedLabels("00012", "2014", Operator), 0);
        TRelatorio_EtiquetaDocumentos labels(reports->cdsTBRel_AUX);
        const ReportDocument doc = labels.run();
        QVERIFY(allTexts(doc).isEmpty());
        for (const ReportPage &page : doc.pages)
            QVERIFY(!barsOn(page));
    }

    // The three labels of protocol 00012/2014 on paper: every label page
    // scans as 0000001220148, its barcode lies wholly on the label's
    // printable area, and its texts stand where the layout puts them.
    void labelsScanAndKeepTheirPlaces() {
        addProtocol("00012", "2014");
        addDocument("00012", "2014", 1, "RG", 2);
        addDocument("00012", "2014", 2, "ESCRITURA DO IMOVEL", 3);
        ProtocolPrintStore store(*reports);
        const QRectF printable(2, 2, 51, 21);
        const double barsLeft = 2 + (51 - 113 * LabelLayout::ModuleWidthMm);
        auto check = [&](LabelLayout &layout, int pages, const QString &name, const QList<Place> &places) {
            const ReportDocument doc = layout.run();
            QCOMPARE(doc.pages.size(), size_t(pages));
            for (const ReportPage &page : doc.pages) {
                const BarsItem *bars = barsOn(page);
                QVERIFY(bars);
                QVERIFY2(printable.contains(bars->frame), qPrintable(name));
                QVERIFY(qAbs(bars->frame.left() - barsLeft) < 0.1);
                for (const PageItem &item : page.items)
                    if (const auto *t = std::get_if<TextItem>(&item))
                        QVERIFY2(t->frame.right() <= 53 + 1e-6 && t->baseline.y() <= 23 + 1e-6,
                                 qPrintable(name + ": " + t->text));
            }
            checkPlaces(doc.pages[0], places);
            const QStringList images = pdfToPng(pdfOf(doc, programFolder, name + ".pdf"), 300);
            QCOMPARE(images.size(), pages);
            for (const QString &image : images)
                QCOMPARE(decodeBarcodes(image), QStringList("EAN-13:0000001220148"));
        };

        store.loadProtocolLabel("00012", "2014");
        TRelatorio_Etiqueta folder(reports->cdsEtiquetaProtocolo);
        check(folder, 1, "etiqueta",
              {{"Protocolo:", 2 + 1.4, 2 + 0.3}, {"00012", 2 + 15.1, 2 + 0.4}, {"/", 2 + 22.0, 2 + 0.3},
               {"2014", 2 + 23.3, 2 + 0.4}, {"Data:", 2 + 30.6, 2 + 0.3}, {"02/05/2014", 2 + 37.4, 2 + 0.4},
               {"Motivo:", 2 + 1.4, 2 + 4.9}, {"ALVARA DE CONSTRUCAO", 2 + 13.7, 2 + 4.9}});
        QCOMPARE(folder.barcode().Texto(), QStringLiteral("000122014"));

        store.prepareDocumentLabels("00012", "2014", 2, Operator);
        TRelatorio_EtiquetaDocumentos pages(reports->cdsTBRel_AUX);
        check(pages, 3, "etiquetas",
              {{"Protocolo:", 2 + 1.7, 2 + 0.4}, {"00012", 2 + 15.1, 2 + 0.4}, {"Documento:", 2 + 1.7, 2 + 4.5},
               {"ESCRITURA DO IMOVEL", 2 + 16.9, 2 + 4.7}, {"Página:", 2 + 1.7, 2 + 11.9},
               {"1", 2 + 20.1, 2 + 11.9, Right}, {"/", 2 + 22.0, 2 + 0.3}, {"3", 2 + 21.6, 2 + 11.9}});

        store.prepareGroupedLabels("00012", "2014", Operator);
        TRelatorio_EtiquetaDocumentosAgrupado grouped(reports->cdsTBRel_AUX);
        check(grouped, 5, "etiquetas-agrupadas",
              {{"Protocolo:", 2 + 1.7, 2 + 0.4}, {"Página:", 2 + 1.7, 2 + 7.9}, {"1", 2 + 19.9, 2 + 7.9, Right},
               {"5", 2 + 21.7, 2 + 7.9}});
    }

    // The save that follows a new protocol's first previews its receipt:
    // the screen steps aside meanwhile, comes back afterwards and stays open.
    void theReceiptAtTheSecondSaveStepsTheScreenAside() {
        openScreen();
        bool closedByTheTest = false;
        QTimer::singleShot(0, this, [&] {
            w("btnNovo")->click();
            typeInto(w<QLineEdit>("edtSolicitante"), "1");
            typeInto(w<QLineEdit>("edtAssunto"), "1");
            w<QPlainTextEdit>("mmDescricao")->setFocus();
            QTest::keyClicks(w<QPlainTextEdit>("mmDescricao"), "PEDIDO NOVO");
            f->answer({MessageService::Answer::Yes});
            w("btnGravar")->click();
            QVERIFY(shown.isEmpty());
            f->answer({MessageService::Answer::Yes});
            w("btnGravar")->click();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].layout, QStringLiteral("TRelatorio_ComprovanteSemDocumento"));
            QVERIFY(!shown[0].screenVisible);
            QVERIFY(allTexts(shown[0].document).contains("PEDIDO NOVO"));
            QVERIFY(screen->isVisible());
            closedByTheTest = true;
            screen->close();
        });
        screen->exec();
        QVERIFY(closedByTheTest);
    }
};

QTEST_MAIN(ProtocolPrintingTest)
#include "tst_protocol_printing.moc"
