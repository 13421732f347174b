#include "RegistryScreens.h"
#include "data/session/StateNames.h"
#include "registries/TCad_EntidadeNovo.h"

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
        w = std::make_unique<TCad_EntidadeNovo>();
        QVERIFY(UnitFixture::showActive(w.get()));
    }
    void fillRequired() {
        typeInto(w->edtCnpj, validCnpj);
        typeInto(w->edtPrefeito, QStringLiteral("maria gestora"));
        typeInto(w->edtTesoureiro, QStringLiteral("joao tesoureiro"));
        typeInto(w->edtCidade, QStringLiteral("patos"));
    }
    void save() {
        f->answer({Answer::Yes});
        w->btnGravar->click();
    }
    void pickState(const QString &name) {
        const int at = w->cbEstado->findText(name);
        QVERIFY(at >= 0);
        w->cbEstado->setCurrentIndex(at);
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
        QCOMPARE(w->objectName(), QStringLiteral("CAD_Entidade"));
        QVERIFY(w->isModal());
        QCOMPARE(focused(), w->edtCnpj);
        QCOMPARE(UDMCadastro->cdsTBEntidade.state(), RecordSet::State::Insert);
        QCOMPARE(UDMCadastro->cdsTBEntidade.commandText(), QStringLiteral("select * from TBEntidade"));

        QStringList listed;
        for (int i = 0; i < w->cbEstado->count(); ++i)
            listed << w->cbEstado->itemText(i);
        QCOMPARE(listed, StateNames());
        QCOMPARE(listed.size(), 26);
        QVERIFY(!w->cbEstado->isEditable());
        QCOMPARE(w->cbEstado->currentText(), QStringLiteral("PARAÍBA"));
        QCOMPARE(w->edtResponsavel1->text(), QStringLiteral("Funcionário(a) Emitente"));
        QCOMPARE(w->edtResponsavel2->text(), QStringLiteral("Tesoureiro(a) ou Ordenador da Despesa"));
        QCOMPARE(w->edtCnpj->text(), QString());
        QVERIFY(!w->rbSeparados->isChecked() && !w->rbAgrupados->isChecked());

        // A punctuated CNPJ fits the box; the CEP box takes what its column holds.
        QCOMPARE(w->edtCnpj->maxLength(), 18);
        QCOMPARE(w->edtCep->maxLength(), 9);
        fillRequired();
        typeInto(w->edtCep, QStringLiteral("58.700-0001"));
        QCOMPARE(w->edtCep->text(), QStringLiteral("58.700-00"));
        typeInto(w->edtBairro, QStringLiteral("centro"));
        typeInto(w->edtResponsavel2, QStringLiteral("Tesoureira"));
        QCOMPARE(w->edtPrefeito->text(), QStringLiteral("MARIA GESTORA"));

        save();
        QVERIFY2(!w->isVisible(), qPrintable(f->messageTexts().join('|')));
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QVERIFY(!UDMCadastro->cdsTBEntidade.isActive());
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
        QCOMPARE(Session.EntityCity, QStringLiteral("PATOS"));
        QCOMPARE(Session.StateText, QStringLiteral("ESTADO DA PARAÍBA"));
        QCOMPARE(Session.LabelSequence, 0);
    }

    void anExistingRowIsEditedAndStaysTheOnlyOne() {
        // A row of an older release: no state chosen, labels grouped.
        insertEntity(QVariant(), 1);
        Session.StateText = QStringLiteral("ESTADO DA BAHIA");
        openActive();
        QCOMPARE(UDMCadastro->cdsTBEntidade.state(), RecordSet::State::Edit);
        QCOMPARE(focused(), w->edtCnpj);
        QCOMPARE(w->edtCnpj->text(), storedCnpj);
        QCOMPARE(w->edtPrefeito->text(), QStringLiteral("JOSE PREFEITO"));
        QCOMPARE(w->edtFone->text(), QStringLiteral("(83) 3222-0000"));
        QCOMPARE(w->edtResponsavel1->text(), QStringLiteral("Funcionária"));
        QCOMPARE(w->edtResponsavel2->text(), QString());
        QCOMPARE(w->cbEstado->currentIndex(), -1);
        QVERIFY(w->rbAgrupados->isChecked());

        // Enter moves on as Tab does, through the boxes in their order.
        QTest::keyClick(w->edtCnpj, Qt::Key_Return);
        QCOMPARE(focused(), w->edtFone);
        const QList<QWidget *> order = {w->edtPrefeito, w->edtTesoureiro, w->edtEndereco, w->edtNumero,
                                        w->edtComplemento, w->edtBairro, w->edtCep, w->edtCidade, w->cbEstado,
                                        w->edtResponsavel1, w->edtResponsavel2};
        for (QWidget *next : order) {
            QTest::keyClick(focused(), Qt::Key_Enter);
            QCOMPARE(focused(), next);
        }
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused()->parentWidget(), w->rgSequenciaImpressao);  // the setting: one stop
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), w->btnGravar);
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), w->btnSair);
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), w->edtCnpj);
        QVERIFY(f->messages().isEmpty());

        typeInto(w->edtCidade, QStringLiteral("campina grande"));
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
        QCOMPARE(Session.StateText, QStringLiteral("ESTADO DE "));
        QCOMPARE(Session.LabelSequence, 1);
        QCOMPARE(Session.EntityCity, QStringLiteral("CAMPINA GRANDE"));

        // Opened again, it is the same row.
        openActive();
        QCOMPARE(w->edtCidade->text(), QStringLiteral("CAMPINA GRANDE"));
        save();
        QCOMPARE(count(), 1);
    }

    void leavingTheCnpjBoxChecksIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << QString();
        QTest::newRow("punctuated") << QStringLiteral("11.222.333/0001-81");
        QTest::newRow("wrong check digit") << QStringLiteral("11222333000182");
        QTest::newRow("thirteen digits") << QStringLiteral("1122233300018");
    }
    void leavingTheCnpjBoxChecksIt() {
        QFETCH(QString, typed);
        openActive();
        typeInto(w->edtCnpj, typed);
        QCOMPARE(w->edtCnpj->text(), typed);

        // Neither Tab, nor Enter, nor a click elsewhere gets past the box.
        QTest::keyClick(w->edtCnpj, Qt::Key_Tab);
        QCOMPARE(focused(), w->edtCnpj);
        QTest::keyClick(w->edtCnpj, Qt::Key_Return);
        QCOMPARE(focused(), w->edtCnpj);
        QTest::mouseClick(w->edtCidade, Qt::LeftButton);
        QCOMPARE(focused(), w->edtCnpj);
        QCOMPARE(f->messageTexts(), QStringList(3, cnpjInvalid));
        for (const MessageService::Message &m : f->messages()) {
            QCOMPARE(m.caption, QStringLiteral("Atenção"));
            QCOMPARE(m.icon, MessageService::Icon::Warning);
            QCOMPARE(m.owner, w.get());
        }

        // Once valid, the box is left without a word.
        f->clearMessages();
        typeInto(w->edtCnpj, validCnpj);
        QTest::keyClick(w->edtCnpj, Qt::Key_Tab);
        QCOMPARE(focused(), w->edtFone);
        QVERIFY(f->messages().isEmpty());
        QCOMPARE(count(), 0);
    }

    void gravarNeedsFourCharactersInEachRequiredBox_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("city of three letters") << QStringLiteral("edtCIDADE") << QStringLiteral("ITA");
        QTest::newRow("empty city") << QStringLiteral("edtCIDADE") << QString();
        QTest::newRow("head") << QStringLiteral("edtPREFEITO") << QStringLiteral("ZE");
        QTest::newRow("treasurer") << QStringLiteral("edtTESOUREIRO") << QStringLiteral("ANA");
        QTest::newRow("cnpj") << QStringLiteral("edtCNPJ") << QStringLiteral("123");
    }
    void gravarNeedsFourCharactersInEachRequiredBox() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        insertEntity();
        openActive();
        w->edtFone->setFocus(Qt::OtherFocusReason);
        typeInto(w->findChild<QLineEdit *>(box), text);
        save();
        QCOMPARE(f->messageTexts(), QStringList{invalidData});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Warning);
        QCOMPARE(f->messages().first().caption, QStringLiteral("Atenção"));
        QVERIFY(w->isVisible());
        QCOMPARE(focused(), w->edtFone);
        QCOMPARE(UDMCadastro->cdsTBEntidade.state(), RecordSet::State::Edit);
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("JOAO PESSOA"));
        QCOMPARE(column(QStringLiteral("PREFEITO")).toString(), QStringLiteral("JOSE PREFEITO"));
        QCOMPARE(column(QStringLiteral("TESOUREIRO")).toString(), QStringLiteral("ANA TESOUREIRA"));
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);
        QCOMPARE(count(), 1);
    }

    void savingGroupedLabelsAndPiauiRefreshesTheSessionAtOnce() {
        insertEntity();
        Session.EntityCity = QStringLiteral("JOAO PESSOA");
        Session.StateText = QStringLiteral("ESTADO DA PARAÍBA");
        openActive();
        QVERIFY(w->rbSeparados->isChecked());
        pickState(QStringLiteral("PIAUÍ"));
        w->rbAgrupados->click();
        typeInto(w->edtCidade, QStringLiteral("teresina"));
        save();
        QVERIFY(!w->isVisible());
        QCOMPARE(Session.LabelSequence, 1);
        QCOMPARE(Session.StateText, QStringLiteral("ESTADO DO PIAUÍ"));
        QCOMPARE(Session.EntityCity, QStringLiteral("TERESINA"));
        QCOMPARE(column(QStringLiteral("ESTADO")).toString(), QStringLiteral("PIAUÍ"));
        QCOMPARE(column(QStringLiteral("CONFIG_SEQ_IMP")).toInt(), 1);
    }

    void noAtTheQuestionWritesNothing() {
        openActive();
        fillRequired();
        w->btnGravar->click();  // unanswered: No
        QCOMPARE(f->messageTexts(), QStringList{confirmSave});
        QVERIFY(w->isVisible());
        QCOMPARE(UDMCadastro->cdsTBEntidade.state(), RecordSet::State::Insert);
        QCOMPARE(count(), 0);
        QCOMPARE(Session.EntityCity, QString());

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
        typeInto(w->edtCidade, QStringLiteral("SOUSA"));
        typeInto(w->edtPrefeito, QStringLiteral("OUTRO GESTOR"));
        pickState(QStringLiteral("SÃO PAULO"));
        w->rbAgrupados->click();
        // An invalid CNPJ in the box with the focus does not hold the window.
        typeInto(w->edtCnpj, QStringLiteral("999"));
        QCOMPARE(focused(), w->edtCnpj);
        if (closeBox)
            QVERIFY(w->close());
        else
            QTest::mouseClick(w->btnSair, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY2(f->messages().isEmpty(), qPrintable(f->messageTexts().join('|')));
        QVERIFY(!UDMCadastro->cdsTBEntidade.isActive());
        QCOMPARE(count(), 1);
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("JOAO PESSOA"));
        QCOMPARE(column(QStringLiteral("PREFEITO")).toString(), QStringLiteral("JOSE PREFEITO"));
        QCOMPARE(column(QStringLiteral("ESTADO")).toString(), QStringLiteral("PARAÍBA"));
        QCOMPARE(column(QStringLiteral("CONFIG_SEQ_IMP")).toInt(), 0);
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);
        QCOMPARE(Session.EntityCity, QString());
        QCOMPARE(Session.LabelSequence, 0);
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
        typeInto(w->edtCnpj, typed);
        f->answer({Answer::Yes});
        // Alt+G presses Gravar without the focus leaving the box.
        QTest::keyClick(w->edtCnpj, Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(f->messageTexts(), QStringList{cnpjInvalid});
        QCOMPARE(f->messages().first().icon, MessageService::Icon::Warning);
        QVERIFY(w->isVisible());
        QCOMPARE(focused(), w->edtCnpj);
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), storedCnpj);

        // Pressed from another box, it puts the focus into the CNPJ box.
        w->edtFone->setFocus(Qt::OtherFocusReason);
        f->clearMessages();
        QTest::keyClick(w->edtFone, Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(f->messageTexts(), QStringList{cnpjInvalid});
        QCOMPARE(focused(), w->edtCnpj);

        // With a valid number the accelerator saves.
        typeInto(w->edtCnpj, validCnpj);
        f->clearMessages();
        f->answer({Answer::Yes});
        QTest::keyClick(w->edtCnpj, Qt::Key_G, Qt::AltModifier);
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(f->messageTexts(), QStringList{confirmSave});
        QCOMPARE(column(QStringLiteral("CNPJ")).toString(), validCnpj);
        QCOMPARE(count(), 1);
    }

    void aRefusedWriteKeepsTheWindowAndWhatWasTyped() {
        insertEntity();
        openActive();
        typeInto(w->edtCidade, QStringLiteral("cajazeiras"));
        pickState(QStringLiteral("CEARÁ"));
        typeInto(w->edtCnpj, validCnpj);
        // Another workstation changes the row in the meantime.
        f->execute(QStringLiteral("update TBENTIDADE set FONE = '(83) 9999-0000'"));
        save();
        QCOMPARE(f->messages().size(), 2);
        QCOMPARE(f->messages().at(1).icon, MessageService::Icon::Error);
        QVERIFY(w->isVisible());
        QCOMPARE(UDMCadastro->cdsTBEntidade.state(), RecordSet::State::Edit);
        QCOMPARE(w->edtCidade->text(), QStringLiteral("CAJAZEIRAS"));
        QCOMPARE(w->cbEstado->currentText(), QStringLiteral("CEARÁ"));
        QCOMPARE(w->edtCnpj->text(), validCnpj);
        // The session follows what is stored, not what was refused.
        QCOMPARE(Session.EntityCity, QString());
        QCOMPARE(Session.StateText, QString());
        QCOMPARE(column(QStringLiteral("CIDADE")).toString(), QStringLiteral("JOAO PESSOA"));
        QCOMPARE(column(QStringLiteral("FONE")).toString(), QStringLiteral("(83) 9999-0000"));
        QCOMPARE(count(), 1);
    }
};

QTEST_MAIN(EntityScreenTest)
#include "tst_entity_screen.moc"
