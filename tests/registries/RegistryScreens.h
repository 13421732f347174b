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
    QString alreadyRegistered;
    QString saveConfirm;
    std::function<QDialog *()> make;
    std::function<RegistryForm &(QDialog *)> form;
    std::function<RegistryController *(QDialog *)> registry;
    std::function<QLineEdit *(QDialog *)> codeBox;
    std::function<QLineEdit *(QDialog *)> nameBox;
    std::function<QLineEdit *(QDialog *)> textSearch;
    std::function<QLineEdit *(QDialog *)> codeSearch;
    std::function<QToolButton *(QDialog *)> findButton;
    std::function<RecordSet &()> records;

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
        if (auto *requester = qobject_cast<TCAD_Solicitantes *>(screen))
            typeInto(requester->edtCpf, cpfFor(documentNumber));
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
        s.alreadyRegistered = QStringLiteral("Proprietário já cadastrado no Sistema...");
        s.saveConfirm = QStringLiteral("Confirma a Gravação Deste Solicitante?");
        s.make = [] { return new TCAD_Solicitantes; };
        auto w = [](QDialog *d) { return static_cast<TCAD_Solicitantes *>(d); };
        s.form = [w](QDialog *d) -> RegistryForm & { return w(d)->form; };
        s.registry = [w](QDialog *d) { return w(d)->registry; };
        s.codeBox = [w](QDialog *d) { return w(d)->edtCodigo; };
        s.nameBox = [w](QDialog *d) { return w(d)->edtNome; };
        s.textSearch = [w](QDialog *d) { return w(d)->edtConsultaNome; };
        s.codeSearch = [w](QDialog *d) { return w(d)->edtConsultaCodigo; };
        s.findButton = [w](QDialog *d) { return w(d)->btnLocalizar; };
        s.records = []() -> RecordSet & { return UDMCadastro->cdsTBSolicitante; };
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
        s.alreadyRegistered = QStringLiteral("Assunto já cadastrado no Sistema...");
        s.saveConfirm = QStringLiteral("Confirma a Gravação Deste Assunto?");
        s.make = [] { return new TCAD_Assuntos; };
        auto w = [](QDialog *d) { return static_cast<TCAD_Assuntos *>(d); };
        s.form = [w](QDialog *d) -> RegistryForm & { return w(d)->form; };
        s.registry = [w](QDialog *d) { return w(d)->registry; };
        s.codeBox = [w](QDialog *d) { return w(d)->edtCodigo; };
        s.nameBox = [w](QDialog *d) { return w(d)->edtDescricao; };
        s.textSearch = [w](QDialog *d) { return w(d)->edtConsultaDescricao; };
        s.codeSearch = [w](QDialog *d) { return w(d)->edtConsultaCodigo; };
        s.findButton = [w](QDialog *d) { return w(d)->btnLocalizar; };
        s.records = []() -> RecordSet & { return UDMCadastro->cdsTBAssunto; };
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
        s.alreadyRegistered = QStringLiteral("Setor já cadastrado no Sistema...");
        s.saveConfirm = QStringLiteral("Confirma a Gravação Deste Setor?");
        s.make = [] { return new TCAD_Setores; };
        auto w = [](QDialog *d) { return static_cast<TCAD_Setores *>(d); };
        s.form = [w](QDialog *d) -> RegistryForm & { return w(d)->form; };
        s.registry = [w](QDialog *d) { return w(d)->registry; };
        s.codeBox = [w](QDialog *d) { return w(d)->edtCodigo; };
        s.nameBox = [w](QDialog *d) { return w(d)->edtNome; };
        s.textSearch = [w](QDialog *d) { return w(d)->edtConsultaNome; };
        s.codeSearch = [](QDialog *) { return nullptr; };
        s.findButton = [](QDialog *) { return nullptr; };
        s.records = []() -> RecordSet & { return UDMCadastro->cdsTBSetor; };
        screens << s;
    }
    return screens;
}

}  // namespace kalvero::test
