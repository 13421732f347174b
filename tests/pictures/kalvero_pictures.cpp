// Draws the README's and the operator guide's pictures from the program's own
// windows on a demo install: the login, the main window, the requester
// registry, the protocol and movement registers and the report screen, and a
// delivery receipt, a label, a movement history and a two-page list of
// protocols from the program's own PDF output (pdftoppm). scripts/pictures.sh
// runs it under Xvfb.
//   kalvero_pictures <output folder>
#include "ShellFixture.h"

#include "access/TFrmSenha.h"
#include "app/install/DemoDataSeeder.h"
#include "app/shell/ScreenCatalog.h"
#include "app/shell/TFrmPrincipal.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/records/RecordSet.h"
#include "movements/MovementHistoryPrint.h"
#include "movements/TCAD_Movimentacao.h"
#include "consultation/StatusSlipPrint.h"
#include "consultation/TCON_Protocolos.h"
#include "data/ProgramPaths.h"
#include "protocols/ProtocolPrintCommands.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPreviewWindow.h"
#include "data/session/SessionState.h"
#include "protocols/TCAD_Protocolo.h"
#include "protocols/TFRM_CancelandoProtocolo.h"
#include "registries/TCAD_Solicitantes.h"
#include "reports/screen/TRelatorios.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QPainter>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

using namespace kalvero;

namespace {

QString outputFolder;
bool allSaved = true;

void save(QWidget *window, const QString &name) {
    QTest::qWait(300);  // laid out and painted
    const QString path = QDir(outputFolder).filePath(name);
    const bool saved = window->grab().save(path, "PNG");
    allSaved = allSaved && saved;
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
}

// A printed page as the PNG that pdftoppm makes of the program's PDF.
void savePrinted(ReportLayout &layout, const QString &name, int dpi) {
    const QString pdf = QDir(outputFolder).filePath(name + QStringLiteral(".pdf"));
    ReportOutput::writePdf(layout.run(), pdf);
    const QString png = QDir(outputFolder).filePath(name);
    const int exitCode = QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi),
                                                                       QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                                       pdf, png});
    QFile::remove(pdf);
    allSaved = allSaved && exitCode == 0;
    std::printf("%s %s.png\n", exitCode == 0 ? "wrote" : "could not write", qPrintable(png));
}

// The pages of a printed list side by side, as pdftoppm makes them of the
// program's PDF.
void savePrintedPages(ReportLayout &layout, const QString &name, int dpi) {
    const QString pdf = QDir(outputFolder).filePath(name + QStringLiteral(".pdf"));
    ReportOutput::writePdf(layout.run(), pdf);
    const QString root = QDir(outputFolder).filePath(name + QStringLiteral("-pagina"));
    const int exitCode = QProcess::execute(QStringLiteral("pdftoppm"),
                                           {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, root});
    QFile::remove(pdf);
    QList<QImage> pages;
    for (const QString &file : QDir(outputFolder).entryList({name + QStringLiteral("-pagina-*.png")}, QDir::Files, QDir::Name)) {
        pages << QImage(QDir(outputFolder).filePath(file));
        QFile::remove(QDir(outputFolder).filePath(file));
    }
    constexpr int gap = 16;
    bool saved = exitCode == 0 && !pages.isEmpty();
    if (saved) {
        QImage sheet(pages.size() * (pages.first().width() + gap) + gap, pages.first().height() + 2 * gap,
                     QImage::Format_RGB32);
        sheet.fill(QColor(128, 128, 128));
        QPainter p(&sheet);
        for (int i = 0; i < pages.size(); ++i)
            p.drawImage(gap + i * (pages.first().width() + gap), gap, pages.at(i));
        p.end();
        saved = sheet.save(QDir(outputFolder).filePath(name + QStringLiteral(".png")), "PNG");
    }
    allSaved = allSaved && saved;
    std::printf("%s %s.png\n", saved ? "wrote" : "could not write", qPrintable(QDir(outputFolder).filePath(name)));
}

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvero_pictures <output folder>\n");
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);

    test::ShellFixture f;
    DemoDataSeeder(f.unitDatabaseName(), QStringLiteral("ADM1")).fill();
    // A second unit, so that the consultation shows protocols of both.
    {
        const QString folder02 = ProgramPaths::unitFolder(f.folder(), QStringLiteral("02"));
        QDir().mkpath(folder02);
        test::createUnitDatabaseAt(ProgramPaths::unitDatabase(folder02));
        DemoDataSeeder(f.unitDatabaseName(QStringLiteral("02")), QStringLiteral("ADM1")).fill();
        f.addUnit(QStringLiteral("02"), QStringLiteral("SECRETARIA MUNICIPAL DE SAUDE"), folder02);
    }

    TFrmPrincipal window;
    installScreens(window, *f.registries, Session);
    window.loginUpdateCheck = nullptr;
    window.resize(1024, 700);
    // The login as the operator sees it with the code typed, then the unit chosen.
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        auto *login = qobject_cast<TFrmSenha *>(QApplication::activeModalWidget());
        if (!login)
            return;
        poll->stop();
        poll->deleteLater();
        login->edtUsuario->setText(QStringLiteral("ADM1"));
        login->edtSenha->setText(QStringLiteral("12345"));
        login->login();
        login->cbUnidade->setCurrentIndex(0);
        login->unitPicked();
        save(login, QStringLiteral("login.png"));
        login->defineUnit();
    });
    poll->start();
    window.show();
    if (!QTest::qWaitFor([&] { return window.startupDone(); }, 30000)) {
        std::fprintf(stderr, "the main window did not start\n");
        return 1;
    }
    save(&window, QStringLiteral("principal.png"));

    TCAD_Solicitantes requesters(*f.registries, Session, &window);
    requesters.show();
    save(&requesters, QStringLiteral("solicitantes.png"));
    requesters.close();

    // The protocol list, a new protocol being entered, a protocol's documents
    // with one being added, and the reason asked for a cancellation.
    {
        TCAD_Protocolo protocols(*f.registries, Session, ProtocolPrinting{}, &window);
        protocols.show();
        save(&protocols, QStringLiteral("protocolos.png"));

        auto *alterar = protocols.findChild<QPushButton *>(QStringLiteral("btnAlterar"));
        alterar->click();
        protocols.findChild<QPushButton *>(QStringLiteral("btnIncluirDocumento"))->click();
        // Typed: the boxes write what the operator types into the new row.
        auto type = [&](const char *box, const QString &text) {
            auto *edit = protocols.findChild<QLineEdit *>(QLatin1String(box));
            edit->setText(text);
            emit edit->textEdited(text);
        };
        type("edtNomeDocumento", QStringLiteral("PROCURAÇÃO"));
        type("edtPaginas", QStringLiteral("2"));
        save(&protocols, QStringLiteral("protocolo-documentos.png"));
        protocols.findChild<QPushButton *>(QStringLiteral("btnVoltarDocumento"))->click();
        protocols.findChild<QPushButton *>(QStringLiteral("btnSairManutencao"))->click();

        protocols.findChild<QPushButton *>(QStringLiteral("btnNovo"))->click();
        QTest::keyClicks(protocols.findChild<QLineEdit *>(QStringLiteral("edtSolicitante")), QStringLiteral("1"));
        QTest::keyClicks(protocols.findChild<QLineEdit *>(QStringLiteral("edtAssunto")), QStringLiteral("1"));
        auto *description = protocols.findChild<QPlainTextEdit *>(QStringLiteral("mmDescricao"));
        description->setFocus();
        description->insertPlainText(QStringLiteral("SOLICITA ALVARÁ DE FUNCIONAMENTO PARA MERCEARIA NA RUA DAS FLORES, 120"));
        save(&protocols, QStringLiteral("protocolo-novo.png"));
        protocols.findChild<QPushButton *>(QStringLiteral("btnSairManutencao"))->click();

        QString reason;
        TFRM_CancelandoProtocolo cancelling(reason, &protocols);
        cancelling.show();
        cancelling.findChild<QPlainTextEdit *>(QStringLiteral("mmMotivo"))
            ->setPlainText(QStringLiteral("DESISTÊNCIA DO REQUERENTE, CONFORME PEDIDO ASSINADO NO BALCÃO"));
        save(&cancelling, QStringLiteral("cancelamento.png"));
        cancelling.reject();
        protocols.close();
    }

    // The receipt of a protocol with documents and its folder label.
    {
        TUDMRelatorio reports(*f.unit);
        QString picture;
        int dpi = 0;
        bool previewShown = false;
        auto present = [&](ReportLayout &layout, QWidget *) {
            savePrinted(layout, picture, dpi);
            if (previewShown)
                return;
            // The preview as the desk sees it, maximized at 100 %.
            previewShown = true;
            ReportPreviewWindow preview(layout.run(), layout.title(), &window);
            preview.resize(1100, 780);  // Xvfb has no window manager to maximize it
            preview.show();
            save(&preview, QStringLiteral("previa.png"));
            preview.close();
        };
        TCAD_Protocolo protocols(*f.registries, Session,
                                 ProtocolPrintCommands::commands(*f.registries, reports, Session, present), &window);
        protocols.show();
        RecordSet &list = f.registries->cdsTBProtocolo;
        for (list.first(); !list.eof(); list.next()) {
            protocols.findChild<QPushButton *>(QStringLiteral("btnAlterar"))->click();
            const bool withDocuments = !f.registries->cdsTBDocumentos.isEmpty();
            protocols.findChild<QPushButton *>(QStringLiteral("btnSairManutencao"))->click();
            if (withDocuments)
                break;
        }
        picture = QStringLiteral("comprovante"), dpi = 80;
        protocols.findChild<QPushButton *>(QStringLiteral("btnComprovante"))->click();
        protocols.findChild<QPushButton *>(QStringLiteral("btnAlterar"))->click();
        picture = QStringLiteral("etiqueta"), dpi = 300;
        protocols.findChild<QToolButton *>(QStringLiteral("btnEtiqueta"))->click();
        protocols.findChild<QPushButton *>(QStringLiteral("btnSairManutencao"))->click();
        protocols.close();
    }

    // The movement register: the list, the path of the protocol with the most
    // movements (a cancelled one among them when there is one), a delivery
    // being entered, and the printed history.
    {
        auto print = [&](const QString &number, const QString &year, QWidget *screen) {
            MovementHistoryPrint(*f.unit, Session, [](ReportLayout &layout, QWidget *) {
                savePrinted(layout, QStringLiteral("historico"), 80);
            }).print(number, year, screen);
        };
        TCAD_Movimentacao movements(*f.registries, Session, print, &window);
        movements.show();
        save(&movements, QStringLiteral("movimentacao.png"));

        RecordSet &list = f.registries->cdsTBProtocolo;
        auto *open = movements.findChild<QPushButton *>(QStringLiteral("btnMovimentar"));
        auto *leave = movements.findChild<QPushButton *>(QStringLiteral("btnSairManutencao"));
        int best = 0, bestRow = 1;
        bool bestHasCancelled = false;
        for (list.first(); !list.eof(); list.next()) {
            open->click();
            RecordSet &path = f.registries->cdsTBMovimentacao;
            bool cancelled = false;
            for (int row = 0; row < path.recordCount(); ++row)
                cancelled = cancelled || path.valueAt(row, path.fieldIndex(QStringLiteral("SITUACAO"))).toString() == "1";
            if (std::make_pair(cancelled, path.recordCount()) > std::make_pair(bestHasCancelled, best)) {
                bestHasCancelled = cancelled;
                best = path.recordCount();
                bestRow = list.recNo();
            }
            leave->click();
        }
        list.setRecNo(bestRow);
        open->click();
        save(&movements, QStringLiteral("movimentacao-historico.png"));
        movements.findChild<QPushButton *>(QStringLiteral("btnImprimir"))->click();

        movements.findChild<QPushButton *>(QStringLiteral("btnIncluir"))->click();
        auto *sector = movements.findChild<QLineEdit *>(QStringLiteral("edtSetor"));
        QTest::keyClicks(sector, QStringLiteral("1"));
        QTest::keyClick(sector, Qt::Key_Tab);
        QTest::keyClick(movements.focusWidget(), Qt::Key_Tab);
        auto *person = movements.findChild<QComboBox *>(QStringLiteral("cbResponsavel"));
        person->setCurrentIndex(0);
        emit person->activated(0);
        auto *time = movements.findChild<QLineEdit *>(QStringLiteral("edtHora"));
        time->setFocus();
        QTest::keyClicks(time, QStringLiteral("1430"));
        auto *remarks = movements.findChild<QPlainTextEdit *>(QStringLiteral("mmObservacao"));
        remarks->setFocus();
        remarks->insertPlainText(QStringLiteral("PROCESSO ENCAMINHADO PARA PARECER DO ENGENHEIRO"));
        save(&movements, QStringLiteral("movimentacao-entrega.png"));
        movements.findChild<QPushButton *>(QStringLiteral("btnCancelarEntrada"))->click();
        leave->click();
        movements.close();
    }

    // "Consulta de Protocolos": a part of a name typed without its accents,
    // found in both units, the chosen protocol's path, and its status slip.
    {
        TCON_Protocolos::Commands commands;
        commands.printSlip = [&](const WorkUnit &unit, const ProtocolFound &protocol, QWidget *screen) {
            StatusSlipPrint(Session, [](ReportLayout &layout, QWidget *) {
                savePrinted(layout, QStringLiteral("consulta-situacao"), 80);
            }).print(unit, protocol, screen);
        };
        TCON_Protocolos consultation(Session, commands, &window);
        consultation.show();
        auto *box = consultation.findChild<QLineEdit *>(QStringLiteral("edtConsulta"));
        QTest::keyClicks(box, QStringLiteral("araujo"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::qWaitFor([&] { return !consultation.searching() && consultation.answer().protocolCount() > 0; }, 10000);
        // The line with the longest path, a cancelled movement in it when there is one.
        auto *list = consultation.findChild<QTableWidget *>(QStringLiteral("grdProtocolos"));
        auto *path = consultation.findChild<QTableWidget *>(QStringLiteral("grdCaminho"));
        int bestRow = 0;
        std::pair<bool, int> best{false, -1};
        for (int row = 0; row < list->rowCount(); ++row) {
            list->setCurrentCell(row, 1);
            bool cancelled = false;
            for (int step = 0; step < path->rowCount(); ++step)
                cancelled = cancelled || path->item(step, 5)->text() == QStringLiteral("CANCELADO");
            if (std::make_pair(cancelled, path->rowCount()) > best) {
                best = {cancelled, path->rowCount()};
                bestRow = row;
            }
        }
        list->setCurrentCell(bestRow, 1);
        box->setFocus();
        save(&consultation, QStringLiteral("consulta.png"));
        consultation.findChild<QPushButton *>(QStringLiteral("btnImprimir"))->click();
        consultation.close();
    }

    // The report screen set for the protocols of a recent period, long
    // enough for a list of two pages, and that list.
    {
        TUDMRelatorio reports(*f.unit);
        const QDate from = f.scalar(f.unitDatabaseName(), QStringLiteral("select first 1 skip 79 DATADEENTRADA "
                                                                        "from TBPROTOCOLO order by DATADEENTRADA desc"))
                               .toDate();
        const QDate until = f.scalar(f.unitDatabaseName(), QStringLiteral("select max(DATADEENTRADA) from TBPROTOCOLO"))
                                .toDate();
        TRelatorios screen(*f.registries, reports, Session, &window, [](ReportLayout &layout, QWidget *) {
            savePrintedPages(layout, QStringLiteral("lista-protocolos"), 60);
        });
        screen.show();
        screen.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->setChecked(true);
        screen.findChild<QCheckBox *>(QStringLiteral("CheckBox4"))->setChecked(true);
        screen.findChild<QDateEdit *>(QStringLiteral("DateTimePicker1"))->setDate(from);
        screen.findChild<QDateEdit *>(QStringLiteral("DateTimePicker2"))->setDate(until);
        save(&screen, QStringLiteral("relatorios.png"));
        screen.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        screen.close();
    }
    return allSaved ? 0 : 1;
}
