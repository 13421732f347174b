#pragma once

#include "ScriptedAnswers.h"
#include "TestDatabase.h"
#include "data/session/SessionState.h"
#include "ui/MessageService.h"

#include <QList>
#include <QStringList>
#include <QVariant>
#include <memory>

class QWidget;

namespace kalvero {
class TDM;
class TUDMCadastro;
}

namespace kalvero::test {

// A fresh unit database with the unit modules of a running program on it and
// a session of its own, message boxes answered from a script (a question without an answer is
// answered No) and a second workstation to write behind the program's back.
class UnitFixture {
public:
    UnitFixture();
    ~UnitFixture();

    void answer(QList<MessageService::Answer> answers) { m_script.set(std::move(answers)); }
    const QList<MessageService::Message> &messages() const { return MessageService::shown(); }
    QStringList messageTexts() const;
    void clearMessages() { MessageService::clearShown(); }

    // Statements of another workstation, on a connection of their own.
    void execute(const QString &sql, const QVariantList &params = {});
    QVariant scalar(const QString &sql, const QVariantList &params = {});

    // The server goes away under the program's connection, as when it is
    // killed: its attachment is ended and nothing answers where it attaches
    // again, until serverReturns().
    void serverGoesAway();
    void serverReturns();

    // Shows a window and makes it the active one, so that focus moves as
    // for a person.
    static bool showActive(QWidget *window);

    QString databaseName;
    std::unique_ptr<TDM> unit;
    std::unique_ptr<TUDMCadastro> registries;
    // What the screens made on this fixture read and hand over.
    SessionState session;

private:
    ScratchFolder m_scratch;
    ScriptedAnswers m_script;
};

}  // namespace kalvero::test
