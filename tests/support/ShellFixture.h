#pragma once

#include "ScriptedAnswers.h"
#include "TestDatabase.h"
#include "ui/MessageService.h"

#include <QList>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace kalvero {
class Tdm2;
class TDM;
class TUDMCadastro;
}

namespace kalvero::test {

// A complete install in a scratch folder that the program takes for its own,
// with the data modules of a running program, message boxes answered from a
// script and the program's end recorded instead of done.
class ShellFixture {
public:
    // Operator ADM1, password 12345, level 1; unit 01 with its database.
    ShellFixture();
    ~ShellFixture();

    QString folder() const { return m_folder; }
    QString databaseNameOf(const QString &path) const;
    QString accessDatabaseName() const;
    QString unitDatabaseName(const QString &unitCode = QStringLiteral("01")) const;

    void addOperator(const QString &code, const QString &password, int level, const QString &name);
    void addUnit(const QString &code, const QString &name, const QString &folder);
    // One statement against a database of the install, outside the program's modules.
    void execute(const QString &databaseName, const QString &sql, const QVariantList &params = {});
    // The first column of the first row of a query, likewise.
    QVariant scalar(const QString &databaseName, const QString &sql, const QVariantList &params = {});

    // Answers for the next questions, in order; a question without one is
    // answered No, a box with OK is simply closed.
    void answer(QList<MessageService::Answer> answers) { m_script.set(std::move(answers)); }
    const QList<MessageService::Message> &messages() const { return MessageService::shown(); }
    QStringList messageTexts() const;
    void clearMessages() { MessageService::clearShown(); }

    std::unique_ptr<Tdm2> access;
    std::unique_ptr<TDM> unit;
    std::unique_ptr<TUDMCadastro> registries;

private:
    ScratchFolder m_scratch;
    QString m_folder;
    ScriptedAnswers m_script;
};

}  // namespace kalvero::test
