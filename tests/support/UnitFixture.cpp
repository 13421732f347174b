#include "UnitFixture.h"

#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/records/RecordSet.h"
#include "data/session/SessionState.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace kalvero::test {

UnitFixture::UnitFixture() {
    databaseName = createUnitDatabase(m_scratch);
    Session = SessionState{};
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

void UnitFixture::execute(const QString &sql, const QVariantList &params) {
    Connection other;
    other.setDatabaseName(databaseName);
    other.execute(sql, params);
    other.close();
}

QVariant UnitFixture::scalar(const QString &sql, const QVariantList &params) {
    Connection other;
    other.setDatabaseName(databaseName);
    QVariant value;
    {
        RecordSet query(QStringLiteral("scalar"));
        query.setConnection(&other);
        query.setCommandText(sql, params);
        query.open();
        if (!query.isEmpty())
            value = query.field(0).value();
        query.close();
    }
    other.close();
    return value;
}

bool UnitFixture::showActive(QWidget *window) {
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

}  // namespace kalvero::test
