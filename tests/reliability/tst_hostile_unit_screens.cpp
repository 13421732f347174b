#include "HostileInput.h"
#include "RegistryScreens.h"
#include "UnitFixture.h"
#include "WindowDriving.h"
#include "data/Clock.h"
#include "data/modules/TUDMCadastro.h"
#include "data/modules/TUDMRelatorio.h"
#include "data/records/RecordSet.h"
#include "movements/TCAD_Movimentacao.h"
#include "protocols/TCAD_Protocolo.h"
#include "protocols/TFRM_CancelandoProtocolo.h"
#include "registries/TCAD_Assuntos.h"
#include "registries/TCAD_Setores.h"
#include "registries/TCAD_Solicitantes.h"
#include "registries/TCad_EntidadeNovo.h"
#include "reports/screen/TRelatorios.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

namespace {

// The screens of a unit database, each opened ready for a box to be filled.
enum class Desk {
    Requesters,
    Subjects,
    SubjectDocuments,
    Sectors,
    SectorPersons,
    Entity,
    Protocol,
    ProtocolDocuments,
    ProtocolCancellation,
    Movement,
    MovementCancellation,
};

struct BoxCase {
    Desk desk;
    QString box;
    int width;         // of the column; 0: no column
    QString readBack;  // the statement that reads the column back
    QStringList refusals;
    bool required = false;  // a box whose label ends in "*": blanks are no entry
};

const QString fillIn = QStringLiteral("Preencha todos os campos corretamente.");
const QString invalidEntry = QStringLiteral("Informações Inválidas para Gravação!");
const QString noReason = QStringLiteral("Informe o motivo do cancelamento!");

// The boxes of a window that a person can type into now, by name; the
// boxes inside date pickers and lists are theirs, not the window's.
QStringList editableBoxes(const QWidget *window) {
    QStringList names;
    for (QWidget *box : window->findChildren<QWidget *>()) {
        auto *line = qobject_cast<QLineEdit *>(box);
        auto *text = qobject_cast<QPlainTextEdit *>(box);
        if ((!line && !text) || qobject_cast<QAbstractSpinBox *>(box->parentWidget()) ||
            qobject_cast<QComboBox *>(box->parentWidget()))
            continue;
        if (box->isVisible() && box->isEnabled() && !(line ? line->isReadOnly() : text->isReadOnly()))
            names << box->objectName();
    }
    return names;
}

}  // namespace

Q_DECLARE_METATYPE(Desk)
Q_DECLARE_METATYPE(BoxCase)

// Every box of the unit's screens takes each hostile text and saves it
// through the screen's own command: stored as the box holds it, or refused
// with the screen's own message.
class HostileUnitScreensTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<QDialog> screen;
    QStringList report;  // screen | box | text | outcome, for the closing table

    template <typename Widget = QPushButton>
    Widget *w(const char *name) const {
        return named<Widget>(screen.get(), QLatin1String(name));
    }

    void seed() {
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (1, 'ANA', ?)"), {cpfFor(1)});
        f->execute(QStringLiteral("insert into TBASSUNTO values (1, 'ALVARA')"));
        f->execute(QStringLiteral("insert into TBASSUNTO_DOCUMENTOS values (1, 'RG', 1)"));
        f->execute(QStringLiteral("insert into TBSETOR values (1, 'GABINETE')"));
        f->execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR values (1, 'JOAO', 1)"));
        f->execute(QStringLiteral("insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, CIDADE, ESTADO) values "
                                  "('11222333000181', 'JOSE PREFEITO', 'ANA TESOUREIRA', 'PATOS', 'PARAÍBA')"));
        f->execute(QStringLiteral("insert into TBPROTOCOLO values ('00001', '2014', 1, 1, '2014-05-20', '0', 'PEDIDO')"));
        f->execute(QStringLiteral("insert into TBDOCUMENTOS values (1, '00001', '2014', 'RG', 2)"));
        f->execute(QStringLiteral("insert into TBMOVIMENTACAO values (1, '00001', '2014', 1, 1, '2014-05-21', "
                                  "'09:00:00', '0', 'ENTREGUE', '0002', '2014-05-21')"));
    }

    // Answers the cancellation dialog with the reason pasted into its box.
    QString reasonHeld;
    void whenReasonAsked(const QString &reason) {
        QTimer::singleShot(0, this, [this, reason] {
            auto *dialog = qobject_cast<TFRM_CancelandoProtocolo *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *box = named<QPlainTextEdit>(dialog, QStringLiteral("mmMotivo"));
            pasteInto(box, reason);
            reasonHeld = box->toPlainText();
            named<QPushButton>(dialog, QStringLiteral("btnOK"))->click();
            if (QApplication::activeModalWidget() == dialog)  // refused: leaves as Cancelar does
                named<QPushButton>(dialog, QStringLiteral("btnCancelar"))->click();
        });
    }

    // Opens the desk's screen with its record being entered or changed.
    void open(Desk desk) {
        make(desk);
        prepare(desk);
    }
    void make(Desk desk) {
        screen.reset();
        TUDMCadastro &data = *f->registries;
        switch (desk) {
        case Desk::Requesters:
            screen = std::make_unique<TCAD_Solicitantes>(data, f->session);
            break;
        case Desk::Subjects:
        case Desk::SubjectDocuments:
            screen = std::make_unique<TCAD_Assuntos>(data, f->session);
            break;
        case Desk::Sectors:
        case Desk::SectorPersons:
            screen = std::make_unique<TCAD_Setores>(data, f->session);
            break;
        case Desk::Entity:
            screen = std::make_unique<TCad_EntidadeNovo>(data, f->session);
            break;
        case Desk::Protocol:
        case Desk::ProtocolDocuments:
        case Desk::ProtocolCancellation:
            screen = std::make_unique<TCAD_Protocolo>(data, f->session);
            break;
        case Desk::Movement:
        case Desk::MovementCancellation:
            screen = std::make_unique<TCAD_Movimentacao>(data, f->session);
            break;
        }
        QVERIFY(UnitFixture::showActive(screen.get()));
    }
    void prepare(Desk desk) {
        switch (desk) {
        case Desk::Requesters:
        case Desk::Subjects:
        case Desk::Sectors:
            w("btnAlterar")->click();
            break;
        case Desk::SubjectDocuments:
        case Desk::SectorPersons:
            w("btnAlterar")->click();
            w("btnAlterarFilho")->click();
            break;
        case Desk::Protocol:
            w("btnAlterar")->click();
            break;
        case Desk::ProtocolDocuments:
            w("btnAlterar")->click();
            w("btnAlterarDocumento")->click();
            break;
        case Desk::Movement:
            w("btnMovimentar")->click();
            w("btnIncluir")->click();
            typeInto(w<QLineEdit>("edtSetor"), QStringLiteral("1"));
            w<QComboBox>("cbSetor")->setFocus(Qt::TabFocusReason);
            w<QDateEdit>("dtpData")->setFocus(Qt::TabFocusReason);
            {
                auto *person = w<QComboBox>("cbResponsavel");
                person->setCurrentIndex(person->findText(QStringLiteral("JOAO")));
                emit person->activated(person->currentIndex());
                auto *time = w<QLineEdit>("edtHora");
                time->setFocus(Qt::TabFocusReason);
                time->clear();
                time->home(false);
                QTest::keyClicks(time, QStringLiteral("0800"));
            }
            break;
        case Desk::MovementCancellation:
            w("btnMovimentar")->click();
            break;
        default:
            break;
        }
    }

    // The screen's own save command, every question answered Yes.
    void save(Desk desk) {
        f->answer({Answer::Yes, Answer::No});
        switch (desk) {
        case Desk::SubjectDocuments:
        case Desk::SectorPersons:
            w("btnGravarFilho")->click();
            break;
        case Desk::ProtocolDocuments:
            w("btnGravarDocumento")->click();
            break;
        case Desk::ProtocolCancellation:
            w("btnCancelarProtocolo")->click();
            break;
        case Desk::MovementCancellation:
            w("btnCancelar")->click();
            break;
        default:
            w("btnGravar")->click();
            break;
        }
    }

    static void add(Desk desk, const char *box, int width, const QString &readBack, const QStringList &refusals) {
        static const QStringList required{"0/edtNome",          "1/edtDescricao",  "2/edtNomeFilho",
                                          "3/edtNome",          "4/edtNomeFilho",  "5/edtPrefeito",
                                          "5/edtTesoureiro",    "5/edtCidade",     "6/mmDescricao",
                                          "7/edtNomeDocumento"};
        const QString tag = QStringLiteral("%1/%2").arg(int(desk)).arg(QLatin1String(box));
        QTest::newRow(qPrintable(tag)) << BoxCase{desk, QLatin1String(box), width, readBack, refusals, required.contains(tag)};
    }

private slots:
    void init() {
        Clock::setNow(QDateTime(QDate(2014, 6, 3), QTime(10, 0)));
        f = std::make_unique<UnitFixture>();
        f->session.OperatorCode = QStringLiteral("0007");
        seed();
    }
    void cleanup() {
        screen.reset();
        f.reset();
        Clock::setNow({});
    }
    void cleanupTestCase() {
        for (const QString &line : std::as_const(report))
            qInfo().noquote() << line;
    }

    void everyBoxStoresOrRefuses_data() {
        QTest::addColumn<BoxCase>("c");
        const auto requester = [](const char *column) {
            return QStringLiteral("select %1 from TBSOLICITANTE where IDSOLICITANTE = 1").arg(QLatin1String(column));
        };
        const QStringList requesterRefusals{fillIn, QStringLiteral("Número do CPF inválido!")};
        add(Desk::Requesters, "edtNome", 80, requester("NOME"), requesterRefusals);
        add(Desk::Requesters, "edtCpf", 11, requester("CPF"), requesterRefusals);
        add(Desk::Requesters, "edtEndereco", 80, requester("ENDERECO"), requesterRefusals);
        add(Desk::Requesters, "edtNumero", 10, requester("NUMERO"), requesterRefusals);
        add(Desk::Requesters, "edtCep", 10, requester("CEP"), requesterRefusals);
        add(Desk::Requesters, "edtMunicipio", 80, requester("MUNICIPIO"), requesterRefusals);
        add(Desk::Requesters, "edtBairro", 45, requester("BAIRRO"), requesterRefusals);
        add(Desk::Requesters, "edtComplemento", 40, requester("COMPLEMENTO"), requesterRefusals);
        add(Desk::Requesters, "edtUf", 2, requester("UF"), requesterRefusals);
        add(Desk::Requesters, "edtEmail", 80, requester("EMAIL"), requesterRefusals);
        add(Desk::Requesters, "edtTelefone", 15, requester("TEL_CONTATO"), requesterRefusals);
        add(Desk::Subjects, "edtDescricao", 80, QStringLiteral("select DESCRICAO from TBASSUNTO where IDASSUNTO = 1"),
            {QStringLiteral("Preencha o campo Descrição!")});
        add(Desk::SubjectDocuments, "edtNomeFilho", 80,
            QStringLiteral("select NOMEDOCUMENTO from TBASSUNTO_DOCUMENTOS where IDASSUNTO_DOCUMENTO = 1"), {});
        add(Desk::Sectors, "edtNome", 45, QStringLiteral("select NOME from TBSETOR where IDSETOR = 1"),
            {QStringLiteral("Preencha o campo Descrição Setor!")});
        add(Desk::SectorPersons, "edtNomeFilho", 45,
            QStringLiteral("select NOME from TBRESPONSAVEISPORSETOR where IDRESPONSAVEL = 1"), {});
        const auto entity = [](const char *column) {
            return QStringLiteral("select %1 from TBENTIDADE").arg(QLatin1String(column));
        };
        const QStringList entityRefusals{QStringLiteral("CNPJ Inválido!"), invalidEntry};
        add(Desk::Entity, "edtCnpj", 18, entity("CNPJ"), entityRefusals);
        add(Desk::Entity, "edtFone", 20, entity("FONE"), entityRefusals);
        add(Desk::Entity, "edtPrefeito", 40, entity("PREFEITO"), entityRefusals);
        add(Desk::Entity, "edtTesoureiro", 40, entity("TESOUREIRO"), entityRefusals);
        add(Desk::Entity, "edtEndereco", 40, entity("ENDERECO"), entityRefusals);
        add(Desk::Entity, "edtNumero", 6, entity("NUMERO"), entityRefusals);
        add(Desk::Entity, "edtComplemento", 15, entity("COMPLEMENTO"), entityRefusals);
        add(Desk::Entity, "edtBairro", 20, entity("BAIRRO"), entityRefusals);
        add(Desk::Entity, "edtCep", 9, entity("CEP"), entityRefusals);
        add(Desk::Entity, "edtCidade", 20, entity("CIDADE"), entityRefusals);
        add(Desk::Entity, "edtResponsavel1", 50, entity("RESPONSAVEL_RELATORIO_1"), entityRefusals);
        add(Desk::Entity, "edtResponsavel2", 50, entity("RESPONSAVEL_RELATORIO_2"), entityRefusals);
        const QString protocol = QStringLiteral("select %1 from TBPROTOCOLO where IDPROTOCOLO = '00001'");
        add(Desk::Protocol, "mmDescricao", 500, protocol.arg(QLatin1String("DESCRICAO")), {invalidEntry});
        add(Desk::Protocol, "edtSolicitante", 0, protocol.arg(QLatin1String("SOLICITANTE")), {invalidEntry});
        add(Desk::Protocol, "edtAssunto", 0, protocol.arg(QLatin1String("ASSUNTO")), {invalidEntry});
        const QString document = QStringLiteral("select %1 from TBDOCUMENTOS where IDDOCUMENTO = 1");
        add(Desk::ProtocolDocuments, "edtNomeDocumento", 80, document.arg(QLatin1String("NOMEDOCUMENTO")), {invalidEntry});
        add(Desk::ProtocolDocuments, "edtPaginas", 0, document.arg(QLatin1String("PAGINA")), {invalidEntry});
        add(Desk::Movement, "mmObservacao", 500,
            QStringLiteral("select OBSERVACAO from TBMOVIMENTACAO where IDMOVIMENTACAO = 2"), {invalidEntry});
        add(Desk::Movement, "edtSetor", 0, QStringLiteral("select SETOR from TBMOVIMENTACAO where IDMOVIMENTACAO = 2"),
            {invalidEntry});
        add(Desk::Movement, "edtHora", 0, QStringLiteral("select HORA from TBMOVIMENTACAO where IDMOVIMENTACAO = 2"),
            {invalidEntry, QStringLiteral("Hora inválida!")});
        add(Desk::ProtocolCancellation, "mmMotivo", 0, protocol.arg(QLatin1String("DESCRICAO")), {noReason});
        add(Desk::MovementCancellation, "mmMotivo", 0,
            QStringLiteral("select OBSERVACAO from TBMOVIMENTACAO where IDMOVIMENTACAO = 1"), {noReason});
    }
    void everyBoxStoresOrRefuses() {
        QFETCH(BoxCase, c);
        QStringList faults;
        const bool reason = c.box == QLatin1String("mmMotivo");
        for (const HostileText &hostile : hostileTexts()) {
            // Each text on the screen as the desk left it.
            f->execute(QStringLiteral("update TBPROTOCOLO set STATUS = '0', DESCRICAO = 'PEDIDO'"));
            f->execute(QStringLiteral("update TBMOVIMENTACAO set SITUACAO = '0', OBSERVACAO = 'ENTREGUE'"));
            f->execute(QStringLiteral("delete from TBMOVIMENTACAO where IDMOVIMENTACAO > 1"));
            open(c.desk);
            Attempt a;
            a.pasted = hostile.text;
            a.before = f->scalar(c.readBack);
            f->clearMessages();
            if (reason) {
                whenReasonAsked(hostile.text);
                save(c.desk);
                a.held = reasonHeld;
                a.after = f->scalar(c.readBack);
                a.messages = f->messages();
                QString fault;
                for (const auto &m : a.messages)
                    if (!m.details.isEmpty() || (m.buttons == MessageService::Buttons::Ok && !c.refusals.contains(m.text) &&
                                                 m.icon != MessageService::Icon::Information))
                        fault = QStringLiteral("message \"%1\" %2").arg(m.text, m.details);
                // The reason is kept inside the cancellation's trailer, its end
                // cut where the column has no room for it.
                const QString after = a.after.toString();
                const qsizetype from = after.indexOf(QStringLiteral(" / MOTIVO: "));
                const qsizetype to = after.lastIndexOf(QStringLiteral(" / DATA DO CANCELAMENTO: "));
                const QString kept = from < 0 || to < from ? QString() : after.mid(from + 11, to - from - 11);
                QString outcome;
                if (holdsUnseen(a.held, true) || !a.held.isValidUtf16())
                    fault = QStringLiteral("the box holds \"%1\"").arg(printable(a.held));
                else if (a.after == a.before)
                    outcome = a.messages.isEmpty() ? QStringLiteral("nothing happened") : QStringLiteral("refused");
                else if (!kept.isEmpty() && a.held.startsWith(kept))
                    outcome = boxEffect(a.pasted, a.held) +
                              (kept == a.held ? QStringLiteral("; stored in the trailer")
                                              : QStringLiteral("; its first %1 characters stored in the trailer")
                                                    .arg(characterCount(kept)));
                else
                    fault = QStringLiteral("the reason \"%1\" is not in \"%2\"").arg(printable(a.held), printable(after));
                if (!fault.isEmpty())
                    faults << QStringLiteral("%1: %2").arg(QLatin1String(hostile.name), fault);
                report << QStringLiteral("%1 | %2 | - | %3 | %4")
                              .arg(screen->objectName(), c.box, QLatin1String(hostile.name), outcome);
                continue;
            }
            QWidget *box = named<QWidget>(screen.get(), c.box);
            pasteInto(box, hostile.text);
            a.held = boxText(box);
            if (auto *line = qobject_cast<QLineEdit *>(box); line && !line->inputMask().isEmpty())
                a.held = named<MaskedDigitsEdit>(screen.get(), c.box)->digits();
            save(c.desk);
            a.after = f->scalar(c.readBack);
            a.messages = f->messages();
            QString outcome;
            QString fault;
            if (c.width == 0) {
                // A code or number box: whatever it holds, no database error
                // and the column holds a value of its kind.
                for (const auto &m : a.messages)
                    if (!m.details.isEmpty() || (m.buttons == MessageService::Buttons::Ok && !c.refusals.contains(m.text)))
                        fault = QStringLiteral("message \"%1\" %2").arg(m.text, m.details);
                outcome = boxEffect(a.pasted, a.held) + (a.after == a.before ? QStringLiteral("; nothing changed")
                                                                             : QStringLiteral("; stored ") + a.after.toString());
            } else {
                fault = judge(a, c.width, c.refusals, &outcome, qobject_cast<QPlainTextEdit *>(box) != nullptr);
            }
            if (fault.isEmpty() && c.required && a.held.trimmed().isEmpty() && a.after != a.before)
                fault = QStringLiteral("a required box of blanks was stored");
            if (!fault.isEmpty())
                faults << QStringLiteral("%1: %2").arg(QLatin1String(hostile.name), fault);
            report << QStringLiteral("%1 | %2 | %3 | %4 | %5")
                          .arg(screen->objectName(), c.box, QString::number(c.width), QLatin1String(hostile.name), outcome);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Every box a person can type into on these screens is in the tables
    // above; the report screen has none (its filters are lists, check boxes
    // and date pickers).
    void everyEditableBoxIsInTheTables() {
        const QList<QPair<Desk, QStringList>> covered{
            {Desk::Requesters,
             {"edtConsultaCodigo", "edtConsultaNome", "edtConsultaCpf", "edtConsultaCnpj", "edtNome", "edtCpf", "edtCnpj",
              "edtEndereco", "edtNumero", "edtCep", "edtMunicipio", "edtBairro", "edtComplemento", "edtUf", "edtEmail",
              "edtTelefone"}},
            {Desk::SubjectDocuments, {"edtConsultaCodigo", "edtConsultaDescricao", "edtDescricao", "edtNomeFilho"}},
            {Desk::SectorPersons, {"edtConsultaNome", "edtNome", "edtNomeFilho"}},
            {Desk::Entity,
             {"edtCnpj", "edtFone", "edtPrefeito", "edtTesoureiro", "edtEndereco", "edtNumero", "edtComplemento", "edtBairro",
              "edtCep", "edtCidade", "edtResponsavel1", "edtResponsavel2"}},
            {Desk::Protocol, {"edtConsultaNumero", "edtConsultaAno", "mmDescricao", "edtSolicitante", "edtAssunto"}},
            {Desk::ProtocolDocuments,
             {"edtConsultaNumero", "edtConsultaAno", "mmDescricao", "edtSolicitante", "edtAssunto", "edtNomeDocumento",
              "edtPaginas"}},
            {Desk::Movement, {"edtConsultaNumero", "edtConsultaAno", "mmObservacao", "edtSetor", "edtHora"}},
        };
        QStringList faults;
        for (const auto &[desk, boxes] : covered) {
            make(desk);
            QStringList open = editableBoxes(screen.get());
            prepare(desk);
            open << editableBoxes(screen.get());
            for (const QString &name : std::as_const(open))
                if (!boxes.contains(name))
                    faults << screen->objectName() + QLatin1Char('/') + name;
        }
        screen.reset();
        TUDMRelatorio reports(*f->unit);
        TRelatorios filters(*f->registries, reports, f->session);
        QVERIFY(UnitFixture::showActive(&filters));
        for (const QString &name : editableBoxes(&filters))
            faults << filters.objectName() + QLatin1Char('/') + name;
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("boxes no table covers: ") + faults.join(QStringLiteral(", "))));
    }

    // The search boxes take each hostile text: no database error, and a
    // list searched by text holds only rows with that text in them, "%",
    // "_" and "\\" taken literally.
    void searchBoxesFindOnlyWhatWasTyped_data() {
        QTest::addColumn<Desk>("desk");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("listed");  // the column searched; empty: a find by code
        QTest::newRow("requesters/edtConsultaNome") << Desk::Requesters << "edtConsultaNome" << "NOME";
        QTest::newRow("requesters/edtConsultaCodigo") << Desk::Requesters << "edtConsultaCodigo" << "";
        QTest::newRow("requesters/edtConsultaCpf") << Desk::Requesters << "edtConsultaCpf" << "";
        QTest::newRow("requesters/edtConsultaCnpj") << Desk::Requesters << "edtConsultaCnpj" << "";
        QTest::newRow("subjects/edtConsultaDescricao") << Desk::Subjects << "edtConsultaDescricao" << "DESCRICAO";
        QTest::newRow("subjects/edtConsultaCodigo") << Desk::Subjects << "edtConsultaCodigo" << "";
        QTest::newRow("sectors/edtConsultaNome") << Desk::Sectors << "edtConsultaNome" << "NOME";
        QTest::newRow("protocols/edtConsultaNumero") << Desk::Protocol << "edtConsultaNumero" << "";
        QTest::newRow("protocols/edtConsultaAno") << Desk::Protocol << "edtConsultaAno" << "";
        QTest::newRow("movements/edtConsultaNumero") << Desk::Movement << "edtConsultaNumero" << "";
        QTest::newRow("movements/edtConsultaAno") << Desk::Movement << "edtConsultaAno" << "";
    }
    void searchBoxesFindOnlyWhatWasTyped() {
        QFETCH(Desk, desk);
        QFETCH(QString, box);
        QFETCH(QString, listed);
        // Names that a search with its wildcards unescaped would find.
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (2, 'AXBX', ?)"), {cpfFor(2)});
        f->execute(QStringLiteral("insert into TBASSUNTO values (2, 'AXBX')"));
        f->execute(QStringLiteral("insert into TBSETOR values (2, 'AXBX')"));
        QStringList faults;
        for (const HostileText &hostile : hostileTexts()) {
            make(desk);
            auto *edit = named<QLineEdit>(screen.get(), box);
            pasteInto(edit, hostile.text);
            const QString held = edit->text();
            f->clearMessages();
            if (screen->findChildren<QAbstractButton *>(QStringLiteral("btnLocalizar")).size() == 1)
                w<QAbstractButton>("btnLocalizar")->click();
            if (!held.isValidUtf16() || holdsUnseen(held, false) || characterCount(held) > edit->maxLength())
                faults << QStringLiteral("%1: the box holds \"%2\"").arg(QLatin1String(hostile.name), printable(held));
            for (const auto &m : f->messages())
                if (!m.details.isEmpty())
                    faults << QStringLiteral("%1: database error box: %2 / %3").arg(QLatin1String(hostile.name), m.text, m.details);
            QStringList rows;
            if (!listed.isEmpty()) {
                RecordSet &records = desk == Desk::Requesters ? f->registries->cdsTBSolicitante
                                     : desk == Desk::Subjects ? f->registries->cdsTBAssunto
                                                              : f->registries->cdsTBSetor;
                for (int row = 0; row < records.recordCount(); ++row) {
                    const QString value = records.valueAt(row, records.fieldIndex(listed)).toString();
                    rows << value;
                    if (!value.contains(held))
                        faults << QStringLiteral("%1: \"%2\" listed for \"%3\"")
                                      .arg(QLatin1String(hostile.name), value, printable(held));
                }
            }
            report << QStringLiteral("%1 | %2 | %3 | %4 | %5")
                          .arg(screen->objectName(), box, QString::number(edit->maxLength()), QLatin1String(hostile.name),
                               boxEffect(hostile.text, held) +
                                   (listed.isEmpty() ? QString() : QStringLiteral("; lists %1 rows").arg(rows.size())));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(HostileUnitScreensTest)
#include "tst_hostile_unit_screens.moc"
