#pragma once

// The three unit-database register windows described alike, so that one test
// can drive each of them through the behaviour they share.

#include "WindowDriving.h"
#include "UnitFixture.h"
#include "data/modules/TUDMCadastro.h"
#include "data/session/SessionState.h"
#include "registries/RegistryController.h"
#include "registries/TCAD_Assuntos.h"
#include "registries/TCAD_Setores.h"
#include "registries/TCAD_Solicitantes.h"
#include "registries/UCpfCnpj.h"
#include "ui/MaskedDigitsEdit.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

namespace kalvero::test {

// A valid CPF for a number, different for every number.
inline QString cpfFor(int n) { return CpfWithCheckDigits(QString::number(100000000 + n)); }

struct RegistryScreen {
    QString name;
    QString table;
    QString codeField;
    QString nameColumn;
    int codeWidth;  // the list's zero padding
    int nameWidth;  // the column's width
    int SessionState::*handoff;
    bool handoffOnChange;
    QString notRegisteredAlterar;
    QString notRegisteredFind;  // empty: no code search
    QString saveConfirm;
    // The object names of the boxes the tests drive; the code box is
    // "edtCodigo" and the find button "btnLocalizar" on every window.
    QString nameBoxName;
    QString textSearchName;
    QString codeSearchName;  // empty: no code search
    std::function<QDialog *(UnitFixture &)> make;
    std::function<RecordSet &(TUDMCadastro &)> records;

    QLineEdit *codeBox(QDialog *screen) const { return named<QLineEdit>(screen, QStringLiteral("edtCodigo")); }
    QLineEdit *nameBox(QDialog *screen) const { return named<QLineEdit>(screen, nameBoxName); }
    QLineEdit *textSearch(QDialog *screen) const { return named<QLineEdit>(screen, textSearchName); }
    QLineEdit *codeSearch(QDialog *screen) const { return named<QLineEdit>(screen, codeSearchName); }
    QToolButton *findButton(QDialog *screen) const { return named<QToolButton>(screen, QStringLiteral("btnLocalizar")); }
    RegistryController *registry(QDialog *screen) const { return screen->findChild<RegistryController *>(); }

    // A record written by another workstation.
    void insert(UnitFixture &f, int code, const QString &text) const {
        if (table == QLatin1String("TBSOLICITANTE"))
            f.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME, CPF) values (?, ?, ?)"),
                      {code, text, cpfFor(code)});
        else
            f.execute(QStringLiteral("insert into %1 (%2, %3) values (?, ?)").arg(table, codeField, nameColumn), {code, text});
    }
    // A row elsewhere that refers to the record.
    void reference(UnitFixture &f, int code) const {
        if (table == QLatin1String("TBSETOR")) {
            f.execute(QStringLiteral("insert into TBRESPONSAVEISPORSETOR (IDRESPONSAVEL, NOME, SETOR) values (900, 'X', ?)"),
                      {code});
            return;
        }
        const bool requester = table == QLatin1String("TBSOLICITANTE");
        if (requester)
            f.execute(QStringLiteral("insert into TBASSUNTO (IDASSUNTO, DESCRICAO) values (900, 'X')"));
        else
            f.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (900, 'X')"));
        f.execute(QStringLiteral("insert into TBPROTOCOLO (IDPROTOCOLO, ANO, SOLICITANTE, ASSUNTO, DATADEENTRADA, STATUS, "
                                 "DESCRICAO) values ('00001', '2014', ?, ?, '2014-03-10', '0', 'X')"),
                  {requester ? code : 900, requester ? 900 : code});
    }
    // Types what the record needs to be saved, with this name.
    void fill(QDialog *screen, const QString &text, int documentNumber = 1) const {
        if (qobject_cast<TCAD_Solicitantes *>(screen))
            typeInto(named<QLineEdit>(screen, QStringLiteral("edtCpf")), cpfFor(documentNumber));
        typeInto(nameBox(screen), text);
    }
    QString codeText(int code) const { return QString::number(code).rightJustified(codeWidth, QLatin1Char('0')); }
};

inline QList<RegistryScreen> registryScreens() {
    QList<RegistryScreen> screens;
    {
        RegistryScreen s;
        s.name = QStringLiteral("requesters");
        s.table = QStringLiteral("TBSOLICITANTE");
        s.codeField = QStringLiteral("IDSOLICITANTE");
        s.nameColumn = QStringLiteral("NOME");
        s.codeWidth = 5;
        s.nameWidth = 80;
        s.handoff = &SessionState::LastSavedRequesterCode;
        s.handoffOnChange = true;
        s.notRegisteredAlterar = s.notRegisteredFind = QStringLiteral("Solicitante não Cadastrado no Sistema!");
        s.saveConfirm = QStringLiteral("Confirma a Gravação Deste Solicitante?");
        s.nameBoxName = QStringLiteral("edtNome");
        s.textSearchName = QStringLiteral("edtConsultaNome");
        s.codeSearchName = QStringLiteral("edtConsultaCodigo");
        s.make = [](UnitFixture &f) { return new TCAD_Solicitantes(*f.registries, f.session); };
        s.records = [](TUDMCadastro &data) -> RecordSet & { return data.cdsTBSolicitante; };
        screens << s;
    }
    {
        RegistryScreen s;
        s.name = QStringLiteral("subjects");
        s.table = QStringLiteral("TBASSUNTO");
        s.codeField = QStringLiteral("IDASSUNTO");
        s.nameColumn = QStringLiteral("DESCRICAO");
        s.codeWidth = 3;
        s.nameWidth = 80;
        s.handoff = &SessionState::LastSavedSubjectCode;
        s.handoffOnChange = false;
        s.notRegisteredAlterar = QStringLiteral("Assunto não Cadastrado no Sistema!");
        s.notRegisteredFind = QStringLiteral("Assunto não cadastrado no sistema!");
        s.saveConfirm = QStringLiteral("Confirma a Gravação Deste Assunto?");
        s.nameBoxName = QStringLiteral("edtDescricao");
        s.textSearchName = QStringLiteral("edtConsultaDescricao");
        s.codeSearchName = QStringLiteral("edtConsultaCodigo");
        s.make = [](UnitFixture &f) { return new TCAD_Assuntos(*f.registries, f.session); };
        s.records = [](TUDMCadastro &data) -> RecordSet & { return data.cdsTBAssunto; };
        screens << s;
    }
    {
        RegistryScreen s;
        s.name = QStringLiteral("sectors");
        s.table = QStringLiteral("TBSETOR");
        s.codeField = QStringLiteral("IDSETOR");
        s.nameColumn = QStringLiteral("NOME");
        s.codeWidth = 3;
        s.nameWidth = 45;
        s.handoff = &SessionState::LastSavedSectorCode;
        s.handoffOnChange = true;
        s.notRegisteredAlterar = QStringLiteral("Setor não Cadastrado no Sistema!");
        s.saveConfirm = QStringLiteral("Confirma a Gravação Deste Setor?");
        s.nameBoxName = QStringLiteral("edtNome");
        s.textSearchName = QStringLiteral("edtConsultaNome");
        s.make = [](UnitFixture &f) { return new TCAD_Setores(*f.registries, f.session); };
        s.records = [](TUDMCadastro &data) -> RecordSet & { return data.cdsTBSetor; };
        screens << s;
    }
    return screens;
}

}  // namespace kalvero::test
