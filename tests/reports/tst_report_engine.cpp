#include "PagePlaces.h"
#include "TestDatabase.h"

#include "data/Clock.h"
#include "data/firebird/Connection.h"
#include "data/records/RecordSet.h"
#include "data/schema/UnitSchema.h"
#include "reports/ReportDataText.h"
#include "reports/ReportError.h"
#include "reports/ReportFonts.h"
#include "reports/ReportImage.h"
#include "reports/ReportLabel.h"
#include "reports/ReportLayout.h"
#include "reports/ReportMemo.h"
#include "reports/ReportRun.h"
#include "reports/ReportShape.h"
#include "reports/ReportSystemData.h"
#include "reports/TextMetrics.h"

#include <QtTest>

using namespace kalvero;

namespace {

const QString LongText = QStringLiteral(
    "REQUERIMENTO DE ALVARA DE FUNCIONAMENTO PARA COMERCIO VAREJISTA DE PRODUTOS ALIMENTICIOS, COM "
    "APRESENTACAO DE CONTRATO SOCIAL, COMPROVANTE DE ENDERECO E LAUDO DO CORPO DE BOMBEIROS");

// A list: page header, column header, one detail per document, a summary
// that prints the count the details kept, and a footer with the page number.
struct ListLayout {
    ReportLayout layout;
    ReportBand *detail = nullptr;
    ReportLabel *total = nullptr;
    QStringList events;

    ListLayout(RecordSet *docs, double h, double c, double d, double s, double f) {
        layout.setDataSet(docs);
        layout.onBeforePrint = [this](ReportRun &) { events << "report"; };
        auto log = [this](const char *what) {
            return [this, what](ReportRun &run) {
                events << QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(run.pageNumber());
            };
        };
        if (h > 0) {
            ReportBand *b = layout.addBand(BandKind::PageHeader, h);
            b->add<ReportLabel>(0, 0, 100, 5, QStringLiteral("CABEÇALHO"));
            b->onBeforePrint = log("header");
        }
        if (c > 0) {
            ReportBand *b = layout.addBand(BandKind::ColumnHeader, c);
            b->add<ReportLabel>(0, 0, 100, 4, QStringLiteral("COLUNAS"));
            b->setFrameLines(true, true);
            b->onBeforePrint = log("column");
        }
        detail = layout.addBand(BandKind::Detail, d);
        detail->add<ReportDataText>(QStringLiteral("NOMEDOCUMENTO"), 0, 0, 80, d);
        detail->onBeforePrint = [this, docs](ReportRun &run) {
            ++run.counter(QStringLiteral("linhas"));
            events << QStringLiteral("detail %1 id %2")
                          .arg(run.recordNumber())
                          .arg(docs->field(QStringLiteral("IDDOCUMENTO")).asInteger());
        };
        if (s > 0) {
            ReportBand *b = layout.addBand(BandKind::Summary, s);
            total = b->add<ReportLabel>(0, 0, 100, 5);
            b->onBeforePrint = [this](ReportRun &run) {
                total->setCaption(QStringLiteral("TOTAL: %1").arg(run.counter(QStringLiteral("linhas"))));
                events << QStringLiteral("summary %1").arg(run.pageNumber());
            };
        }
        if (f > 0) {
            ReportBand *b = layout.addBand(BandKind::PageFooter, f);
            b->add<ReportSystemData>(ReportSystemData::Kind::PageNumber, 0, 0, 50, 5);
            b->onBeforePrint = log("footer");
        }
    }
};

// Pages: which page holds a text, and where.
int pageOf(const ReportDocument &doc, const QString &text) {
    for (const ReportPage &p : doc.pages)
        if (p.findText(text))
            return p.number;
    return 0;
}

QStringList allStartingWith(const ReportDocument &doc, const QString &prefix) {
    QStringList out;
    for (const ReportPage &p : doc.pages)
        for (const QString &t : p.texts())
            if (t.startsWith(prefix))
                out << t;
    return out;
}

}  // namespace

class ReportEngineTest : public QObject {
    Q_OBJECT

    test::ScratchFolder *m_folder = nullptr;
    Connection *m_connection = nullptr;

    // The first count documents of protocol 00001/2014, "DOC 1" ... in order.
    std::unique_ptr<RecordSet> documents(int count) {
        auto set = std::make_unique<RecordSet>(QStringLiteral("cdsDocumentos"));
        set->setConnection(m_connection);
        set->declareTable(*UnitSchema::table(QStringLiteral("TBDOCUMENTOS")));
        set->setCommandText(QStringLiteral("select * from TBDOCUMENTOS where IDDOCUMENTO <= ? order by IDDOCUMENTO"),
                            {count});
        set->open();
        return set;
    }
    std::unique_ptr<RecordSet> protocols() {
        auto set = std::make_unique<RecordSet>(QStringLiteral("cdsProtocolo"));
        set->setConnection(m_connection);
        set->declareTable(*UnitSchema::table(QStringLiteral("TBPROTOCOLO")));
        set->setCommandText(QStringLiteral("select * from TBPROTOCOLO order by IDPROTOCOLO"));
        set->open();
        return set;
    }

private slots:
    void initTestCase() {
        m_folder = new test::ScratchFolder;
        m_connection = new Connection;
        m_connection->setDatabaseName(test::createUnitDatabase(*m_folder));
        Connection &c = *m_connection;
        c.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')"));
        c.execute(QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
        c.execute(QStringLiteral("insert into TBPROTOCOLO values ('00001', '2014', 1, 1, '2014-03-01', '0', ?)"),
                  {LongText});
        c.execute(QStringLiteral("insert into TBPROTOCOLO values ('00002', '2014', 1, 1, '2014-03-02', '0', 'CURTO')"));
        c.execute(QStringLiteral("execute block as declare i integer = 1; begin "
                                 "while (i <= 300) do begin "
                                 "insert into TBDOCUMENTOS values (:i, '00001', '2014', 'DOC ' || :i, :i); "
                                 "i = i + 1; end end"));
    }
    void cleanupTestCase() {
        delete m_connection;
        delete m_folder;
        Clock::setNow(QDateTime());
    }

    // A4: 297 mm high, 10 mm margins, 277 mm printable.
    void pagination_data() {
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("c");
        QTest::addColumn<double>("d");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("f");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("summaryPage");
        // 277 - 20 - 10 - 10 leaves 237 mm: 23 details of 10 mm a page.
        QTest::newRow("three pages") << 20.0 << 10.0 << 10.0 << 15.0 << 10.0 << 50 << 3 << 3;
        QTest::newRow("summary moves to a page of its own") << 20.0 << 10.0 << 10.0 << 15.0 << 10.0 << 23 << 2 << 2;
        QTest::newRow("summary fits exactly") << 20.0 << 10.0 << 10.0 << 7.0 << 10.0 << 23 << 1 << 1;
        QTest::newRow("one row more") << 20.0 << 10.0 << 10.0 << 7.0 << 10.0 << 24 << 2 << 2;
        QTest::newRow("empty dataset") << 20.0 << 10.0 << 10.0 << 15.0 << 10.0 << 0 << 1 << 1;
        QTest::newRow("detail taller than a page") << 20.0 << 10.0 << 300.0 << 15.0 << 10.0 << 2 << 3 << 3;
        // 277 / 5 = 55 details a page.
        QTest::newRow("bare details") << 0.0 << 0.0 << 5.0 << 0.0 << 0.0 << 200 << 4 << 0;
    }
    void pagination() {
        QFETCH(double, h);
        QFETCH(double, c);
        QFETCH(double, d);
        QFETCH(double, s);
        QFETCH(double, f);
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(int, summaryPage);
        auto docs = documents(rows);
        ListLayout list(docs.get(), h, c, d, s, f);
        const ReportDocument doc = list.layout.run();

        QCOMPARE(int(doc.pages.size()), pages);
        const double footerTop = 297 - 10 - f;
        for (const ReportPage &page : doc.pages) {
            const QStringList texts = page.texts();
            if (h > 0)
                QCOMPARE(page.findText(QStringLiteral("CABEÇALHO"))->frame.top(), 10.0);
            if (c > 0) {
                QCOMPARE(page.findText(QStringLiteral("COLUNAS"))->frame.top(), 10.0 + h);
                // Never alone at the end of a page.
                QVERIFY2(texts.last().startsWith("DOC") || texts.last().startsWith("TOTAL") ||
                             texts.last().startsWith("Página"),
                         qPrintable(texts.join('|')));
                QVERIFY(std::any_of(texts.begin(), texts.end(),
                                    [](const QString &t) { return t.startsWith("DOC") || t.startsWith("TOTAL"); }));
            }
            if (f > 0) {
                const TextItem *footer = page.findText(QStringLiteral("Página : %1").arg(page.number));
                QVERIFY(footer);
                QCOMPARE(footer->frame.top(), footerTop);
            }
            // Nothing runs into the footer, but the one band of a page that
            // is taller than the page.
            int body = 0;
            for (const PageItem &item : page.items)
                if (const auto *t = std::get_if<TextItem>(&item); t && t->text.startsWith("DOC"))
                    ++body;
            for (const PageItem &item : page.items)
                if (const auto *t = std::get_if<TextItem>(&item); t && t->text.startsWith("DOC") && body > 1)
                    QVERIFY(t->frame.bottom() <= footerTop + 1e-9);
        }
        // Every record once, in order, across the pages.
        QStringList expected;
        for (int i = 1; i <= rows; ++i)
            expected << QStringLiteral("DOC %1").arg(i);
        QCOMPARE(allStartingWith(doc, "DOC "), expected);
        if (summaryPage) {
            QCOMPARE(allStartingWith(doc, "TOTAL"), QStringList{QStringLiteral("TOTAL: %1").arg(rows)});
            QCOMPARE(pageOf(doc, QStringLiteral("TOTAL: %1").arg(rows)), summaryPage);
        }
        // The counters belong to the run: a second run counts afresh.
        if (summaryPage) {
            const ReportDocument again = list.layout.run();
            QCOMPARE(allStartingWith(again, "TOTAL"), QStringList{QStringLiteral("TOTAL: %1").arg(rows)});
        }
        docs->setRecNo(std::min(rows, 3));
        test::checkSamePagesOnDemand(list.layout, doc);
        if (rows > 0)
            QCOMPARE(docs->recNo(), std::min(rows, 3));  // the caller's record again
    }

    void eventsInOrder() {
        auto docs = documents(24);
        docs->setRecNo(5);
        ListLayout list(docs.get(), 20, 10, 10, 15, 10);
        list.layout.run();
        QStringList expected{"report", "header 1", "column 1"};
        for (int i = 1; i <= 24; ++i) {
            expected << QStringLiteral("detail %1 id %1").arg(i);
            // The 24th does not fit: its event has fired, then page 1 closes.
            if (i == 24)
                expected << "footer 1" << "header 2" << "column 2";
        }
        expected << "summary 2" << "footer 2";
        QCOMPARE(list.events, expected);
        QCOMPARE(pageOf(list.layout.run(), "DOC 24"), 2);
        QCOMPARE(docs->recNo(), 5);  // the caller's record again
    }

    void growingTextPushesWhatLiesUnder() {
        auto docs = documents(2);
        auto prot = protocols();  // another open dataset, on its first record
        ReportLayout layout;
        layout.setDataSet(docs.get());
        ReportBand *detail = layout.addBand(BandKind::Detail, 12);
        auto *code = detail->add<ReportDataText>(QStringLiteral("IDDOCUMENTO"), 0, 0, 15, 5);
        auto *text = detail->add<ReportDataText>(QStringLiteral("DESCRICAO"), 20, 0, 60, 5, prot.get());
        text->setGrowsDownwards(true);
        auto *date = detail->add<ReportDataText>(QStringLiteral("DATADEENTRADA"), 90, 0, 30, 5, prot.get());
        detail->add<ReportLabel>(21, 6, 40, 5, QStringLiteral("ABAIXO"));
        // The same text in a box that does not grow: one line, cut at its frame.
        detail->add<ReportDataText>(QStringLiteral("DESCRICAO"), 130, 0, 40, 5, prot.get());
        ReportBand *summary = layout.addBand(BandKind::Summary, 5);
        auto *memo = summary->add<ReportMemo>(0, 0, 100, 5);
        summary->add<ReportLabel>(0, 5, 40, 5, QStringLiteral("FIM"));
        summary->onBeforePrint = [memo](ReportRun &) {
            memo->setLines({"UM", "DOIS", "TRÊS", "QUATRO"});
        };
        Q_UNUSED(code);
        Q_UNUSED(date);

        const ReportDocument doc = layout.run();
        QCOMPARE(doc.pages.size(), size_t(1));
        const ReportPage &page = doc.pages[0];
        TextMetrics metrics;
        const double line = metrics.lineHeightMm(ReportFonts::arial(10));
        const QStringList texts = page.texts();
        // Formatted by the fields' display formats.
        QCOMPARE(texts.mid(0, 1), QStringList{"001"});
        QVERIFY(texts.contains("01/03/2014"));
        QVERIFY(!page.findText("001")->clipped);
        QVERIFY(page.findText(LongText)->clipped);
        QCOMPARE(page.findText(LongText)->frame, QRectF(140, 10, 40, line));
        // The long text in full, in lines that fit the width.
        QStringList lines;
        double lastLineTop = 0;
        for (const PageItem &item : page.items)
            if (const auto *t = std::get_if<TextItem>(&item); t && t->frame.left() == 30) {
                lines << t->text;
                QVERIFY(metrics.widthMm(t->font, t->text) <= 60 + 1e-6);
                if (t->frame.top() < page.findText("ABAIXO")->frame.top())
                    lastLineTop = t->frame.top();
            }
        // Both records show the other dataset's current record in full.
        QCOMPARE(lines.join(' '), LongText + ' ' + LongText);
        lines = lines.mid(0, lines.size() / 2);
        QVERIFY(lines.size() >= 4);
        const double growth = lines.size() * line - 5;
        // The label under it and the next record move down by the growth.
        QCOMPARE(page.findText("ABAIXO")->frame.top(), 10 + 6 + growth);
        QVERIFY(page.findText("ABAIXO")->frame.top() >= lastLineTop + line - 1e-9);
        QCOMPARE(page.findText("002")->frame.top(), 10 + 12 + growth);
        // The memo grows with its lines and pushes the label under it.
        const double summaryTop = 10 + 2 * (12 + growth);
        QCOMPARE(page.findText("UM")->frame.top(), summaryTop);
        QCOMPARE(page.findText("QUATRO")->frame.top(), summaryTop + 3 * line);
        QCOMPARE(page.findText("FIM")->frame.top(), summaryTop + 5 + (4 * line - 5));
    }

    void labelsOnePerPageEvenWhenTallerThanPrintableArea() {
        auto docs = documents(3);
        ReportLayout layout;
        layout.setPaper(ReportPaper::custom(55, 25, 2));
        layout.setDataSet(docs.get());
        ReportBand *detail = layout.addBand(BandKind::Detail, 22.6);
        detail->setNewPageBeforeEach(true);
        detail->add<ReportDataText>(QStringLiteral("NOMEDOCUMENTO"), 1, 18, 40, 4);
        const ReportDocument doc = layout.run();
        QCOMPARE(doc.pages.size(), size_t(3));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(doc.pages[i].texts(), QStringList{QStringLiteral("DOC %1").arg(i + 1)});
            QCOMPARE(doc.pages[i].findText(QStringLiteral("DOC %1").arg(i + 1))->frame.top(), 2.0 + 18);
        }
        test::checkSamePagesOnDemand(layout, doc);
    }

    void controls() {
        Clock::setNow(QDateTime(QDate(2014, 3, 5), QTime(9, 30)));
        ReportLayout layout;
        ReportBand *header = layout.addBand(BandKind::PageHeader, 40);
        header->setFrameLines(true, true);
        auto *right = header->add<ReportLabel>(100, 0, 50, 5, QStringLiteral("DIREITA"));
        right->setAlignment(Qt::AlignRight);
        auto *centre = header->add<ReportLabel>(100, 5, 50, 5, QStringLiteral("MEIO"));
        centre->setAlignment(Qt::AlignHCenter);
        auto *wrapped = header->add<ReportLabel>(0, 10, 30, 5, QStringLiteral("PREFEITURA MUNICIPAL DE SAO JOSE"));
        wrapped->setAutoSize(false);
        wrapped->setFont(ReportFonts::arial(8, true));
        header->add<ReportSystemData>(ReportSystemData::Kind::Date, 150, 10, 40, 5);
        header->add<ReportShape>(ReportShape::Kind::HorizontalLine, 0, 30, 190, 2);
        header->add<ReportShape>(ReportShape::Kind::VerticalLine, 95, 30, 1, 10);
        auto *small = header->add<ReportImage>(40, 10, 50, 30);
        auto *large = header->add<ReportImage>(100, 10, 40, 20);
        QImage picture(96, 48, QImage::Format_RGB32);  // 25.4 x 12.7 mm at 96 dpi
        picture.setDotsPerMeterX(3780);
        picture.setDotsPerMeterY(3780);
        picture.fill(Qt::blue);
        QTemporaryDir dir;
        QVERIFY(picture.save(dir.filePath("brasao.png")));
        header->onBeforePrint = [=, &dir](ReportRun &) {
            QVERIFY(small->loadFromFile(dir.filePath("brasao.png")));
            large->setPicture(picture.scaled(960, 480));
            QVERIFY(!ReportImage(0, 0, 1, 1).loadFromFile(dir.filePath("nenhum.bmp")));
        };

        const ReportDocument doc = layout.run();
        const ReportPage &page = doc.pages.at(0);
        QVERIFY(qAbs(page.findText("DIREITA")->frame.right() - (10 + 150)) < 1e-9);
        QVERIFY(qAbs(page.findText("MEIO")->frame.center().x() - (10 + 125)) < 1e-9);
        QCOMPARE(page.findText("Data : 05/03/2014")->frame.left(), 10 + 150.0);
        TextMetrics metrics;
        QStringList lines;
        for (const PageItem &item : page.items)
            if (const auto *t = std::get_if<TextItem>(&item); t && t->frame.left() == 10 && t->frame.top() >= 20) {
                QVERIFY(metrics.widthMm(t->font, t->text) <= 30);
                lines << t->text;
            }
        QVERIFY(lines.size() >= 2);
        QCOMPARE(lines.join(' '), QStringLiteral("PREFEITURA MUNICIPAL DE SAO JOSE"));

        QList<QLineF> rules;
        QList<QRectF> images;
        for (const PageItem &item : page.items) {
            if (const auto *l = std::get_if<LineItem>(&item))
                rules << QLineF(l->from, l->to);
            if (const auto *i = std::get_if<ImageItem>(&item))
                images << i->target;
        }
        QCOMPARE(rules.size(), 4);
        QVERIFY(rules.contains(QLineF(10, 10, 200, 10)));     // band top
        QVERIFY(rules.contains(QLineF(10, 50, 200, 50)));     // band bottom
        QVERIFY(rules.contains(QLineF(10, 41, 200, 41)));     // horizontal shape
        QVERIFY(rules.contains(QLineF(105.5, 40, 105.5, 50)));  // vertical shape
        QCOMPARE(images.size(), 2);
        // Its own size, centred; the large one shrunk to its frame.
        QVERIFY(qAbs(images[0].width() - 25.4) < 0.01 && qAbs(images[0].height() - 12.7) < 0.01);
        QVERIFY(QLineF(images[0].center(), QPointF(10 + 40 + 25, 10 + 10 + 15)).length() < 1e-9);
        QVERIFY(qAbs(images[1].width() - 40) < 1e-9 && qAbs(images[1].height() - 20) < 1e-9);
    }

    void faultsAreReported_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("otherClosed");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown field") << "NAOEXISTE" << false << "cdsDocumentos: campo 'NAOEXISTE' não encontrado.";
        QTest::newRow("closed dataset") << "DESCRICAO" << true << "cdsProtocolo: o conjunto de registros está fechado.";
    }
    void faultsAreReported() {
        QFETCH(QString, field);
        QFETCH(bool, otherClosed);
        QFETCH(QString, message);
        auto docs = documents(1);
        auto prot = protocols();
        ReportLayout layout;
        layout.setDataSet(docs.get());
        layout.addBand(BandKind::Detail, 5)->add<ReportDataText>(field, 0, 0, 20, 5, otherClosed ? prot.get() : nullptr);
        if (otherClosed)
            prot->close();
        try {
            layout.run();
            QFAIL("printed");
        } catch (const ReportError &e) {
            QCOMPARE(e.text(), message);
        }
    }
};

QTEST_MAIN(ReportEngineTest)
#include "tst_report_engine.moc"
