#include "RegistryScreens.h"
#include "registries/TCad_EntidadeNovo.h"
#include "ui/FaultMark.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace kalvero;
using namespace kalvero::test;
using Answer = MessageService::Answer;

// The entity: its one row, the CNPJ check, the save with its checks and what
// the session takes from it.
class EntityScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UnitFixture> f;
    std::unique_ptr<TCad_EntidadeNovo> w;
    template <typename Widget>
    Widget *widget(const char *name) const {
        return named<Widget>(w.get(), QLatin1String(name));
    }

    const QString validCnpj = QStringLiteral("11222333000181");
    const QString storedCnpj = QStringLiteral("00000000000191");
    const QString cnpjInvalid = QStringLiteral("CNPJ Inválido!");
    const QString invalidData = QStringLiteral("Informações Inválidas para Gravação!");
    const QString confirmSave = QStringLiteral("Confirma a Gravação?");

    // The row another workstation saved before.
    void insertEntity(const QVariant &estado = QStringLiteral("PARAÍBA"), const QVariant &sequence = 0) {
        f->execute(QStringLiteral("insert into TBENTIDADE (CNPJ, PREFEITO, TESOUREIRO, ENDERECO, CIDADE, CEP, FONE, "
                                  "ESTADO, CONFIG_SEQ_IMP, RESPONSAVEL_RELATORIO_1) values (?, 'JOSE PREFEITO', "
                                  "'ANA TESOUREIRA', 'RUA DAS FLORES', 'JOAO PESSOA', '58000-000', '(83) 3222-0000', ?, ?, "
                                  "'Funcionária')"),
                   {storedCnpj, estado, sequence});
    }
    QVariant column(const QString &name) { return f->scalar(QStringLiteral("select %1 from TBENTIDADE").arg(name)); }
    int count() { return f->scalar(QStringLiteral("select count(*) from TBENTIDADE")).toInt(); }
    void openActive() {
        w.reset();  // one window at a time, as the main window opens them
        w = std::make_unique<TCad_EntidadeNovo>(*f->registries, f->session);
        QVERIFY(UnitFixture::showActive(w.get()));
    }
    void fillRequired() {
        typeInto(widget<QLineEdit>("edtCnpj"), validCnpj);
        typeInto(widget<QLineEdit>("edtPrefeito"), QStringLiteral("maria gestora"));
        typeInto(widget<QLineEdit>("edtTesoureiro"), QStringLiteral("joao tesoureiro"));
        typeInto(widget<QLineEdit>("edtCidade"), QStringLiteral("patos"));
    }
    void save() {
        f->answer({Answer::Yes});
        widget<QPushButton>("btnGravar")->click();
    }
    void pickState(const QString &name) {
        const int at = widget<QComboBox>("cbEstado")->findText(name);
        QVERIFY(at >= 0);
        widget<QComboBox>("cbEstado")->setCurrentIndex(at);
    }
    QWidget *focused() const { return QApplication::focusWidget(); }

private slots:
    void init() { f = std::make_unique<UnitFixture>(); }
    void cleanup() {
        w.reset();
        f.reset();
    }

    void anEmptyTableStartsANewRowWithThePresets() {
        openActive();
        QCOMPARE(w->windowTitle(), QStringLiteral("Informações da Entidade"));
        QVERIFY(w->isModal());
        QCOMPARE(focused(), widget<QLineEdit>("edtCnpj"));
        QCOMPARE(f->registries->cdsTBEntidade.state(), RecordSet::State::Insert);

        QStringList listed;
        for (int i = 0; i < widget<QComboBox>("cbEstado")->count(); ++i)
            listed << widget<QComboBox>("cbEstado")->itemText(i);
        const QStringList states = {
            "ACRE", "ALAGOAS", "AMAPÁ", "AMAZONAS", "BAHIA", "CEARÁ", "DISTRITO FEDERAL", "ESPÍRITO SANTO", "GOIÁS",
            "MARANHÃO", "MATO GROSSO", "MATO GROSSO DO SUL", "PARÁ", "PARAÍBA", "PARANÁ", "PERNAMBUCO", "PIAUÍ",
            "RIO DE JANEIRO", "RIO GRANDE DO NORTE", "RIO GRANDE DO SUL", "RODÔNIA", "RORAIMA", "SANTA CATARINA",
            "SÃO PAULO", "SERGIPE", "TOCANTINS"};
        QCOMPARE(listed, states);
        QVERIFY(!widget<QComboBox>("cbEstado")->isEditable());
        QCOMPARE(widget<QComboBox>("cbEstado")->currentText(), QStringLiteral("PARAÍBA"));
        QCOMPARE(widget<QLineEdit>("edtResponsavel1")->text(), QStringLiteral("Funcionário(a) Emitente"));
        QCOMPARE(widget<QLineEdit>("edtResponsavel2")->text(), QStringLiteral("Tesoureiro(a) ou Ordenador da Despesa"));
        QCOMPARE(widget<QLineEdit>("edtCnpj")->text(), QString());
        QVERIFY(!widget<QRadioButton>("rbSeparados")->isChecked() && !widget<QRadioButton>("rbAgrupados")->isChecked());

        // A punctuated CNPJ fits the box; the CEP box takes what its column holds.
        QCOMPARE(widget<QLineEdit>("edtCnpj")->maxLength(), 18);
        QCOMPARE(widget<QLineEdit>("edtCep")->maxLength(), 9);
        fillRequired();
        typeInto(widget<QLineEdit>("edtCep"), QStringLiteral("58.700-0001"));
        QCOMPARE(widget<QLineEdit>("edtCep")->text(), QStringLiteral("58.700-00"));
        typeInto(widget<QLineEdit>("edtBairro"), QStringLiteral("centro"));
        typeInto(widget<QLineEdit>("edtResponsavel2"), QStringLiteral("Tesoureira"));
        QCOMPARE(widget<QLineEdit>("edtPrefeito")->text(), QStringLiteral("MARIA GESTORA"));

        save();
        QVERIFY2(!w->isVisible(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QVERIFY(!f->registries->cdsTBEntidade.isActive());
        QCOMPARE(f->messageTexts(), QStringList{confirmSave});
        const MessageService::Message &question = f->messages().first();
        QCOMPARE(question.caption, QStringLiteral("Atenção"));
        QCOMPARE(question.icon, MessageService::Icon::Question);
        QCOMPARE(question.buttons, MessageService::Buttons::YesNo);

        QCOMPARE(count(), 1);
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), validCnpj);
        QCOMPARE(column(QStringLiteral("PREFEITO")).toString(), QStringLiteral("MARIA GESTORA"));
        QCOMPARE(column(QStringLiteral("TESOUREIRO")).toString(), QStringLiteral("JOAO TESOUREIRO"));
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("PATOS"));
        QCOMPARE(column(QStringLiteral("BAIRRO")).toString(), QStringLiteral("CENTRO"));
        QCOMPARE(column(QStringLiteral("CEP")).toString(), QStringLiteral("58.700-00"));
        QCOMPARE(column(QStringLiteral("ESTADO")).toString(), QStringLiteral("PARAÍBA"));
        QCOMPARE(column(QStringLiteral("RESPONSAVEL_RELATORIO_1")).toString(), QStringLiteral("Funcionário(a) Emitente"));
        QCOMPARE(column(QStringLiteral("RESPONSAVEL_RELATORIO_2")).toString(), QStringLiteral("Tesoureira"));
        QVERIFY(column(QStringLiteral("CONFIG_SEQ_IMP")).isNull());
        QCOMPARE(f->session.EntityCity, QStringLiteral("PATOS"));
        QCOMPARE(f->session.StateText, QStringLiteral("ESTADO DA PARAÍBA"));
        QCOMPARE(f->session.LabelSequence, 0);
    }

    void anExistingRowIsEditedAndStaysTheOnlyOne() {
        // A row of an older release: no state chosen, labels grouped.
        insertEntity(QVariant(), 1);
        f->session.StateText = QStringLiteral("ESTADO DA BAHIA");
        openActive();
        QCOMPARE(f->registries->cdsTBEntidade.state(), RecordSet::State::Edit);
        QCOMPARE(focused(), widget<QLineEdit>("edtCnpj"));
        QCOMPARE(widget<QLineEdit>("edtCnpj")->text(), storedCnpj);
        QCOMPARE(widget<QLineEdit>("edtPrefeito")->text(), QStringLiteral("JOSE PREFEITO"));
        QCOMPARE(widget<QLineEdit>("edtFone")->text(), QStringLiteral("(83) 3222-0000"));
        QCOMPARE(widget<QLineEdit>("edtResponsavel1")->text(), QStringLiteral("Funcionária"));
        QCOMPARE(widget<QLineEdit>("edtResponsavel2")->text(), QString());
        QCOMPARE(widget<QComboBox>("cbEstado")->currentIndex(), -1);
        QVERIFY(widget<QRadioButton>("rbAgrupados")->isChecked());

        // Enter moves on as Tab does, through the boxes in their order.
        QTest::keyClick(widget<QLineEdit>("edtCnpj"), Qt::Key_Return);
        QCOMPARE(focused(), widget<QLineEdit>("edtFone"));
        const QList<QWidget *> order = {widget<QLineEdit>("edtPrefeito"), widget<QLineEdit>("edtTesoureiro"), widget<QLineEdit>("edtEndereco"), widget<QLineEdit>("edtNumero"),
                                        widget<QLineEdit>("edtComplemento"), widget<QLineEdit>("edtBairro"), widget<QLineEdit>("edtCep"), widget<QLineEdit>("edtCidade"), widget<QComboBox>("cbEstado"),
                                        widget<QLineEdit>("edtResponsavel1"), widget<QLineEdit>("edtResponsavel2")};
        for (QWidget *next : order) {
            QTest::keyClick(focused(), Qt::Key_Enter);
            QCOMPARE(focused(), next);
        }
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused()->parentWidget(), widget<QGroupBox>("rgSequenciaImpressao"));  // the setting: one stop
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), widget<QPushButton>("btnGravar"));
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), widget<QPushButton>("btnSair"));
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), widget<QLineEdit>("edtCnpj"));
        QVERIFY(f->messages().isEmpty());

        typeInto(widget<QLineEdit>("edtCidade"), QStringLiteral("campina grande"));
        save();
        QVERIFY(!w->isVisible());
        QCOMPARE(count(), 1);
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("CAMPINA GRANDE"));
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);
        QCOMPARE(column(QStringLiteral("PREFEITO")).toString(), QStringLiteral("JOSE PREFEITO"));
        QCOMPARE(column(QStringLiteral("CEP")).toString(), QStringLiteral("58000-000"));
        QCOMPARE(column(QStringLiteral("CONFIG_SEQ_IMP")).toInt(), 1);
        // The state is marked required but not tested: an empty one has the
        // table's empty wording.
        QVERIFY(column(QStringLiteral("ESTADO")).isNull());
        QCOMPARE(f->session.StateText, QStringLiteral("ESTADO DE "));
        QCOMPARE(f->session.LabelSequence, 1);
        QCOMPARE(f->session.EntityCity, QStringLiteral("CAMPINA GRANDE"));

        // Opened again, it is the same row.
        openActive();
        QCOMPARE(widget<QLineEdit>("edtCidade")->text(), QStringLiteral("CAMPINA GRANDE"));
        save();
        QCOMPARE(count(), 1);
    }

    void leavingTheCnpjBoxChecksIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << QString();
        QTest::newRow("punctuated") << QStringLiteral("11.222.333/0001-81");
        QTest::newRow("wrong check digit") << QStringLiteral("11222333000182");
        QTest::newRow("thirteen digits") << QStringLiteral("1122233300018");
        QTest::newRow("alphanumeric, wrong check digit") << QStringLiteral("12ABC34501DE36");
        QTest::newRow("alphanumeric, a letter in a check position") << QStringLiteral("12ABC34501DE3A");
    }
    void leavingTheCnpjBoxChecksIt() {
        QFETCH(QString, typed);
        openActive();
        typeInto(widget<QLineEdit>("edtCnpj"), typed);
        QCOMPARE(widget<QLineEdit>("edtCnpj")->text(), typed);

        QTest::keyClick(widget<QLineEdit>("edtCnpj"), Qt::Key_Tab);
        QCOMPARE(focused(), widget<QLineEdit>("edtCnpj"));
        QCOMPARE(f->messageTexts(), QStringList{cnpjInvalid});
        const MessageService::Message m = f->messages().first();
        QCOMPARE(m.caption, QStringLiteral("Atenção"));
        QCOMPARE(m.icon, MessageService::Icon::Warning);
        QCOMPARE(m.owner, w.get());

        // Once valid, the box is left without a word.
        f->clearMessages();
        typeInto(widget<QLineEdit>("edtCnpj"), validCnpj);
        QTest::keyClick(widget<QLineEdit>("edtCnpj"), Qt::Key_Tab);
        QCOMPARE(focused(), widget<QLineEdit>("edtFone"));
        QVERIFY(f->messages().isEmpty());
        QCOMPARE(count(), 0);
    }

    // Each way out of the box, twice: the box keeps the focus and says why
    // each time. Only a real press of "&Sair" leaves it (see
    // leavingWithoutSavingKeepsTheStoredRow).
    void noWayOutOfAnInvalidCnpjButSair_data() {
        QTest::addColumn<QString>("exit");
        QTest::newRow("Tab") << QStringLiteral("Tab");
        QTest::newRow("Shift+Tab, towards Sair") << QStringLiteral("Shift+Tab");
        QTest::newRow("Enter") << QStringLiteral("Enter");
        QTest::newRow("a click on another box") << QStringLiteral("click");
        QTest::newRow("Sair pressed, released elsewhere") << QStringLiteral("press on Sair");
    }
    void noWayOutOfAnInvalidCnpjButSair() {
        QFETCH(QString, exit);
        insertEntity();
        openActive();
        QLineEdit *cnpj = widget<QLineEdit>("edtCnpj");
        auto *sair = widget<QPushButton>("btnSair");
        typeInto(cnpj, QStringLiteral("11222333000182"));
        for (int attempt = 1; attempt <= 2; ++attempt) {
            if (exit == QLatin1String("Tab")) {
                QTest::keyClick(focused(), Qt::Key_Tab);
            } else if (exit == QLatin1String("Shift+Tab")) {
                QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
            } else if (exit == QLatin1String("Enter")) {
                QTest::keyClick(focused(), Qt::Key_Return);
            } else if (exit == QLatin1String("click")) {
                QTest::mouseClick(widget<QLineEdit>("edtCidade"), Qt::LeftButton);
            } else {
                QTest::mousePress(sair, Qt::LeftButton);
                QTest::mouseRelease(sair, Qt::LeftButton, {}, QPoint(-sair->width(), sair->height() / 2));
            }
            QTRY_COMPARE(f->messageTexts(), QStringList(attempt, cnpjInvalid));
            QCOMPARE(focused(), cnpj);
            QVERIFY(w->isVisible());
        }
        // From there on the keys go on from the box as usual.
        typeInto(cnpj, validCnpj);
        QTest::keyClick(cnpj, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focused(), sair);
        QCOMPARE(f->messages().size(), 2);
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);
    }

    // Enter on the label-order group moves on as Tab does and leaves the
    // choice as it was, chosen or not.
    void enterPassesTheLabelOrderGroup_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("new row, nothing chosen") << QVariant();
        QTest::newRow("grouped") << QVariant(1);
        QTest::newRow("separate") << QVariant(0);
    }
    void enterPassesTheLabelOrderGroup() {
        QFETCH(QVariant, stored);
        if (stored.isValid())
            insertEntity(QStringLiteral("PARAÍBA"), stored);
        openActive();
        typeInto(widget<QLineEdit>("edtCnpj"), validCnpj);
        QTest::keyClick(widget<QLineEdit>("edtCnpj"), Qt::Key_Tab);
        widget<QLineEdit>("edtResponsavel2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(focused()->parentWidget(), widget<QGroupBox>("rgSequenciaImpressao"));
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(focused(), widget<QPushButton>("btnGravar"));
        QCOMPARE(widget<QRadioButton>("rbSeparados")->isChecked(), stored == QVariant(0));
        QCOMPARE(widget<QRadioButton>("rbAgrupados")->isChecked(), stored == QVariant(1));
        QVERIFY(f->messages().isEmpty());
        QVERIFY(w->isVisible());
    }

    // A company registered lately: the alphanumeric CNPJ, typed in lower
    // case, passes the check and is written in capitals.
    void anAlphanumericCnpjIsSavedInCapitals() {
        insertEntity();
        openActive();
        typeInto(widget<QLineEdit>("edtCnpj"), QStringLiteral("12abc34501de35"));
        QCOMPARE(widget<QLineEdit>("edtCnpj")->text(), QStringLiteral("12ABC34501DE35"));
        QTest::keyClick(widget<QLineEdit>("edtCnpj"), Qt::Key_Tab);
        QCOMPARE(focused(), widget<QLineEdit>("edtFone"));
        save();
        QVERIFY2(!w->isVisible(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(f->messageTexts(), QStringList{confirmSave});
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), QStringLiteral("12ABC34501DE35"));
        QCOMPARE(count(), 1);
    }

    void gravarNeedsFourCharactersInEachRequiredBox_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("city of three letters") << QStringLiteral("edtCidade") << QStringLiteral("ITA");
        QTest::newRow("empty city") << QStringLiteral("edtCidade") << QString();
        QTest::newRow("head") << QStringLiteral("edtPrefeito") << QStringLiteral("ZE");
        QTest::newRow("treasurer") << QStringLiteral("edtTesoureiro") << QStringLiteral("ANA");
        QTest::newRow("cnpj") << QStringLiteral("edtCnpj") << QStringLiteral("123");
    }
    void gravarNeedsFourCharactersInEachRequiredBox() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        insertEntity();
        openActive();
        widget<QLineEdit>("edtFone")->setFocus(Qt::OtherFocusReason);
        typeInto(named<QLineEdit>(w.get(), box), text);
        save();
        QCOMPARE(f->messageTexts(), QStringList{invalidData});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Warning);
        QCOMPARE(f->messages().first().caption, QStringLiteral("Atenção"));
        QVERIFY(w->isVisible());
        // The focus goes to the box at fault, marked until it changes.
        QCOMPARE(focused(), named<QLineEdit>(w.get(), box));
        QVERIFY(FaultMark::isMarked(named<QLineEdit>(w.get(), box)));
        QCOMPARE(f->registries->cdsTBEntidade.state(), RecordSet::State::Edit);
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("JOAO PESSOA"));
        QCOMPARE(column(QStringLiteral("PREFEITO")).toString(), QStringLiteral("JOSE PREFEITO"));
        QCOMPARE(column(QStringLiteral("TESOUREIRO")).toString(), QStringLiteral("ANA TESOUREIRA"));
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);
        QCOMPARE(count(), 1);
    }

    void savingGroupedLabelsAndPiauiRefreshesTheSessionAtOnce() {
        insertEntity();
        f->session.EntityCity = QStringLiteral("JOAO PESSOA");
        f->session.StateText = QStringLiteral("ESTADO DA PARAÍBA");
        openActive();
        QVERIFY(widget<QRadioButton>("rbSeparados")->isChecked());
        pickState(QStringLiteral("PIAUÍ"));
        widget<QRadioButton>("rbAgrupados")->click();
        typeInto(widget<QLineEdit>("edtCidade"), QStringLiteral("teresina"));
        save();
        QVERIFY(!w->isVisible());
        QCOMPARE(f->session.LabelSequence, 1);
        QCOMPARE(f->session.StateText, QStringLiteral("ESTADO DO PIAUÍ"));
        QCOMPARE(f->session.EntityCity, QStringLiteral("TERESINA"));
        QCOMPARE(column(QStringLiteral("ESTADO")).toString(), QStringLiteral("PIAUÍ"));
        QCOMPARE(column(QStringLiteral("CONFIG_SEQ_IMP")).toInt(), 1);
    }

    void noAtTheQuestionWritesNothing() {
        openActive();
        fillRequired();
        widget<QPushButton>("btnGravar")->click();  // unanswered: No
        QCOMPARE(f->messageTexts(), QStringList{confirmSave});
        QVERIFY(w->isVisible());
        QCOMPARE(f->registries->cdsTBEntidade.state(), RecordSet::State::Insert);
        QCOMPARE(count(), 0);
        QCOMPARE(f->session.EntityCity, QString());

        // The entry is all there for the next try.
        save();
        QVERIFY(!w->isVisible());
        QCOMPARE(count(), 1);
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("PATOS"));
    }

    void leavingWithoutSavingKeepsTheStoredRow_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Sair") << false;
        QTest::newRow("close box") << true;
    }
    void leavingWithoutSavingKeepsTheStoredRow() {
        QFETCH(bool, closeBox);
        insertEntity();
        openActive();
        typeInto(widget<QLineEdit>("edtCidade"), QStringLiteral("SOUSA"));
        typeInto(widget<QLineEdit>("edtPrefeito"), QStringLiteral("OUTRO GESTOR"));
        pickState(QStringLiteral("SÃO PAULO"));
        widget<QRadioButton>("rbAgrupados")->click();
        // An invalid CNPJ in the box with the focus does not hold the window.
        typeInto(widget<QLineEdit>("edtCnpj"), QStringLiteral("999"));
        QCOMPARE(focused(), widget<QLineEdit>("edtCnpj"));
        if (closeBox)
            QVERIFY(w->close());
        else
            QTest::mouseClick(widget<QPushButton>("btnSair"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY2(f->messages().isEmpty(), qPrintable(f->messageTexts().join('|')));
        QVERIFY(!f->registries->cdsTBEntidade.isActive());
        QCOMPARE(count(), 1);
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("JOAO PESSOA"));
        QCOMPARE(column(QStringLiteral("PREFEITO")).toString(), QStringLiteral("JOSE PREFEITO"));
        QCOMPARE(column(QStringLiteral("ESTADO")).toString(), QStringLiteral("PARAÍBA"));
        QCOMPARE(column(QStringLiteral("CONFIG_SEQ_IMP")).toInt(), 0);
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);
        QCOMPARE(f->session.EntityCity, QString());
        QCOMPARE(f->session.LabelSequence, 0);
    }

    void theSaveAcceleratorAlsoRefusesAnInvalidCnpj_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("punctuated") << QStringLiteral("11.222.333/0001-81");
        QTest::newRow("wrong check digit") << QStringLiteral("11222333000182");
    }
    void theSaveAcceleratorAlsoRefusesAnInvalidCnpj() {
        QFETCH(QString, typed);
        insertEntity();
        openActive();
        typeInto(widget<QLineEdit>("edtCnpj"), typed);
        f->answer({Answer::Yes});
        // Alt+G presses Gravar without the focus leaving the box.
        QTest::keyClick(widget<QLineEdit>("edtCnpj"), Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(f->messageTexts(), QStringList{cnpjInvalid});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Warning);
        QVERIFY(w->isVisible());
        QCOMPARE(focused(), widget<QLineEdit>("edtCnpj"));
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);

        // Pressed from another box, it puts the focus into the CNPJ box.
        widget<QLineEdit>("edtFone")->setFocus(Qt::OtherFocusReason);
        f->clearMessages();
        QTest::keyClick(widget<QLineEdit>("edtFone"), Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(f->messageTexts(), QStringList{cnpjInvalid});
        QCOMPARE(focused(), widget<QLineEdit>("edtCnpj"));

        // With a valid number the accelerator saves.
        typeInto(widget<QLineEdit>("edtCnpj"), validCnpj);
        f->clearMessages();
        f->answer({Answer::Yes});
        QTest::keyClick(widget<QLineEdit>("edtCnpj"), Qt::Key_G, Qt::AltModifier);
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(f->messageTexts(), QStringList{confirmSave});
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), validCnpj);
        QCOMPARE(count(), 1);
    }

    void aRefusedWriteKeepsTheWindowAndWhatWasTyped() {
        insertEntity();
        openActive();
        typeInto(widget<QLineEdit>("edtCidade"), QStringLiteral("cajazeiras"));
        pickState(QStringLiteral("CEARÁ"));
        typeInto(widget<QLineEdit>("edtCnpj"), validCnpj);
        // Another workstation changes the row in the meantime.
        f->execute(QStringLiteral("update TBENTIDADE set FONE = '(83) 9999-0000'"));
        save();
        QCOMPARE(f->messages().size(), 2);
        QCOMPARE(f->messages().at(1).icon, MessageService::Icon::Error);
        QVERIFY(w->isVisible());
        QCOMPARE(f->registries->cdsTBEntidade.state(), RecordSet::State::Edit);
        QCOMPARE(widget<QLineEdit>("edtCidade")->text(), QStringLiteral("CAJAZEIRAS"));
        QCOMPARE(widget<QComboBox>("cbEstado")->currentText(), QStringLiteral("CEARÁ"));
        QCOMPARE(widget<QLineEdit>("edtCnpj")->text(), validCnpj);
        // The session follows what is stored, not what was refused.
        QCOMPARE(f->session.EntityCity, QString());
        QCOMPARE(f->session.StateText, QString());
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("JOAO PESSOA"));
        QCOMPARE(column(QStringLiteral("FONE")).toString(), QStringLiteral("(83) 9999-0000"));
        QCOMPARE(count(), 1);
    }
};

QTEST_MAIN(EntityScreenTest)
#include "tst_entity_screen.moc"
