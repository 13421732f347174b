#include "ExternalTools.h"
#include "MachinePrinters.h"
#include "TestDatabase.h"

#include "data/firebird/Connection.h"
#include "data/records/RecordSet.h"
#include "reports/ReportDataText.h"

#include "reports/LumQRBarCode.h"
#include "reports/ReportError.h"
#include "reports/ReportFonts.h"
#include "reports/ReportLabel.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPreviewWindow.h"
#include "reports/ReportRun.h"
#include "reports/ReportSystemData.h"
#include "ui/ErrorBox.h"
#include "data/Clock.h"
#include "ui/MessageService.h"
#include "ui/QtPortuguese.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPaintEngine>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QStatusBar>
#include <QtTest>

using namespace kalvero;

namespace {

// Whatever printers this machine has, these tests see none.
const bool MachinePrintersHidden = test::hideMachinePrinters();

// The print system of a printer whose queue refuses the pages: at the start,
// at a new page or when the print ends, as CUPS does with a queue that
// rejects jobs. It keeps what the printer sets and draws nothing.
class RefusingPrintSystem : public QPaintEngine, public QPrintEngine {
public:
    enum class Step { Begin, NewPage, End };
    explicit RefusingPrintSystem(Step step) : QPaintEngine(AllFeatures), m_step(step) {
        m_properties[PPK_PrinterName] = QStringLiteral("FILA-RECUSANDO");
        m_properties[PPK_QPageLayout] = QVariant::fromValue(
            QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    }

    bool begin(QPaintDevice *) override { return refuses(Step::Begin) ? false : (m_state = QPrinter::Active, true); }
    bool end() override { return refuses(Step::End) ? false : (m_state = QPrinter::Idle, true); }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &, const QTextItem &) override {}
    Type type() const override { return User; }

    void setProperty(PrintEnginePropertyKey key, const QVariant &value) override { m_properties[key] = value; }
    QVariant property(PrintEnginePropertyKey key) const override { return m_properties.value(key); }
    bool newPage() override { return !refuses(Step::NewPage); }
    bool abort() override { return true; }
    int metric(QPaintDevice::PaintDeviceMetric metric) const override {
        switch (metric) {
        case QPaintDevice::PdmDpiX:
        case QPaintDevice::PdmDpiY:
        case QPaintDevice::PdmPhysicalDpiX:
        case QPaintDevice::PdmPhysicalDpiY: return 300;
        case QPaintDevice::PdmWidth: return 2550;
        case QPaintDevice::PdmHeight: return 3300;
        case QPaintDevice::PdmWidthMM: return 216;
        case QPaintDevice::PdmHeightMM: return 279;
        case QPaintDevice::PdmNumColors: return INT_MAX;
        case QPaintDevice::PdmDepth: return 32;
        case QPaintDevice::PdmDevicePixelRatio: return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
    QPrinter::PrinterState printerState() const override { return m_state; }

private:
    bool refuses(Step step) {
        if (step != m_step)
            return false;
        m_state = QPrinter::Error;
        return true;
    }
    Step m_step;
    QPrinter::PrinterState m_state = QPrinter::Idle;
    QHash<int, QVariant> m_properties;
};

class RefusingPrinter : public QPrinter {
public:
    explicit RefusingPrinter(RefusingPrintSystem &system) : QPrinter(QPrinter::HighResolution) {
        setEngines(&system, &system);
    }
};

// The progress window left up after a print, with its last line.
QString lastProgressLine() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *progress = qobject_cast<QProgressDialog *>(w); progress && progress->isVisible())
            return progress->labelText();
    return QString();
}

// 150 lines of text in a fresh database.
struct Lines {
    test::ScratchFolder folder;
    Connection connection;
    RecordSet set{QStringLiteral("cdsLinhas")};
    Lines() {
        connection.setDatabaseName(test::createEmptyDatabase(folder, QStringLiteral("LINHAS.FDB")));
        connection.execute(QStringLiteral("create table LINHAS (N integer, TEXTO varchar(40))"));
        connection.execute(QStringLiteral("execute block as declare i integer = 1; begin while (i <= 150) do begin "
                                          "insert into LINHAS values (:i, 'PROTOCOLO ' || :i || '/2014'); "
                                          "i = i + 1; end end"));
        set.setConnection(&connection);
        set.setCommandText(QStringLiteral("select * from LINHAS order by N"));
        set.open();
        connection.execute(QStringLiteral("create table PROTOCOLOS (IDPROTOCOLO varchar(5), ANO varchar(4))"));
        connection.execute(QStringLiteral("insert into PROTOCOLOS values ('00151', '2026')"));
        protocol.setConnection(&connection);
        protocol.setCommandText(QStringLiteral("select * from PROTOCOLOS"));
        protocol.open();
    }
    RecordSet protocol{QStringLiteral("cdsProtocolo")};
};

// A list of the 150 lines on three Letter pages, numbered in the footer.
struct ThreePages {
    ReportLayout layout;
    explicit ThreePages(RecordSet *lines) {
        layout.setPaper(ReportPaper::letter());
        layout.setTitle(QStringLiteral("Relação de Protocolos"));
        layout.setDataSet(lines);
        ReportBand *header = layout.addBand(BandKind::PageHeader, 15);
        header->add<ReportLabel>(0, 0, 195, 12, QStringLiteral("RELAÇÃO DE PROTOCOLOS"))
            ->setFont(ReportFonts::arial(26, true));
        // 279.4 - 20 - 15 - 6 leaves 238.4 mm: 59 lines of 4 mm a page.
        ReportBand *detail = layout.addBand(BandKind::Detail, 4);
        detail->add<ReportDataText>(QStringLiteral("TEXTO"), 0, 0, 100, 4);
        ReportBand *summary = layout.addBand(BandKind::Summary, 5);
        summary->add<ReportLabel>(0, 0, 100, 5, QStringLiteral("FIM DA RELAÇÃO"));
        ReportBand *footer = layout.addBand(BandKind::PageFooter, 6);
        footer->add<ReportSystemData>(ReportSystemData::Kind::PageNumber, 0, 0, 50, 5);
    }
};

// Runs f on the modal window of type W once it is up.
template <class W>
void whenModal(std::function<void(W *)> f) {
    QTimer::singleShot(0, [f] {
        W *w = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((w = qobject_cast<W *>(QApplication::activeModalWidget())), 5000);
        f(w);
    });
}

}  // namespace

class ReportOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    Lines *m_lines = nullptr;

private slots:
    void initTestCase() { m_lines = new Lines; }
    void cleanupTestCase() { delete m_lines; }

    void pdfHoldsThePagesAndTheirText() {
        ThreePages three(&m_lines->set);
        const ReportDocument doc = three.layout.run();
        QCOMPARE(doc.pages.size(), size_t(3));
        const QString path = m_dir.filePath("lista.pdf");
        ReportOutput::writePdf(doc, path, three.layout.title());
        const QString info = test::pdfInfo(path);
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\\n")), qPrintable(info));
        QVERIFY2(info.contains("612 x 792 pts (letter)"), qPrintable(info));
        const QString text = test::pdfText(path);
        QCOMPARE(text.count("RELAÇÃO DE PROTOCOLOS"), 3);
        QVERIFY(text.contains("Página : 1") && text.contains("Página : 3"));
        QVERIFY(text.contains("PROTOCOLO 1/2014") && text.contains("PROTOCOLO 150/2014"));
        QCOMPARE(text.count("FIM DA RELAÇÃO"), 1);

        QVERIFY_THROWS_EXCEPTION(ReportError, ReportOutput::writePdf(doc, "/nao/existe/lista.pdf"));
    }

    // The PDF save offers the report's own name, in the documents folder
    // first and then in the folder last saved to; Qt's dialog speaks
    // Portuguese. The first save of this run: it comes before the tests that
    // save elsewhere.
    void pdfSaveOffersANameAndAFolder() {
        QVERIFY(installQtPortuguese());
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", m_dir.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        QDir(m_dir.path()).mkpath(QStringLiteral("Documents"));
        QDir(m_dir.path()).mkpath(QStringLiteral("outra"));
        Clock::setNow(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
        ThreePages three(&m_lines->set);
        QStringList seen;
        whenModal<ReportPreviewWindow>([&](ReportPreviewWindow *w) {
            auto save = [&](const QString &folder) {
                whenModal<QFileDialog>([&, folder](QFileDialog *d) {
                    seen << d->directory().absolutePath() << d->findChild<QLineEdit *>("fileNameEdit")->text();
                    QStringList buttons;
                    for (QPushButton *b : d->findChildren<QPushButton *>())
                        buttons << b->text();
                    seen << buttons.filter(QStringLiteral("Cancelar")).join(QString());
                    d->selectFile(folder + QStringLiteral("/relacao%1.pdf").arg(seen.size()));  // never asks to replace
                    static_cast<QDialog *>(d)->accept();
                });
                w->findChild<QAction *>(QStringLiteral("actionSavePdf"))->trigger();
            };
            save(m_dir.filePath(QStringLiteral("outra")));
            save(m_dir.filePath(QStringLiteral("outra")));
            w->accept();
        });
        three.layout.preview();
        Clock::setNow({});
        qputenv("HOME", home);
        QCOMPARE(seen, (QStringList{m_dir.filePath("Documents"), "Relação de Protocolos 2026-12-11.pdf", "Cancelar",
                                    m_dir.filePath("outra"), "Relação de Protocolos 2026-12-11.pdf", "Cancelar"}));
        QVERIFY(QFile::exists(m_dir.filePath("outra/relacao3.pdf")) && QFile::exists(m_dir.filePath("outra/relacao6.pdf")));
    }

    void previewIsModalPagesSavesPrintsAndCloses() {
        ThreePages three(&m_lines->set);
        const QString saved = m_dir.filePath("salvo");  // ".pdf" is added
        const QString printed = m_dir.filePath("impresso.pdf");
        QStringList seen;
        whenModal<ReportPreviewWindow>([&](ReportPreviewWindow *w) {
            seen << QStringLiteral("maximized %1").arg(bool(w->windowState() & Qt::WindowMaximized));
            seen << QStringLiteral("zoom %1").arg(w->zoom());
            auto trigger = [w](const char *name) { w->findChild<QAction *>(QLatin1String(name))->trigger(); };
            auto label = [w] { return w->findChild<QLabel *>(QStringLiteral("pageLabel"))->text(); };
            seen << label();
            trigger("actionNext");
            seen << label();
            trigger("actionLast");
            seen << label();
            seen << QStringLiteral("next enabled %1").arg(w->findChild<QAction *>("actionNext")->isEnabled());

            auto saveAs = [&](const QString &path) {
                whenModal<QFileDialog>([path](QFileDialog *d) {
                    d->selectFile(path);
                    static_cast<QDialog *>(d)->accept();  // QFileDialog::accept, through the public one
                });
                trigger("actionSavePdf");
            };
            saveAs(saved);
            // A file that cannot be written is told, and the window stays.
            MessageService::clearShown();
            MessageService::setResponder([](const MessageService::Message &) { return MessageService::Answer::Ok; });
            saveAs(QStringLiteral("/nao/existe/lista.pdf"));
            MessageService::clearResponder();
            for (const MessageService::Message &m : MessageService::shown())
                seen << m.caption + ": " + m.text.section('/', 0, 0) + "... " + m.text.section('/', -3);

            // The user picks printing to a file in the print dialog; the
            // window's status line says where the pages went.
            w->printer().setOutputFileName(printed);
            whenModal<QPrintDialog>([](QPrintDialog *d) { d->accept(); });
            trigger("actionPrint");
            seen << w->findChild<QStatusBar *>(QStringLiteral("statusBar"))->currentMessage().section('/', 0, 0) +
                        "... " + w->findChild<QStatusBar *>(QStringLiteral("statusBar"))->currentMessage().section('/', -1);

            trigger("actionClose");
        });
        three.layout.preview();
        // preview() returned only after all of that.
        QCOMPARE(seen, QStringList({"maximized 1", "zoom 1", "Página 1 de 3", "Página 2 de 3", "Página 3 de 3",
                                    "next enabled 0",
                                    "Atenção: Não foi possível gravar o arquivo ... nao/existe/lista.pdf.",
                                    "Impressão gravada no arquivo ... impresso.pdf."}));
        QCOMPARE(test::pdfText(saved + ".pdf").count("RELAÇÃO DE PROTOCOLOS"), 3);
        QCOMPARE(test::pdfText(printed).count("RELAÇÃO DE PROTOCOLOS"), 3);
    }

    // Zoom by button, key and Ctrl+wheel; the sheet fitted to the width or
    // whole; pages by PgUp/PgDn and Home/End; the window over the work area.
    void previewZoomsAndPagesByKeyAndWheel() {
        ThreePages three(&m_lines->set);
        QStringList seen;
        QRect geometry;
        whenModal<ReportPreviewWindow>([&](ReportPreviewWindow *w) {
            geometry = w->geometry();
            auto trigger = [w](const char *name) { w->findChild<QAction *>(QLatin1String(name))->trigger(); };
            auto state = [&] {
                seen << QStringLiteral("%1 %2").arg(w->findChild<QLabel *>(QStringLiteral("zoomLabel"))->text(),
                                                    w->findChild<QLabel *>(QStringLiteral("pageLabel"))->text());
            };
            QScrollArea *scroll = w->findChild<QScrollArea *>();
            QWidget *sheet = scroll->widget();
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            trigger("actionZoomIn");
            state();  // 125 %
            QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
            QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
            state();  // 80 %
            QTest::keyClick(w, Qt::Key_Equal, Qt::ControlModifier);
            state();  // 100 %
            auto wheel = [scroll](int delta) {
                QWheelEvent e(QPointF(50, 50), scroll->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(scroll->viewport(), &e);
            };
            wheel(120);
            state();  // 125 %
            wheel(-120);
            state();  // 100 %
            for (int i = 0; i < 20; ++i)
                trigger("actionZoomIn");
            seen << QStringLiteral("max %1, in enabled %2")
                        .arg(w->zoom())
                        .arg(w->findChild<QAction *>("actionZoomIn")->isEnabled());
            trigger("actionFitWidth");
            const int room = scroll->viewport()->width() - scroll->verticalScrollBar()->sizeHint().width();
            seen << QStringLiteral("fits width %1").arg(qAbs(sheet->width() - room) <= 2);
            trigger("actionWholePage");
            seen << QStringLiteral("whole %1")
                        .arg(sheet->height() <= scroll->viewport()->height() &&
                             sheet->width() <= scroll->viewport()->width());
            QTest::keyClick(w, Qt::Key_PageDown);
            QTest::keyClick(w, Qt::Key_End);
            seen << w->findChild<QLabel *>(QStringLiteral("pageLabel"))->text();
            QTest::keyClick(w, Qt::Key_PageUp);
            seen << w->findChild<QLabel *>(QStringLiteral("pageLabel"))->text();
            QTest::keyClick(w, Qt::Key_Home);
            seen << w->findChild<QLabel *>(QStringLiteral("pageLabel"))->text();
            w->accept();
        });
        three.layout.preview();
        QCOMPARE(seen, (QStringList{"125 % Página 1 de 3", "80 % Página 1 de 3", "100 % Página 1 de 3",
                                    "125 % Página 1 de 3", "100 % Página 1 de 3", "max 4, in enabled 0",
                                    "fits width 1", "whole 1", "Página 3 de 3", "Página 2 de 3", "Página 1 de 3"}));
        QCOMPARE(geometry.size(), QGuiApplication::primaryScreen()->availableGeometry().size());
    }

    // Receipts and labels are named after their protocol; reports over
    // many, after the day; nothing a disk refuses in a name.
    void suggestedNames_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("byProtocol");
        QTest::addColumn<bool>("withProtocol");
        QTest::addColumn<QString>("name");
        QTest::newRow("receipt") << "Comprovante de Entrega" << "Comprovante" << true << true
                                 << "Comprovante 00151-2026";
        QTest::newRow("labels") << "Etiquetas" << "Etiquetas" << true << true << "Etiquetas 00151-2026";
        QTest::newRow("list") << "Relação de Protocolos" << "" << false << true << "Relação de Protocolos 2026-12-11";
        QTest::newRow("no protocol in the data") << "Etiquetas" << "Etiquetas" << true << false
                                                 << "Etiquetas 2026-12-11";
        QTest::newRow("a slash in the title") << "Entradas/Saídas" << "" << false << false << "Entradas-Saídas 2026-12-11";
    }
    void suggestedNames() {
        QFETCH(QString, title);
        QFETCH(QString, word);
        QFETCH(bool, byProtocol);
        QFETCH(bool, withProtocol);
        QFETCH(QString, name);
        Clock::setNow(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
        ReportLayout layout;
        layout.setTitle(title);
        layout.setDataSet(withProtocol ? &m_lines->protocol : &m_lines->set);
        layout.setFileNaming(word, byProtocol ? ReportLayout::FileNaming::ByProtocol : ReportLayout::FileNaming::ByDate);
        QCOMPARE(layout.suggestedFileName(), name);
        Clock::setNow({});
    }

    // The print dialog's paper is the report's own, in millimetres.
    void printDialogShowsTheReportsPaper_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("Letter: receipt, list") << 215.9 << 279.4;
        QTest::newRow("A4: history") << 210.0 << 297.0;
    }
    void printDialogShowsTheReportsPaper() {
        QFETCH(double, width);
        QFETCH(double, height);
        QVERIFY(installQtPortuguese());
        ThreePages three(&m_lines->set);
        three.layout.setPaper(ReportPaper::custom(width, height, 10));
        double shownWidth = 0, shownHeight = 0;
        whenModal<ReportPreviewWindow>([&](ReportPreviewWindow *w) {
            whenModal<QPrintDialog>([&](QPrintDialog *d) {
                whenModal<QDialog>([&, d](QDialog *properties) {
                    shownWidth = properties->findChild<QDoubleSpinBox *>(QStringLiteral("pageWidth"))->value();
                    shownHeight = properties->findChild<QDoubleSpinBox *>(QStringLiteral("pageHeight"))->value();
                    properties->reject();
                    d->reject();
                });
                d->findChild<QPushButton *>(QStringLiteral("properties"))->click();
            });
            w->findChild<QAction *>(QStringLiteral("actionPrint"))->trigger();
            w->accept();
        });
        three.layout.preview();
        QCOMPARE(shownWidth, width);
        QCOMPARE(shownHeight, height);
    }

    void printingPagesWithProgress() {
        ThreePages three(&m_lines->set);
        const ReportDocument doc = three.layout.run();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath("paginas.pdf"));
        ReportOutput::preparePrinter(printer, doc);
        bool progressShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            progressShown |= QApplication::activeModalWidget() &&
                             QApplication::activeModalWidget()->inherits("QProgressDialog");
        });
        watch.start(0);
        QVERIFY(ReportOutput::printPages(printer, doc, 2, 3, true));
        watch.stop();
        QVERIFY(progressShown);
        // Its last line stays up a while, saying where the pages went.
        QCOMPARE(lastProgressLine(), QStringLiteral("Impressão gravada no arquivo %1.").arg(printer.outputFileName()));
        QTRY_VERIFY_WITH_TIMEOUT(lastProgressLine().isEmpty(), ReportOutput::LastLineMs + 2000);
        const QString text = test::pdfText(printer.outputFileName());
        QVERIFY(!text.contains("Página : 1") && text.contains("Página : 2") && text.contains("Página : 3"));
        QVERIFY(test::pdfInfo(printer.outputFileName()).contains("612 x 792 pts (letter)"));
    }

    // The machine's printers are hidden from these tests (with or without
    // a print service here): without a printer the report's own choice is
    // refused in words that also fit a print service that is stopped.
    void printerByItsIndexInTheSystemList() {
        QVERIFY2(QPrinterInfo::availablePrinters().isEmpty(), "the machine's printers reach the test");
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());
        // The report's own event chooses the printer before the pages go.
        ThreePages three(&m_lines->set);
        three.layout.onBeforePrint = [](ReportRun &run) { run.layout().setPrinterIndex(0); };
        try {
            three.layout.print();
            QFAIL("printed on a printer that is not there");
        } catch (const ReportError &e) {
            QCOMPARE(e.text(), QStringLiteral("Nenhuma impressora está disponível. Verifique se há uma impressora "
                                              "instalada e se o serviço de impressão do computador está funcionando."));
            QVERIFY(!e.details().isEmpty());
        }
    }

    // Pages the print system refuses (at the start, at a new page or when
    // the print ends) are never taken for printed: the desk is told which
    // printer they did not reach, with the details for the support line.
    void aRefusedPrintSaysSo_data() {
        QTest::addColumn<int>("step");
        QTest::newRow("no início") << int(RefusingPrintSystem::Step::Begin);
        QTest::newRow("numa página nova") << int(RefusingPrintSystem::Step::NewPage);
        QTest::newRow("no fim") << int(RefusingPrintSystem::Step::End);
    }
    void aRefusedPrintSaysSo() {
        QFETCH(int, step);
        ThreePages three(&m_lines->set);
        RefusingPrintSystem system{RefusingPrintSystem::Step(step)};
        RefusingPrinter printer(system);
        QCOMPARE(printer.printerName(), QStringLiteral("FILA-RECUSANDO"));
        try {
            three.layout.print(printer);
            QFAIL("a refused print passed for printed");
        } catch (const ReportError &e) {
            QCOMPARE(e.text(), QStringLiteral("A impressão não chegou à impressora FILA-RECUSANDO. Verifique se ela "
                                              "está ligada e aceitando impressões e imprima de novo."));
            QVERIFY2(e.details().contains(QStringLiteral("Situação informada pelo sistema: erro")), qPrintable(e.details()));
            // The error box shows both.
            MessageService::clearShown();
            MessageService::setResponder([](const MessageService::Message &) { return MessageService::Answer::Ok; });
            ErrorBox::show(nullptr, e);
            MessageService::clearResponder();
            QCOMPARE(MessageService::shown().size(), 1);
            QCOMPARE(MessageService::shown().first().text, e.text());
            QCOMPARE(MessageService::shown().first().details, e.details());
        }
        QVERIFY(lastProgressLine().isEmpty());
    }
};

QTEST_MAIN(ReportOutputTest)
#include "tst_report_output.moc"
