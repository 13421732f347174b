#include "RegistryScreens.h"
#include "data/records/RecordSet.h"
#include "ui/FaultMark.h"
#include "ui/RecordGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

// The requester's person type, its documents and their checks.
class RequesterRegistryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<TCAD_Solicitantes> w;
    template <typename Widget>
    Widget *widget(const char *name) const {
        return named<Widget>(w.get(), QLatin1String(name));
    }

    const QString cpfInvalid = QStringLiteral("Número do CPF inválido!");
    const QString cnpjInvalid = QStringLiteral("Número do CNPJ inválido!");
    const QString fillIn = QStringLiteral("Preencha todos os campos corretamente.");
    const QString cpfTaken = QStringLiteral("Esse CPF já está cadastrado!");
    const QString cnpjTaken = QStringLiteral("Esse CNPJ já está cadastrado!");

    static QString cnpjFor(int n) { return CnpjWithCheckDigits(QString::number(100000000000LL + n)); }

    void insert(int code, const QString &name, const QVariant &cpf, const QVariant &cnpj, const QVariant &uf = {}) {
        f->execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF, CNPJ, UF) values (?, ?, ?, ?, ?)"),
                   {code, name, cpf, cnpj, uf});
    }
    QVariant column(int code, const QString &name) {
        return f->scalar(QStringLiteral("select %1 from TBSOLICITANTE where IDSOLICITANTE = ?").arg(name), {code});
    }
    int count() { return f->scalar(QStringLiteral("select count(*) from TBSOLICITANTE")).toInt(); }
    void openActive() {
        w = std::make_unique<TCAD_Solicitantes>(*f->registries, f->session);
        QVERIFY(UnitFixture::showActive(w.get()));
    }
    void alterar(int code) {
        QVERIFY(f->registries->cdsTBSolicitante.locate(QStringLiteral("IDSOLICITANTE"), code));
        widget<QPushButton>("btnAlterar")->click();
    }
    bool editing() { return widget<QTabWidget>("PageGeral")->currentWidget() == widget<QWidget>("tabManutencao"); }
    void save() {
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
    }
    QStringList listedNames() {
        RecordSet &r = f->registries->cdsTBSolicitante;
        QStringList names;
        for (int row = 0; row < r.recordCount(); ++row)
            names << r.valueAt(row, r.fieldIndex(QStringLiteral("NOME"))).toString();
        return names;
    }

private slots:
    void init() { f = std::make_unique<UnitFixture>(); }
    void cleanup() {
        w.reset();
        f.reset();
    }

    void incluirStartsAnIndividualWithTheFocusInTheCpfBox() {
        openActive();
        QCOMPARE(w->personType(), TCAD_Solicitantes::NoType);
        widget<QPushButton>("btnIncluir")->click();
        QVERIFY(widget<QRadioButton>("rbPessoaFisica")->isChecked());
        QVERIFY(!widget<MaskedDigitsEdit>("edtCnpj")->isEnabled());
        QVERIFY(widget<MaskedDigitsEdit>("edtCpf")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), widget<MaskedDigitsEdit>("edtCpf"));
        QVERIFY(!w->DocumentValidated());
        QVERIFY(f->messages().isEmpty());

        // Leaving the still empty box for the person type reports it.
        widget<QRadioButton>("rbPessoaFisica")->setFocus(Qt::TabFocusReason);
        QCOMPARE(f->messageTexts(), QStringList{cpfInvalid});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Error);
        QCOMPARE(f->messages().first().caption, QStringLiteral("Kalvero"));

        // A skipped position is a space: 11 characters, still not a CPF.
        f->clearMessages();
        widget<MaskedDigitsEdit>("edtCpf")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(widget<MaskedDigitsEdit>("edtCpf"), Qt::Key_Home);
        QTest::keyClicks(widget<MaskedDigitsEdit>("edtCpf"), QStringLiteral("529"));
        QTest::keyClick(widget<MaskedDigitsEdit>("edtCpf"), Qt::Key_Right);  // a digit left blank
        QTest::keyClicks(widget<MaskedDigitsEdit>("edtCpf"), QStringLiteral("8224725"));
        QCOMPARE(widget<MaskedDigitsEdit>("edtCpf")->digits(), QStringLiteral("529 8224725"));
        widget<QLineEdit>("edtNome")->setFocus(Qt::TabFocusReason);
        QCOMPARE(f->messageTexts(), QStringList{cpfInvalid});

        f->clearMessages();
        widget<MaskedDigitsEdit>("edtCpf")->setFocus(Qt::TabFocusReason);
        typeInto(widget<MaskedDigitsEdit>("edtCpf"), QStringLiteral("52998224725"));
        widget<QLineEdit>("edtNome")->setFocus(Qt::TabFocusReason);
        QVERIFY(f->messages().isEmpty());
        QVERIFY(w->DocumentValidated());
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("maria da silva"));
        typeInto(widget<QLineEdit>("edtEmail"), QStringLiteral("Maria@Exemplo.com.br"));
        save();
        QVERIFY2(!editing(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(column(1, QStringLiteral("CPF")).toString(), QStringLiteral("52998224725"));
        QCOMPARE(column(1, QStringLiteral("NOME")).toString(), QStringLiteral("MARIA DA SILVA"));
        QCOMPARE(column(1, QStringLiteral("EMAIL")).toString(), QStringLiteral("maria@exemplo.com.br"));
        QVERIFY(column(1, QStringLiteral("CNPJ")).isNull());
        QCOMPARE(f->session.LastSavedRequesterCode, 1);
        // Back on the list: no person type, searches reset, focus on Incluir.
        QCOMPARE(w->personType(), TCAD_Solicitantes::NoType);
        QVERIFY(widget<QLineEdit>("edtConsultaCodigo")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), widget<QPushButton>("btnIncluir"));
    }

    void aCompanyNeedsItsStateAndAValidCnpj() {
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        typeInto(widget<MaskedDigitsEdit>("edtCpf"), QStringLiteral("52998224725"));
        widget<QRadioButton>("rbPessoaJuridica")->click();
        QVERIFY(!widget<MaskedDigitsEdit>("edtCpf")->isEnabled());
        QCOMPARE(widget<MaskedDigitsEdit>("edtCpf")->digits(), QString());
        QCOMPARE(QApplication::focusWidget(), widget<MaskedDigitsEdit>("edtCnpj"));
        typeInto(widget<MaskedDigitsEdit>("edtCnpj"), QStringLiteral("1122233300"));  // ten digits
        widget<QLineEdit>("edtNome")->setFocus(Qt::TabFocusReason);
        QCOMPARE(f->messageTexts(), QStringList{cnpjInvalid});
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("EMPRESA LTDA"));
        f->clearMessages();
        save();
        QCOMPARE(f->messageTexts(), (QStringList{cnpjInvalid, fillIn}));
        QVERIFY(editing());
        // The refusal points at the box at fault, marked until it changes.
        QCOMPARE(QApplication::focusWidget(), widget<MaskedDigitsEdit>("edtCnpj"));
        QVERIFY(FaultMark::isMarked(widget<MaskedDigitsEdit>("edtCnpj")));

        typeInto(widget<MaskedDigitsEdit>("edtCnpj"), QStringLiteral("11222333000181"));
        f->clearMessages();
        QVERIFY(!FaultMark::isMarked(widget<MaskedDigitsEdit>("edtCnpj")));
        save();  // no UF
        QCOMPARE(f->messageTexts(), QStringList{fillIn});
        QCOMPARE(QApplication::focusWidget(), widget<QLineEdit>("edtUf"));
        QVERIFY(FaultMark::isMarked(widget<QLineEdit>("edtUf")));
        typeInto(widget<QLineEdit>("edtUf"), QStringLiteral("pi"));
        QVERIFY(!FaultMark::isMarked(widget<QLineEdit>("edtUf")));
        QCOMPARE(widget<QLineEdit>("edtUf")->text(), QStringLiteral("PI"));
        save();
        QVERIFY(!editing());
        QCOMPARE(column(1, QStringLiteral("CNPJ")).toString(), QStringLiteral("11222333000181"));
        QVERIFY(column(1, QStringLiteral("CPF")).isNull());
    }

    void aShortCnpjBlocksAChangedCompanyToo() {
        insert(1, QStringLiteral("EMPRESA"), {}, cnpjFor(1), QStringLiteral("PI"));
        openActive();
        alterar(1);
        QVERIFY(widget<QRadioButton>("rbPessoaJuridica")->isChecked());
        QVERIFY(w->DocumentValidated());
        QCOMPARE(widget<MaskedDigitsEdit>("edtCnpj")->digits(), cnpjFor(1));
        typeInto(widget<MaskedDigitsEdit>("edtCnpj"), cnpjFor(1).left(10));
        widget<QLineEdit>("edtNome")->setFocus(Qt::TabFocusReason);
        QCOMPARE(f->messageTexts(), QStringList{cnpjInvalid});
        f->clearMessages();
        save();
        QCOMPARE(f->messageTexts(), (QStringList{cnpjInvalid, fillIn}));
        QCOMPARE(column(1, QStringLiteral("CNPJ")).toString(), cnpjFor(1));
    }

    void aDuplicateCpfKeepsTheEntryAndItsCode() {
        insert(1, QStringLiteral("PRIMEIRO"), cpfFor(1), {});
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        QTest::keyClicks(QApplication::focusWidget(), cpfFor(1));  // typed straight into the focused box
        QCOMPARE(widget<MaskedDigitsEdit>("edtCpf")->digits(), cpfFor(1));
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("SEGUNDO"));
        save();
        QCOMPARE(f->messageTexts().last(), cpfTaken);
        QCOMPARE(f->messages().last().icon, MessageService::Icon::Warning);
        QVERIFY(editing());
        QCOMPARE(widget<QLineEdit>("edtCodigo")->text(), QStringLiteral("00002"));
        QCOMPARE(count(), 1);
        typeInto(widget<MaskedDigitsEdit>("edtCpf"), cpfFor(2));
        save();
        QVERIFY(!editing());
        QCOMPARE(column(2, QStringLiteral("NOME")).toString(), QStringLiteral("SEGUNDO"));
    }

    void bothDocumentsTakenGiveBothMessagesInTurn() {
        insert(1, QStringLiteral("PESSOA"), cpfFor(1), {});
        insert(2, QStringLiteral("EMPRESA"), {}, cnpjFor(2), QStringLiteral("PI"));
        openActive();
        widget<QPushButton>("btnIncluir")->click();
        typeInto(widget<MaskedDigitsEdit>("edtCpf"), cpfFor(1));
        // A record holding both documents, as older data may.
        f->registries->cdsTBSolicitante.field(QStringLiteral("CNPJ")).setAsString(cnpjFor(2));
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("AS DUAS"));
        save();
        QCOMPARE(f->messageTexts().mid(1), (QStringList{cpfTaken, cnpjTaken}));
        QCOMPARE(count(), 2);
    }

    // A double click on an empty list is "&Alterar" too, with its message.
    // Two desks change one requester. The second save is refused with its
    // message and then offers the record as it is now: what this desk typed
    // stays, what only the other desk changed shows, and saving again
    // writes both. Answering No keeps the entry as typed.
    void aRecordChangedElsewhereIsTakenWithWhatWasTyped() {
        const QString changedElsewhere = QStringLiteral(
            "O registro foi alterado ou excluído em outra estação de trabalho; a alteração não foi gravada.");
        insert(1, QStringLiteral("ANA"), cpfFor(1), {});
        openActive();
        alterar(1);
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("ANA PAULA"));
        typeInto(widget<MaskedDigitsEdit>("edtCpf"), cpfFor(7));
        f->execute(QStringLiteral("update TBSOLICITANTE set NOME = 'ANA MARIA', TEL_CONTATO = '8633221100', "
                                  "CPF = ? where IDSOLICITANTE = 1"),
                   {cpfFor(2)});

        f->answer({Answer::Yes, Answer::No});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messageTexts().mid(1, 1), QStringList{changedElsewhere});
        QCOMPARE(f->messages().size(), 3);
        QVERIFY(editing());
        QCOMPARE(widget<QLineEdit>("edtNome")->text(), QStringLiteral("ANA PAULA"));
        QCOMPARE(widget<QLineEdit>("edtTelefone")->text(), QString());

        f->clearMessages();
        f->answer({Answer::Yes, Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messages().size(), 3);
        QCOMPARE(f->messages().at(2).icon, MessageService::Icon::Question);
        QVERIFY(editing());
        QCOMPARE(widget<QLineEdit>("edtNome")->text(), QStringLiteral("ANA PAULA"));
        QCOMPARE(widget<MaskedDigitsEdit>("edtCpf")->digits(), cpfFor(7));
        QCOMPARE(widget<QLineEdit>("edtTelefone")->text(), QStringLiteral("8633221100"));
        // The name and the CPF were changed at both desks: the other desk's
        // values show beside the boxes; the telephone, changed there only, not.
        QCOMPARE(widget<QLabel>("lblOutraEstacao_edtNome")->text(), QStringLiteral("Na outra estação:\nANA MARIA"));
        QVERIFY(widget<QLabel>("lblOutraEstacao_edtNome")->isVisible());
        QVERIFY(widget<QLabel>("lblOutraEstacao_edtCpf")->text().contains(cpfFor(2).left(3)));
        QVERIFY(!w->findChild<QLabel *>(QStringLiteral("lblOutraEstacao_edtTelefone")));

        // Nothing replaces them without a question; No writes nothing.
        f->clearMessages();
        save();
        QCOMPARE(f->messages().size(), 2);
        QVERIFY2(f->messageTexts().at(1).startsWith(QStringLiteral("Os campos \"CPF\" e \"Nome\" foram alterados também "
                                                                  "em outra estação de trabalho")),
                 qPrintable(f->messageTexts().at(1)));
        QVERIFY(editing());
        QCOMPARE(widget<QLineEdit>("edtNome")->text(), QStringLiteral("ANA PAULA"));
        QCOMPARE(column(1, QStringLiteral("NOME")).toString(), QStringLiteral("ANA MARIA"));

        // Typing the other desk's name takes that field off the question.
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("ANA MARIA"));
        QVERIFY(!widget<QLabel>("lblOutraEstacao_edtNome")->isVisible());
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("ANA PAULA"));
        f->clearMessages();
        f->answer({Answer::Yes, Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QVERIFY2(!editing(), qPrintable(f->messageTexts().join('|')));
        QVERIFY(!widget<QLabel>("lblOutraEstacao_edtNome")->isVisible());
        QCOMPARE(column(1, QStringLiteral("NOME")).toString(), QStringLiteral("ANA PAULA"));
        QCOMPARE(column(1, QStringLiteral("CPF")).toString(), cpfFor(7));
        QCOMPARE(column(1, QStringLiteral("TEL_CONTATO")).toString(), QStringLiteral("8633221100"));
        QCOMPARE(f->session.LastSavedRequesterCode, 1);
    }

    // A record removed elsewhere cannot be taken: the desk is told, and leaves with Cancelar.
    void aRecordRemovedElsewhereIsSaidSo() {
        insert(1, QStringLiteral("ANA"), cpfFor(1), {});
        openActive();
        alterar(1);
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("ANA PAULA"));
        f->execute(QStringLiteral("delete from TBSOLICITANTE where IDSOLICITANTE = 1"));
        f->answer({Answer::Yes, Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
        QCOMPARE(f->messages().last().icon, MessageService::Icon::Warning);
        QCOMPARE(f->messageTexts().last(), QStringLiteral("Este registro foi excluído em outra estação de trabalho. "
                                                          "Use Cancelar para voltar à lista."));
        QVERIFY(editing());
        widget<QPushButton>("btnCancelar")->click();
        QVERIFY(!editing());
        QCOMPARE(count(), 0);
    }

    void aDoubleClickOnAnEmptyListSaysSo() {
        openActive();
        RecordGrid *grid = widget<RecordGrid>("DBGrid1");
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->viewport()->rect().center());
        QCOMPARE(f->messageTexts(), QStringList{QStringLiteral("Solicitante não Cadastrado no Sistema!")});
        QVERIFY(!editing());
    }

    void anIndividualBecomesACompany() {
        insert(1, QStringLiteral("JOAO"), cpfFor(1), {});
        openActive();
        // A double click on the list opens the record for change.
        const QRect cell = widget<RecordGrid>("DBGrid1")->visualRect(widget<RecordGrid>("DBGrid1")->model()->index(0, 3));
        QTest::mouseClick(widget<RecordGrid>("DBGrid1")->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(widget<RecordGrid>("DBGrid1")->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(editing());
        QVERIFY(widget<QRadioButton>("rbPessoaFisica")->isChecked());
        QVERIFY(!widget<QLineEdit>("edtConsultaCodigo")->isEnabled());
        widget<QRadioButton>("rbPessoaJuridica")->click();
        typeInto(widget<MaskedDigitsEdit>("edtCnpj"), cnpjFor(1));
        typeInto(widget<QLineEdit>("edtUf"), QStringLiteral("PI"));
        save();
        QVERIFY2(!editing(), qPrintable(f->messageTexts().join('|')));
        QVERIFY(column(1, QStringLiteral("CPF")).isNull());
        QCOMPARE(column(1, QStringLiteral("CNPJ")).toString(), cnpjFor(1));
        QCOMPARE(f->session.LastSavedRequesterCode, 1);
    }

    void documentsAreLookedUpOnlyWhenChanged() {
        // Two records share a CPF (older data): changing only the name saves.
        insert(1, QStringLiteral("ANTIGO"), cpfFor(1), {});
        insert(2, QStringLiteral("COPIA"), cpfFor(1), {});
        insert(3, QStringLiteral("EMPRESA A"), {}, cnpjFor(3), QStringLiteral("PI"));
        insert(4, QStringLiteral("EMPRESA B"), {}, cnpjFor(4), QStringLiteral("PI"));
        openActive();
        alterar(1);
        typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("ANTIGO RENOMEADO"));
        save();
        QVERIFY2(!editing(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(column(1, QStringLiteral("NOME")).toString(), QStringLiteral("ANTIGO RENOMEADO"));

        // Another company's CNPJ, of the same length, is refused.
        f->clearMessages();
        alterar(4);
        typeInto(widget<MaskedDigitsEdit>("edtCnpj"), cnpjFor(3));
        save();
        QCOMPARE(f->messageTexts().last(), cnpjTaken);
        QVERIFY(editing());
        QCOMPARE(column(4, QStringLiteral("CNPJ")).toString(), cnpjFor(4));
    }

    void aRecordWithBothDocumentsOpensAsACompanyAndLosesItsCpf() {
        insert(1, QStringLiteral("AMBOS"), cpfFor(1), cnpjFor(1), QStringLiteral("PI"));
        openActive();
        alterar(1);
        QVERIFY(widget<QRadioButton>("rbPessoaJuridica")->isChecked());
        QCOMPARE(widget<MaskedDigitsEdit>("edtCpf")->digits(), QString());
        QVERIFY(!widget<MaskedDigitsEdit>("edtCpf")->isEnabled());
        save();
        QVERIFY2(!editing(), qPrintable(f->messageTexts().join('|')));
        QVERIFY(column(1, QStringLiteral("CPF")).isNull());
        QCOMPARE(column(1, QStringLiteral("CNPJ")).toString(), cnpjFor(1));
    }

    // Letters enter the first twelve positions of a CNPJ box as capitals,
    // typed or pasted; the check digits stay digits.
    void theCnpjBoxesTakeTheAlphanumericForm_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("taken");
        QTest::newRow("lower case typed") << "edtCnpj" << false << "12abc34501de35" << "12ABC34501DE35";
        QTest::newRow("digits typed, as before") << "edtCnpj" << false << "11222333000181" << "11222333000181";
        QTest::newRow("a letter typed in a check position") << "edtCnpj" << false << "12ABC34501DEA5"
                                                            << "12ABC34501DE5";
        QTest::newRow("pasted with its punctuation") << "edtCnpj" << true << "12.abc.345/01de-35" << "12ABC34501DE35";
        QTest::newRow("pasted without it") << "edtCnpj" << true << "12abc34501de35" << "12ABC34501DE35";
        QTest::newRow("pasted with a letter outside A to Z") << "edtCnpj" << true
                                                             << QString::fromUtf8("12ÇBC34501DE35") << "";
        QTest::newRow("typed into the search") << "edtConsultaCnpj" << false << "12abc" << "12ABC";
        QTest::newRow("pasted into the search") << "edtConsultaCnpj" << true << "12.abc" << "12ABC";
    }
    void theCnpjBoxesTakeTheAlphanumericForm() {
        QFETCH(QString, box);
        QFETCH(bool, pasted);
        QFETCH(QString, entered);
        QFETCH(QString, taken);
        openActive();
        if (box == QLatin1String("edtCnpj")) {
            widget<QPushButton>("btnIncluir")->click();
            widget<QRadioButton>("rbPessoaJuridica")->click();
        }
        auto *cnpj = named<MaskedDigitsEdit>(w.get(), box);
        cnpj->setFocus(Qt::TabFocusReason);
        if (pasted) {
            QGuiApplication::clipboard()->setText(entered);
            cnpj->selectAll();
            QTest::keyClick(cnpj, Qt::Key_V, Qt::ControlModifier);
        } else {
            typeInto(cnpj, entered);
        }
        QCOMPARE(cnpj->digits(), taken);
    }

    // A company registered with the new form is saved, found and kept unique
    // as any other.
    void anAlphanumericCnpjIsSavedFoundAndKeptUnique() {
        insert(1, QStringLiteral("FIRMA ANTIGA"), {}, QStringLiteral("11222333000181"), QStringLiteral("PI"));
        openActive();
        for (int attempt = 1; attempt <= 2; ++attempt) {
            widget<QPushButton>("btnIncluir")->click();
            widget<QRadioButton>("rbPessoaJuridica")->click();
            typeInto(widget<MaskedDigitsEdit>("edtCnpj"), QStringLiteral("12abc34501de35"));
            typeInto(widget<QLineEdit>("edtNome"), QStringLiteral("firma nova"));
            typeInto(widget<QLineEdit>("edtUf"), QStringLiteral("pb"));
            save();
            if (attempt == 1) {
                QVERIFY2(!editing(), qPrintable(f->messageTexts().join('|')));
                QCOMPARE(f->messageTexts().size(), 1);  // the question alone
            }
        }
        // The second time the number is taken.
        QCOMPARE(f->messageTexts().last(), cnpjTaken);
        QVERIFY(editing());
        QCOMPARE(count(), 2);
        QCOMPARE(column(2, QStringLiteral("CNPJ")).toString(), QStringLiteral("12ABC34501DE35"));
        widget<QPushButton>("btnCancelar")->click();

        typeInto(widget<MaskedDigitsEdit>("edtConsultaCnpj"), QStringLiteral("112"));
        QCOMPARE(listedNames(), QStringList{QStringLiteral("FIRMA ANTIGA")});
        typeInto(widget<MaskedDigitsEdit>("edtConsultaCnpj"), QStringLiteral("12abc"));
        QCOMPARE(listedNames(), QStringList{QStringLiteral("FIRMA NOVA")});
        QCOMPARE(widget<RecordGrid>("DBGrid1")->model()->index(0, 2).data().toString(), QStringLiteral("12.ABC.345/01DE-35"));

        // Opened for a change, the box shows it as stored and the save keeps it.
        alterar(2);
        QCOMPARE(widget<MaskedDigitsEdit>("edtCnpj")->digits(), QStringLiteral("12ABC34501DE35"));
        QCOMPARE(widget<MaskedDigitsEdit>("edtCnpj")->displayText(), QStringLiteral("12.ABC.345/01DE-35"));
        f->clearMessages();
        save();
        QVERIFY2(!editing(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(column(2, QStringLiteral("CNPJ")).toString(), QStringLiteral("12ABC34501DE35"));
    }

    void documentSearchesReplaceTheNameSearch() {
        insert(1, QStringLiteral("CARLA"), CpfWithCheckDigits(QStringLiteral("123000000")), {});
        insert(2, QStringLiteral("BRUNO"), CpfWithCheckDigits(QStringLiteral("999123000")), {});
        insert(3, QStringLiteral("ANA"), CpfWithCheckDigits(QStringLiteral("555000000")), {});
        insert(4, QStringLiteral("FIRMA"), {}, QStringLiteral("11222333000181"), QStringLiteral("PI"));
        openActive();
        QCOMPARE(widget<MaskedDigitsEdit>("edtConsultaCpf")->digits(), QString());
        typeInto(widget<QLineEdit>("edtConsultaNome"), QStringLiteral("A"));
        QCOMPARE(listedNames(), (QStringList{QStringLiteral("ANA"), QStringLiteral("CARLA"), QStringLiteral("FIRMA")}));
        typeInto(widget<MaskedDigitsEdit>("edtConsultaCpf"), QStringLiteral("123"));
        QCOMPARE(listedNames(), (QStringList{QStringLiteral("BRUNO"), QStringLiteral("CARLA")}));
        widget<MaskedDigitsEdit>("edtConsultaCpf")->clear();
        QCOMPARE(listedNames().size(), 4);
        typeInto(widget<MaskedDigitsEdit>("edtConsultaCnpj"), QStringLiteral("112"));
        QCOMPARE(listedNames(), QStringList{QStringLiteral("FIRMA")});
        // The list shows the documents punctuated.
        RecordSet &r = f->registries->cdsTBSolicitante;
        QCOMPARE(widget<RecordGrid>("DBGrid1")->model()->index(0, 2).data().toString(), QStringLiteral("11.222.333/0001-81"));
        QCOMPARE(r.recordCount(), 1);
    }
};

QTEST_MAIN(RequesterRegistryTest)
#include "tst_requester_registry.moc"
