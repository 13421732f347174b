#include "TestDatabase.h"

#include "data/firebird/Connection.h"
#include "data/records/RecordSet.h"
#include "data/schema/UnitSchema.h"

#include <QFile>

namespace kalvero::test {

QString serverAddress() { return qEnvironmentVariable("KALVERO_TEST_SERVER"); }

bool isServerSuite() { return !serverAddress().isEmpty(); }

ScratchFolder::ScratchFolder() : m_dir(QStringLiteral("/tmp/kv-XXXXXX")) {
    // The server process writes here too.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

QString ScratchFolder::path() const { return m_dir.path() + QLatin1Char('/'); }

QString databaseName(const QString &filePath) { return DatabaseTarget::databaseName(serverAddress(), filePath); }

QString createEmptyDatabase(const ScratchFolder &folder, const QString &fileName) {
    Connection connection;
    connection.setDatabaseName(databaseName(folder.file(fileName)));
    connection.create();
    return connection.databaseName();
}

QString createUnitDatabase(const ScratchFolder &folder, const QString &fileName) {
    return createUnitDatabaseAt(folder.file(fileName));
}

QString createUnitDatabaseAt(const QString &filePath) {
    Connection connection;
    connection.setDatabaseName(databaseName(filePath));
    connection.create();
    UnitSchema::createTemplateTables(connection);
    return connection.databaseName();
}

void executeOn(const QString &databaseName, const QString &sql, const QVariantList &params) {
    Connection other;
    other.setDatabaseName(databaseName);
    other.execute(sql, params);
    other.close();
}

QVariant scalarOn(const QString &databaseName, const QString &sql, const QVariantList &params) {
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

}  // namespace kalvero::test
