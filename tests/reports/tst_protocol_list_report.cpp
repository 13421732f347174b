#include "ExternalTools.h"
#include "PagePlaces.h"
#include "UnitFixture.h"
#include "WindowDriving.h"

#include "data/Clock.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/records/RecordSet.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPreviewWindow.h"
#include "reports/layouts/TRelatorio_ListaProtocolos.h"
#include "reports/screen/ProtocolListFilters.h"
#include "reports/screen/ProtocolListReport.h"
#include "reports/screen/TRelatorios.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;

namespace {

const QDate Today(2014, 6, 10);
const QString Title = QStringLiteral("RELAÇÃO DE PROTOCOLOS");
const QString Warning = QStringLiteral("Não há registros para o(s) filtro(s) selcionado(s)!");
// The longest name and subject the tables hold (80 characters), of wide letters.
const QString LongName = QStringLiteral("MARIA ") + QString(74, QLatin1Char('W'));
const QString LongSubject = QStringLiteral("CERTIDAO ") + QString(71, QLatin1Char('M'));

// What reached the operator: the statement that ran, the protocols it listed
// and the laid-out pages.
struct Shown {
    QString sql;
    QVariantList params;
    QStringList listed;  // number/year, in the list's order
    ReportDocument document;
};

// The conditions of a statement: what lies between the join and the order.
QString conditionsOf(const QString &sql) {
    const QString join = QStringLiteral("p.assunto = a.idassunto  ");
    const int from = sql.indexOf(join) + join.size();
    return sql.mid(from, sql.indexOf(QStringLiteral(" order by")) - from);
}

}  // namespace

// The report screen and the list of protocols it prints: the filters and the
// statement they make, the list's pages, the preview and the printer.
class ProtocolListReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<TUDMRelatorio> reports;
    std::unique_ptr<TRelatorios> screen;
    ScratchFolder programFolder;
    QList<Shown> previewed, printed;

    template <typename Widget = QPushButton>
    Widget *w(const char *name) const {
        return named<Widget>(screen.get(), QLatin1String(name));
    }

    ProtocolListReport::Presenter capture(QList<Shown> &into) {
        return [this, &into](ReportLayout &layout, QWidget *) {
            RecordSet &set = reports->cdsRelProtocolo;
            Shown s{set.commandText(), set.params(), {}, {}};
            for (set.first(); !set.eof(); set.next())
                s.listed << set.field(QStringLiteral("IDPROTOCOLO")).asString() + QLatin1Char('/') +
                                set.field(QStringLiteral("ANO")).asString();
            s.document = layout.run();
            // The preview takes the same pages one at a time.
            checkSamePagesOnDemand(layout, s.document);
            into << s;
        };
    }
    void openScreen(ProtocolListReport::Presenter toPrinter = {}) {
        screen.reset();
        screen = std::make_unique<TRelatorios>(*f->registries, *reports, f->session, nullptr, capture(previewed),
                                               toPrinter ? toPrinter : capture(printed));
        QVERIFY(UnitFixture::showActive(screen.get()));
    }
    void choose(const char *box, const QString &text) {
        auto *list = w<QComboBox>(box);
        const int row = list->findText(text);
        QVERIFY2(row >= 0, qPrintable(text));
        list->setCurrentIndex(row);
    }
    void addRequester(int code, const QString &name) {
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (?, ?, '12345678901')"),
                   {code, name});
    }
    void addSubject(int code, const QString &description) {
        f->execute(QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (?, ?)"), {code, description});
    }
    void addProtocol(const QString &number, const QDate &entry, const QString &status, int requester, int subject) {
        f->execute(QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, DATADEENTRADA, "
                                  "STATUS, DESCRICAO) values (?, ?, ?, ?, ?, ?, 'PEDIDO')"),
                   {number, QString::number(entry.year()), requester, subject, entry, status});
    }
    // Many protocols at once, numbered from 1, all of one day.
    void addProtocols(int count, const QDate &entry) {
        f->execute(QStringLiteral("execute block (n integer = ?, d date = ?) as declare i integer = 1; begin "
                                  "while (i <= n) do begin insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, "
                                  "ASSUNTO, DATADEENTRADA, STATUS, DESCRICAO) values (lpad(:i, 5, '0'), "
                                  "extract(year from :d), 5, 1, :d, mod(:i, 3), 'PEDIDO'); i = i + 1; end end"),
                   {count, entry});
    }

private slots:
    void init() {
        Clock::setNow(QDateTime(Today, QTime(9, 30)));
        f = std::make_unique<UnitFixture>();
        reports = std::make_unique<TUDMRelatorio>(*f->unit);
        SessionState &s = f->session;
        s.ProgramFolder = programFolder.path();
        s.UnitLabel = QStringLiteral("01-PREFEITURA MUNICIPAL DE TERESINA");
        s.StateText = QStringLiteral("ESTADO DO PIAUÍ");
        s.RightsNotice = QStringLiteral("Kalvero - todos os direitos reservados");
        QVERIFY(writeEmblem(programFolder.path()));

        addRequester(5, QStringLiteral("ANA MARIA DE SOUSA"));
        addRequester(12, QStringLiteral("JOÃO D'ÁVILA CONCEIÇÃO"));
        addRequester(7, LongName);
        addSubject(1, QStringLiteral("ALVARA DE CONSTRUCAO"));
        addSubject(3, QStringLiteral("CERTIDAO NEGATIVA"));
        addSubject(4, LongSubject);
        previewed.clear();
        printed.clear();
    }
    void cleanup() {
        screen.reset();
        reports.reset();
        f.reset();
        Clock::setNow(QDateTime());
    }

    // The screen as it opens: its size, its groups, nothing ticked but
    // "Todos", both dates today, the two lists loaded in their order; closed,
    // it lets go of the lists.
    void screenAsItOpens() {
        openScreen();
        QCOMPARE(screen->windowTitle(), QStringLiteral("Relatórios"));
        QCOMPARE(screen->size(), QSize(609, 344));
        QCOMPARE(screen->minimumSize(), screen->maximumSize());
        QCOMPARE(w<QGroupBox>("GroupBox1")->title(), QStringLiteral(" Tipos de Relatórios "));
        QCOMPARE(w<QGroupBox>("GroupBox2")->title(), QStringLiteral(" Filtros "));
        QCOMPARE(w<QGroupBox>("GroupBox3")->title(), QStringLiteral(" Impressão "));
        QCOMPARE(w<QGroupBox>("RadioGroup1")->title(), QStringLiteral(" Situação do Protocolo "));
        QCOMPARE(w<QCheckBox>("CheckBox1")->text(), QStringLiteral(" 1 - Relação de Protocolos"));
        QVERIFY(!w<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(w<QRadioButton>("rbTodos")->isChecked());
        for (const char *box : {"CheckBox2", "CheckBox3", "CheckBox4"})
            QVERIFY(!w<QCheckBox>(box)->isChecked());
        QCOMPARE(w<QDateEdit>("DateTimePicker1")->date(), Today);
        QCOMPARE(w<QDateEdit>("DateTimePicker2")->date(), Today);
        QStringList names;
        auto *requesters = w<QComboBox>("DBLookupComboBox1");
        for (int i = 0; i < requesters->count(); ++i)
            names << requesters->itemText(i);
        QCOMPARE(names, QStringList({"ANA MARIA DE SOUSA", "JOÃO D'ÁVILA CONCEIÇÃO", LongName}));
        QCOMPARE(requesters->currentIndex(), -1);
        QCOMPARE(w<QComboBox>("DBLookupComboBox2")->itemText(2), QStringLiteral("CERTIDAO NEGATIVA"));
        QCOMPARE(w("BitBtn1")->text(), QStringLiteral("&Visualizar"));
        QCOMPARE(w("BitBtn2")->text(), QStringLiteral("&Imprimir"));

        w("BitBtn3")->click();
        QVERIFY(!screen->isVisible());
        QVERIFY(!f->registries->cdsTBSolicitante.isActive());
        QVERIFY(!f->registries->cdsTBAssunto.isActive());
    }

    // The filters, ticked last to first on the screen: the conditions come
    // in their own order, each value bound, and the list holds what they
    // choose, newest entry first.
    void filters_data() {
        QTest::addColumn<int>("status");  // the radio group's index
        QTest::addColumn<QString>("requester");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QDate>("first");  // a null date: the period not ticked
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QVariantList>("params");
        QTest::addColumn<QStringList>("listed");

        const QString status = QStringLiteral(" and p.status = cast(? as integer)");
        const QString any = QStringLiteral(" and p.status <> cast(? as integer)");
        QTest::newRow("Todos: every status, newest first")
            << 0 << "" << "" << QDate() << QDate() << any << QVariantList{-1}
            << QStringList{"00006/2014", "00005/2014", "00004/2014", "00003/2014", "00002/2014", "00001/2014"};
        QTest::newRow("Cancelados of requester 12")
            << 2 << "JOÃO D'ÁVILA CONCEIÇÃO" << "" << QDate() << QDate() << status + " and p.SOLICITANTE = ?"
            << QVariantList{1, 12LL} << QStringList{"00003/2014"};
        QTest::newRow("only subject 3") << 0 << "" << "CERTIDAO NEGATIVA" << QDate() << QDate()
                                        << any + " and p.ASSUNTO = ?" << QVariantList{-1, 3LL}
                                        << QStringList{"00005/2014", "00002/2014"};
        QTest::newRow("May 2014, both days included")
            << 0 << "" << "" << QDate(2014, 5, 1) << QDate(2014, 5, 31)
            << any + " and p.DATADEENTRADA between ? and ?" << QVariantList{-1, QDate(2014, 5, 1), QDate(2014, 5, 31)}
            << QStringList{"00005/2014", "00004/2014", "00003/2014"};
        QTest::newRow("all four, in their order")
            << 1 << "ANA MARIA DE SOUSA" << "CERTIDAO NEGATIVA" << QDate(2014, 5, 1) << QDate(2014, 6, 30)
            << status + " and p.SOLICITANTE = ? and p.ASSUNTO = ? and p.DATADEENTRADA between ? and ?"
            << QVariantList{0, 5LL, 3LL, QDate(2014, 5, 1), QDate(2014, 6, 30)} << QStringList{"00005/2014"};
        QTest::newRow("requester ticked without a choice: all of them")
            << 3 << "-" << "" << QDate() << QDate() << status << QVariantList{2} << QStringList{"00006/2014", "00004/2014"};
    }
    void filters() {
        QFETCH(int, status);
        QFETCH(QString, requester);
        QFETCH(QString, subject);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        addProtocol("00001", QDate(2014, 4, 30), "0", 5, 1);
        addProtocol("00002", QDate(2014, 4, 30), "0", 12, 3);
        addProtocol("00003", QDate(2014, 5, 1), "1", 12, 1);
        addProtocol("00004", QDate(2014, 5, 20), "2", 7, 1);
        addProtocol("00005", QDate(2014, 5, 31), "0", 5, 3);
        addProtocol("00006", QDate(2014, 6, 1), "2", 5, 1);
        openScreen();

        if (first.isValid()) {
            w<QDateEdit>("DateTimePicker1")->setDate(first);
            w<QDateEdit>("DateTimePicker2")->setDate(last);
            w<QCheckBox>("CheckBox4")->click();
        }
        if (!subject.isEmpty()) {
            choose("DBLookupComboBox2", subject);
            w<QCheckBox>("CheckBox3")->click();
        }
        if (requester == "-")
            w<QCheckBox>("CheckBox2")->click();
        else if (!requester.isEmpty()) {
            choose("DBLookupComboBox1", requester);
            w<QCheckBox>("CheckBox2")->click();
        }
        named<QRadioButton>(w<QGroupBox>("RadioGroup1"), QStringList({"rbTodos", "rbAtivos", "rbCancelados",
                                                                      "rbArquivados"})
                                                             .at(status))
            ->click();
        w<QCheckBox>("CheckBox1")->click();
        w("BitBtn1")->click();

        QCOMPARE(previewed.size(), 1);
        QVERIFY(printed.isEmpty());
        const Shown &shown = previewed.first();
        QVERIFY(shown.sql.startsWith(QStringLiteral(
            "select p.idprotocolo, p.ano, p.status, p.datadeentrada, s.nome, a.descricao from tbprotocolo p, "
            "tbsolicitante s, tbassunto a where p.solicitante = s.idsolicitante and p.assunto = a.idassunto  ")));
        QTEST(conditionsOf(shown.sql), "conditions");
        QVERIFY(shown.sql.endsWith(QStringLiteral(" order by p.DATADEENTRADA DESC, p.ANO DESC, p.IDPROTOCOLO DESC")));
        QTEST(shown.params, "params");
        QTEST(shown.listed, "listed");
        QVERIFY(!reports->cdsRelProtocolo.isActive());
        QVERIFY(f->messages().isEmpty());
    }

    // Nothing to list: a first day after the last finds nothing and warns;
    // without the report ticked nothing happens at all.
    void nothingToList() {
        addProtocol("00001", QDate(2014, 5, 20), "0", 5, 1);
        openScreen();
        w<QDateEdit>("DateTimePicker1")->setDate(QDate(2014, 5, 31));
        w<QDateEdit>("DateTimePicker2")->setDate(QDate(2014, 5, 1));
        w<QCheckBox>("CheckBox4")->click();
        w("BitBtn1")->click();
        w("BitBtn2")->click();
        QVERIFY(f->messages().isEmpty());
        QVERIFY(reports->cdsRelProtocolo.commandText().isEmpty());

        w<QCheckBox>("CheckBox1")->click();
        for (const char *button : {"BitBtn1", "BitBtn2"}) {
            f->clearMessages();
            w(button)->click();
            QCOMPARE(f->messages().size(), 1);
            QCOMPARE(f->messages().first().text, Warning);
            QCOMPARE(f->messages().first().caption, QStringLiteral("Atenção"));
            QCOMPARE(f->messages().first().icon, MessageService::Icon::Warning);
        }
        QVERIFY(previewed.isEmpty() && printed.isEmpty());
        QVERIFY(!reports->cdsRelProtocolo.isActive());
        QVERIFY(screen->isVisible());
    }

    // A preview or printer that fails leaves the list's dataset closed, and
    // the screen shows the failure and stays as it was.
    void aFailedOutputClosesTheList() {
        addProtocol("00001", QDate(2014, 5, 20), "0", 5, 1);
        openScreen([](ReportLayout &, QWidget *) { throw std::runtime_error("impressora desligada"); });
        w<QCheckBox>("CheckBox1")->click();
        w("BitBtn2")->click();
        QCOMPARE(f->messages().size(), 1);
        QVERIFY(f->messages().first().text.contains(QStringLiteral("impressora desligada")));
        QVERIFY(!reports->cdsRelProtocolo.isActive());
        QVERIFY(screen->isVisible());
        QVERIFY(w<QCheckBox>("CheckBox1")->isChecked());
    }

    // One page: every item where the layout puts it, the status in words,
    // names with accents whole, and the longest name and subject cut at
    // their columns' edges.
    void listPlaces() {
        addProtocol("00001", QDate(2014, 5, 2), "0", 12, 1);
        addProtocol("00002", QDate(2014, 5, 3), "1", 7, 4);
        addProtocol("00003", QDate(2014, 5, 4), "2", 5, 1);
        const int listed = ProtocolListReport(*reports, f->session, capture(previewed))
                               .run({}, ProtocolListReport::Output::Preview, nullptr);
        QCOMPARE(listed, 3);
        const ReportDocument &doc = previewed.first().document;
        QCOMPARE(doc.pages.size(), size_t(1));
        const ReportPage &page = doc.pages[0];
        QCOMPARE(doc.paper.size, QSizeF(215.9, 279.4));

        const double header = 10, columns = header + 22.0, detail = columns + 6.6, summary = detail + 3 * 4.0;
        checkPlaces(page, {{"ESTADO DO PIAUÍ", 10 + 20.4, header + 2.6},
                           {"PREFEITURA MUNICIPAL DE TERESINA", 10 + 20.4, header + 10.6},
                           {Title, 10 + 20.4, header + 14.8},
                           {"Data : 10/06/2014", 10 + 193.1, header + 4.8, Right},
                           {"Página : 1", 10 + 193.1, header + 13.8, Right},
                           {"Nº", 10 + (0.8 + 8.2) / 2, columns + 1.6, Centre},
                           {"Ano", 10 + (10.8 + 16.9) / 2, columns + 1.6, Centre},
                           {"Status", 10 + (19.6 + 33.9) / 2, columns + 1.6, Centre},
                           {"Data", 10 + (40.0 + 46.3) / 2, columns + 1.6, Centre},
                           {"Solicitante", 10 + (53.2 + 109.8) / 2, columns + 1.6, Centre},
                           {"Assunto", 10 + (113.0 + 195.0) / 2, columns + 1.6, Centre},
                           {"00003", 10 + 1.3, detail + 0.5},
                           {"ARQUIVADO", 10 + 19.3, detail + 0.5},
                           {"04/05/2014", 10 + (36.0 + 51.3) / 2, detail + 0.5, Centre},
                           {"ANA MARIA DE SOUSA", 10 + 53.2, detail + 0.5},
                           {"ALVARA DE CONSTRUCAO", 10 + 111.7, detail + 0.5},
                           {"CANCELADO", 10 + 19.3, detail + 4.0 + 0.5},
                           {"JOÃO D'ÁVILA CONCEIÇÃO", 10 + 53.2, detail + 2 * 4.0 + 0.5},
                           {"ATIVO", 10 + 19.3, detail + 2 * 4.0 + 0.5},
                           {"Total de Protocolos: 3", 10 + 195.0, summary + 1.6, Right},
                           {"Kalvero - todos os direitos reservados", 10 + 1.1 + 193.9 / 2, 279.4 - 10 - 4.5 + 0.5,
                            Centre}});
        const TextItem *year = page.findText(QStringLiteral("2014"));
        QVERIFY(year && qAbs(year->frame.center().x() - (10 + (10.8 + 16.9) / 2)) < 0.1);

        // The column header's rules: frame lines along its top and bottom,
        // and the five upright rules over its height.
        QList<double> uprights;
        int acrossColumns = 0;
        for (const PageItem &item : page.items)
            if (const auto *line = std::get_if<LineItem>(&item)) {
                if (qFuzzyCompare(line->from.x(), line->to.x()) && qAbs(line->from.y() - columns) < 0.2 &&
                    qAbs(line->to.y() - (columns + 6.6)) < 0.2)
                    uprights << line->from.x() - 10;
                else if (line->from.y() == line->to.y() &&
                         (qAbs(line->from.y() - columns) < 1e-6 || qAbs(line->from.y() - columns - 6.6) < 1e-6))
                    ++acrossColumns;
            }
        QCOMPARE(uprights.size(), 5);
        const QList<double> expected{8.2, 17.7, 33.9, 51.3, 109.8};
        for (int i = 0; i < 5; ++i)
            QVERIFY2(qAbs(uprights.at(i) - expected.at(i)) < 0.1, qPrintable(QString::number(uprights.at(i))));
        QCOMPARE(acrossColumns, 2);

        // The long name and subject stay within their columns: cut at
        // their right edges.
        for (const auto &[text, left, width] : {std::tuple{LongName, 53.2, 56.4}, std::tuple{LongSubject, 111.7, 83.3}}) {
            const TextItem *item = page.findText(text);
            QVERIFY(item);
            QVERIFY(item->clipped);
            QVERIFY(qAbs(item->frame.left() - (10 + left)) < 1e-6);
            QVERIFY(qAbs(item->frame.right() - (10 + left + width)) < 1e-6);
        }
        QVERIFY(!page.findText(QStringLiteral("JOÃO D'ÁVILA CONCEIÇÃO"))->clipped);
    }

    // Over several pages: each repeats the heading and the column captions
    // with its number, and the total on the last counts every protocol.
    void listOverSeveralPages() {
        addProtocols(130, QDate(2014, 5, 2));
        const int listed = ProtocolListReport(*reports, f->session, capture(previewed))
                               .run({}, ProtocolListReport::Output::Preview, nullptr);
        QCOMPARE(listed, 130);
        const ReportDocument &doc = previewed.first().document;
        QCOMPARE(doc.pages.size(), size_t(3));
        int lines = 0;
        for (const ReportPage &page : doc.pages) {
            const QStringList texts = page.texts();
            for (const QString &repeated : {Title, QStringLiteral("ESTADO DO PIAUÍ"), QStringLiteral("Nº"),
                                            QStringLiteral("Solicitante"), QStringLiteral("Assunto")})
                QVERIFY2(texts.contains(repeated), qPrintable(repeated));
            QVERIFY(texts.contains(QStringLiteral("Página : %1").arg(page.number)));
            lines += texts.filter(QRegularExpression(QStringLiteral("^\\d{5}$"))).size();
        }
        QCOMPARE(lines, 130);
        QCOMPARE(allTexts(doc).filter(QStringLiteral("Total de Protocolos")),
                 QStringList{QStringLiteral("Total de Protocolos: 130")});
        QVERIFY(doc.pages.back().texts().contains(QStringLiteral("Total de Protocolos: 130")));
        QCOMPARE(doc.pages.front().findText(QStringLiteral("00130"))->frame.top(), 10 + 22.0 + 6.6 + 0.5);

        const QString pdf = programFolder.file(QStringLiteral("lista.pdf"));
        ReportOutput::writePdf(doc, pdf);
        const QString text = pdfText(pdf);
        QCOMPARE(text.count(Title), 3);
        QCOMPARE(text.count(QStringLiteral("Solicitante")), 3);
        QVERIFY(text.contains(QStringLiteral("Total de Protocolos: 130")));
        QVERIFY(text.contains(QStringLiteral("Página : 3")));
    }

    // "&Visualizar" opens the preview on the first of the list's pages; its
    // last page ends with the total.
    void previewPagesThroughTheList() {
        addProtocols(130, QDate(2014, 5, 2));
        screen = std::make_unique<TRelatorios>(*f->registries, *reports, f->session);
        QVERIFY(UnitFixture::showActive(screen.get()));
        QString first, last;
        QStringList lastTexts;
        QTimer::singleShot(0, screen.get(), [&] {
            auto *preview = qobject_cast<ReportPreviewWindow *>(QApplication::activeModalWidget());
            QVERIFY(preview);
            first = named<QLabel>(preview, QStringLiteral("pageLabel"))->text();
            preview->findChild<QAction *>(QStringLiteral("actionLast"))->trigger();
            last = named<QLabel>(preview, QStringLiteral("pageLabel"))->text();
            lastTexts = preview->document().page(preview->currentPage() - 1).texts();
            preview->findChild<QAction *>(QStringLiteral("actionClose"))->trigger();
        });
        w<QCheckBox>("CheckBox1")->click();
        w("BitBtn1")->click();
        QCOMPARE(first, QStringLiteral("Página 1 de 3"));
        QCOMPARE(last, QStringLiteral("Página 3 de 3"));
        QVERIFY(lastTexts.contains(QStringLiteral("Total de Protocolos: 130")));
        QVERIFY(lastTexts.contains(QStringLiteral("Página : 3")));
        QVERIFY(!reports->cdsRelProtocolo.isActive());
    }

    // "&Imprimir" sends the list to the printer, here a PDF file, with the
    // engine's progress window and no preview.
    void printWithoutPreview() {
        addProtocols(70, QDate(2014, 5, 2));
        const QString pdf = programFolder.file(QStringLiteral("impressora.pdf"));
        bool progressShown = false;
        openScreen([&](ReportLayout &layout, QWidget *from) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            QTimer watch;
            watch.setInterval(0);
            QObject::connect(&watch, &QTimer::timeout, [&] {
                for (QWidget *window : QApplication::topLevelWidgets())
                    if (qobject_cast<QProgressDialog *>(window) && window->isVisible())
                        progressShown = true;
            });
            watch.start();
            layout.print(printer, from);
        });
        w<QCheckBox>("CheckBox1")->click();
        w("BitBtn2")->click();
        QVERIFY(previewed.isEmpty());
        QVERIFY(progressShown);
        QVERIFY(pdfInfo(pdf).contains(QRegularExpression(QStringLiteral("Pages:\\s+2"))));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(Title));
        QVERIFY(text.contains(QStringLiteral("Total de Protocolos: 70")));
        QVERIFY(f->messages().isEmpty());
    }

};

QTEST_MAIN(ProtocolListReportTest)
#include "tst_protocol_list_report.moc"
