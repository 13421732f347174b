#include "ExternalTools.h"

#include "reports/LumQRBarCode.h"
#include "reports/ReportDocument.h"
#include "reports/ReportFonts.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPagePainter.h"

#include <QPainter>
#include <QtTest>

using namespace kalvero;

namespace {

// Module string of Code 128 widths, bars first.
QString code128(const QStringList &widths) {
    QString out;
    for (const QString &w : widths)
        for (int i = 0; i < w.size(); ++i)
            out += QString(w.at(i).digitValue(), i % 2 ? QLatin1Char('B') : QLatin1Char('P'));
    return out;
}

// A symbol drawn at two pixels a module with room around it, as a scanner
// would see it on paper.
QImage rendered(TBarCodeTipo tipo, const QString &text) {
    TLumQRBarCode c;
    c.setHeight(120);
    c.setTipo(tipo);
    c.setEsquerda(30);
    c.setAltura(100);
    c.setPen(QPen(Qt::black, 2));
    c.setTexto(text);
    return c.picture().copy(0, 0, c.width(), c.height());
}

}  // namespace

class BarcodeTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsAtCreation() {
        TLumQRBarCode c;
        QCOMPARE(c.Tipo(), btCode128A);
        QCOMPARE(c.Texto().size(), 12);
        QCOMPARE(c.Esquerda(), 10);
        QCOMPARE(c.Superior(), 10);
        QCOMPARE(c.Altura(), 60);
        QCOMPARE(c.Legenda(), false);
        QCOMPARE(c.LegendaPos(), 11);
        QCOMPARE(c.Pen().width(), 1);
        QCOMPARE(c.height(), 75);
        // Drawn at creation: Code 128 A of the 12-digit sample.
        QVERIFY(!c.picture().isNull());
        QCOMPARE(c.width(), 10 + 10 + c.moduleString().size());
    }

    void settingTipoMovesLegendaPosFirst() {
        TLumQRBarCode c;
        c.setEsquerda(17);
        c.setLegendaPos(40);
        c.setTipo(btCode39);
        QCOMPARE(c.LegendaPos(), 17);
        c.setTipo(btCodeEAN13);
        QCOMPARE(c.LegendaPos(), 2);
        c.setLegendaPos(5);
        c.setTipo(btCodeUPCA);
        QCOMPARE(c.LegendaPos(), 2);
        c.setTipo(btCodeEAN8);
        QCOMPARE(c.LegendaPos(), 17);
    }

    void eanDigitsPaddingAndCheckDigit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digits");
        QTest::newRow("protocol 00012/2014") << "000122014" << "0000001220148";
        QTest::newRow("2014") << "2014" << "0000000020145";
        QTest::newRow("letters and a dash") << "AB-12" << "0000000000123";
        QTest::newRow("13 digits and more") << "1234567890123456" << "1234567890128";
        QTest::newRow("check digit 10 gives 0") << "000000000055" << "0000000000550";
    }
    void eanDigitsPaddingAndCheckDigit() {
        QFETCH(QString, text);
        QFETCH(QString, digits);
        QCOMPARE(TLumQRBarCode::DigitosEAN13(text), digits);
        // An independent reader agrees.
        QCOMPARE(test::decodeBarcodes(rendered(btCodeEAN13, text)), QStringList{"EAN-13:" + digits});
    }

    void ean13ModuleString() {
        const QString m = TLumQRBarCode::PretoBrancoEAN13(QStringLiteral("800000000000"));
        QCOMPARE(m.size(), 95);
        // First digit 8: L G L G G L for the 2nd to 7th digits (all 0 here).
        const QString L0 = "0001101", G0 = "0100111", R0 = "1110010";
        QCOMPARE(m.mid(0, 3), QStringLiteral("101"));
        QCOMPARE(m.mid(3, 42), L0 + G0 + L0 + G0 + G0 + L0);
        QCOMPARE(m.mid(45, 5), QStringLiteral("01010"));
        QCOMPARE(m.mid(50, 35), R0 + R0 + R0 + R0 + R0);
        QCOMPARE(m.right(3), QStringLiteral("101"));

        TLumQRBarCode c;
        c.setEsquerda(0);
        c.setTipo(btCodeEAN13);
        c.setTexto(QStringLiteral("000122014"));
        QCOMPARE(c.width(), 95);
        c.setEsquerda(10);
        c.setPen(QPen(Qt::black, 2));
        QCOMPARE(c.width(), 10 + 190 + 10);
    }

    void code128ModuleStrings() {
        // B of ABC: start B, A B C, check value 1, stop.
        QCOMPARE(TLumQRBarCode::PretoBranco128(QStringLiteral("ABC"), btCode128B),
                 code128({"211214", "111323", "131123", "131321", "222122", "2331112"}));
        QCOMPARE(TLumQRBarCode::Digito128(104, {33, 34, 35}), 1);
        // C keeps only the digits: 12-34 is 1234, values 12 and 34.
        QCOMPARE(TLumQRBarCode::PretoBranco128(QStringLiteral("12-34"), btCode128C),
                 TLumQRBarCode::PretoBranco128(QStringLiteral("1234"), btCode128C));
        QVERIFY(TLumQRBarCode::PretoBranco128(QStringLiteral("x"), btCode128B).endsWith(QStringLiteral("PPBBBPPPBPBPP")));
        // A character outside the table is skipped, in the check sum too.
        QCOMPARE(TLumQRBarCode::PretoBranco128(QStringLiteral("A\u00e7B"), btCode128B),
                 TLumQRBarCode::PretoBranco128(QStringLiteral("AB"), btCode128B));
    }

    void code39AndInterleavedModuleStrings() {
        // Lowercase is outside Code 39: only the start and stop characters.
        const QString abc = TLumQRBarCode::PretoBranco39(QStringLiteral("abc"));
        QCOMPARE(abc, TLumQRBarCode::PretoBranco39(QString()));
        QCOMPARE(abc.size(), 2 * 17);
        QVERIFY(abc.startsWith(QStringLiteral("BPBBBPBPPPBPPPBPB")));  // "*": narrow space, n w n n w n w n n, narrow space
        // 123 is encoded as 0123.
        QCOMPARE(TLumQRBarCode::PretoBrancoI25(QStringLiteral("123")), TLumQRBarCode::PretoBrancoI25(QStringLiteral("0123")));
        QCOMPARE(TLumQRBarCode::PretoBrancoI25(QStringLiteral("12")),
                 QStringLiteral("PBPB") + "PPPBPBBBPBPBPPPBBB" + "PPPBP");
    }

    void drawingStripesGuardsAndBlankText() {
        TLumQRBarCode c;
        c.setTipo(btCodeEAN13);
        c.setTexto(QStringLiteral("000122014"));
        const QImage p = c.picture();
        const QString m = c.moduleString();
        auto black = [&p](int x, int y) { return p.pixelColor(x, y) == QColor(Qt::black); };
        QVERIFY(!black(5, 30));                  // the left margin
        QVERIFY(black(10, 10) && black(10, 59));  // first guard bar, Superior to Altura
        QVERIFY(black(10, 71) && !black(10, 72)); // guards reach 12 pixels lower
        const int firstDataBar = m.indexOf(QLatin1Char('1'), 3);
        QVERIFY(black(10 + firstDataBar, 59));
        QVERIFY(!black(10 + firstDataBar, 61));   // data bars stop at Altura
        QVERIFY(!black(9 + 95 + 1, 30));          // nothing after the last module
        // A later height shows in the picture read after it.
        c.setHeight(90);
        QCOMPARE(c.picture().height(), 90);
        QVERIFY(black(10, 71));

        c.setTexto(QStringLiteral("   "));
        QVERIFY(c.picture().isNull());
    }

    void legendAtItsPositions() {
        TLumQRBarCode c;
        c.setTipo(btCodeEAN13);
        c.setLegendaFont(ReportFonts::tahoma(8));
        c.setLegenda(true);
        c.setTexto(QStringLiteral("000122014"));
        QImage p = c.picture();
        // Ink in the text line left of the bars (the first digit at x = 2) and
        // under each half, between the guard bars.
        auto inkIn = [&p](int x0, int x1) {
            for (int y = 61; y < 75; ++y)
                for (int x = x0; x < x1; ++x)
                    if (p.pixelColor(x, y) != QColor(Qt::white))
                        return true;
            return false;
        };
        QVERIFY(inkIn(2, 9));
        QVERIFY(inkIn(10 + 2 + 3, 10 + 45));
        QVERIFY(inkIn(10 + 49 + 2, 10 + 92));
        c.setLegenda(false);
        p = c.picture();
        QVERIFY(!inkIn(2, 9));
    }

    void everySymbologyReadsBack_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("read");
        QTest::newRow("128 A") << int(btCode128A) << "PROT-00012/2014" << QStringList{"CODE-128:PROT-00012/2014"};
        QTest::newRow("128 A lowercase shifted") << int(btCode128A) << "Ab-1c" << QStringList{"CODE-128:Ab-1c"};
        QTest::newRow("128 B") << int(btCode128B) << "Protocolo 12" << QStringList{"CODE-128:Protocolo 12"};
        QTest::newRow("128 C even") << int(btCode128C) << "00012-2014" << QStringList{"CODE-128:000122014"};
        QTest::newRow("128 C odd") << int(btCode128C) << "12345" << QStringList{"CODE-128:12345"};
        QTest::newRow("128 C dash") << int(btCode128C) << "12-34" << QStringList{"CODE-128:1234"};
        QTest::newRow("39") << int(btCode39) << "PROT 12/2014" << QStringList{"CODE-39:PROT 12/2014"};
        QTest::newRow("39 lowercase skipped") << int(btCode39) << "A1b2" << QStringList{"CODE-39:A12"};
        QTest::newRow("EAN-13") << int(btCodeEAN13) << "000122014" << QStringList{"EAN-13:0000001220148"};
        QTest::newRow("I2of5 odd") << int(btCode2e5I) << "1234567" << QStringList{"I2/5:01234567"};
        QTest::newRow("I2of5 even") << int(btCode2e5I) << "20140012" << QStringList{"I2/5:20140012"};
        QTest::newRow("EAN-8") << int(btCodeEAN8) << "1234567" << QStringList{"EAN-8:12345670"};
        // zbar reports a UPC-A symbol as the EAN-13 of a leading 0.
        QTest::newRow("UPC-A") << int(btCodeUPCA) << "03600029145" << QStringList{"EAN-13:0036000291452"};
    }
    void everySymbologyReadsBack() {
        QFETCH(int, tipo);
        QFETCH(QString, text);
        QFETCH(QStringList, read);
        QCOMPARE(test::decodeBarcodes(rendered(TBarCodeTipo(tipo), text)), read);
    }

    // Printed at one pixel per 1/96 inch, as the picture is, and at a
    // module width in millimetres on the 55 x 25 mm label.
    void printedSymbolsRead() {
        ReportLayout layout;
        layout.setPaper(ReportPaper::custom(55, 25, 2));
        ReportBand *detail = layout.addBand(BandKind::Detail, 22.6);
        auto *bars = detail->add<TLumQRBarCode>(1.0, 2.0);
        bars->setTipo(btCodeEAN13);
        bars->setLegendaFont(ReportFonts::tahoma(7));
        bars->setLegenda(true);
        bars->setHeight(60);
        bars->setTexto(QStringLiteral("000122014"));
        auto *mm = detail->add<TLumQRBarCode>(0.0, 12.0);
        mm->setTipo(btCodeEAN13);
        mm->setModuleWidthMm(0.1);  // raised to the least readable width
        QCOMPARE(mm->moduleWidthMm(), 0.25);
        mm->setModuleWidthMm(0.33);
        mm->setLegendaFont(ReportFonts::tahoma(6));
        mm->setLegenda(true);
        mm->setFrame(0, 12, 40, 10);
        mm->setTexto(QStringLiteral("2014"));

        const ReportDocument doc = layout.run();
        QCOMPARE(doc.pages.size(), size_t(1));
        // The millimetre symbol: 11 + 95 + 7 modules of 0.33 mm, from the
        // frame's left edge, the first bar after the quiet zone.
        const auto &items = doc.pages[0].items;
        const BarsItem *b = nullptr;
        for (const PageItem &i : items)
            if ((b = std::get_if<BarsItem>(&i)))
                break;
        QVERIFY(b);
        QCOMPARE(b->frame.width(), (11 + 95 + 7) * 0.33);
        QVERIFY(qAbs(b->bars.first().left() - (2 + 11 * 0.33)) < 1e-9);
        QCOMPARE(doc.pages[0].texts(), QStringList({"0", "000000", "020145"}));
        // Its legend where the picture puts it, in pixels of 1/96 inch: the
        // first digit at LegendaPos (2) from the frame's left edge, the halves
        // 2 modules + 3 pixels and 49 modules + 2 pixels after the first module.
        const double px = 25.4 / 96, firstModule = 2 + 11 * 0.33;
        QVector<double> lefts;
        for (const PageItem &i : items)
            if (const auto *t = std::get_if<TextItem>(&i))
                lefts << t->baseline.x();
        const QVector<double> expected{2 + 2 * px, firstModule + 2 * 0.33 + 3 * px, firstModule + 49 * 0.33 + 2 * px};
        QCOMPARE(lefts.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(qAbs(lefts[i] - expected[i]) < 1e-9, qPrintable(QString::number(lefts[i])));

        for (int dpi : {300, 600}) {
            QImage sheet(qRound(55 / 25.4 * dpi), qRound(25 / 25.4 * dpi), QImage::Format_RGB32);
            sheet.setDotsPerMeterX(qRound(dpi / 0.0254));
            sheet.setDotsPerMeterY(qRound(dpi / 0.0254));
            sheet.fill(Qt::white);
            QPainter painter(&sheet);
            ReportPagePainter::paint(painter, doc.pages[0]);
            painter.end();
            QStringList read = test::decodeBarcodes(sheet);
            read.sort();
            QCOMPARE(read, QStringList({"EAN-13:0000000020145", "EAN-13:0000001220148"}));
        }
    }
};

QTEST_MAIN(BarcodeTest)
#include "tst_barcode.moc"
