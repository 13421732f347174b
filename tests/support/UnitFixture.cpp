#include "UnitFixture.h"

#include "WindowDriving.h"

#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"

#include <QWidget>

namespace kalvero::test {

UnitFixture::UnitFixture() {
    databaseName = createUnitDatabase(m_scratch);
    unit = std::make_unique<TDM>();
    unit->MDatabasePrincipal.setDatabaseName(databaseName);
    registries = std::make_unique<TUDMCadastro>(*unit);
}

UnitFixture::~UnitFixture() {
    registries.reset();
    unit.reset();
}

QStringList UnitFixture::messageTexts() const {
    QStringList texts;
    for (const MessageService::Message &m : MessageService::shown())
        texts << m.text;
    return texts;
}

void UnitFixture::execute(const QString &sql, const QVariantList &params) { executeOn(databaseName, sql, params); }

QVariant UnitFixture::scalar(const QString &sql, const QVariantList &params) { return scalarOn(databaseName, sql, params); }

void UnitFixture::serverGoesAway() {
    Connection &desk = unit->MDatabasePrincipal;
    desk.open();
    execute(QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION"));
    // Nothing listens on port 1 of this machine.
    desk.setDatabaseName(QStringLiteral("127.0.0.1/1:") + DatabaseTarget::parse(databaseName).path);
}

void UnitFixture::serverReturns() { unit->MDatabasePrincipal.setDatabaseName(databaseName); }

bool UnitFixture::showActive(QWidget *window) { return test::showActive(window); }

}  // namespace kalvero::test
