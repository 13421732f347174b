#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace kalvero::test {

// The server the server suite runs against (KALVERO_TEST_SERVER); empty for
// the embedded suite.
QString serverAddress();
bool isServerSuite();

// A folder of its own for each test, removed afterwards. Its path is short:
// a unit's folder is stored in 40 characters.
class ScratchFolder {
public:
    ScratchFolder();
    QString path() const;  // with a trailing "/"
    QString file(const QString &name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// The database string for a file in the folder, through the suite's engine.
QString databaseName(const QString &filePath);

// A fresh unit database with the nine template tables; gives its database string.
QString createUnitDatabase(const ScratchFolder &folder, const QString &fileName = QStringLiteral("DBPROTOCOLO.FDB"));
// The same at a path of the suite's engine's choosing.
QString createUnitDatabaseAt(const QString &filePath);
// A fresh empty database.
QString createEmptyDatabase(const ScratchFolder &folder, const QString &fileName);

// Another workstation: one statement on a connection of its own.
void executeOn(const QString &databaseName, const QString &sql, const QVariantList &params = {});
// The first column of the first row of a query, likewise; null without a row.
QVariant scalarOn(const QString &databaseName, const QString &sql, const QVariantList &params = {});

}  // namespace kalvero::test
