#include "BackupFixture.h"

#include "data/records/RecordSet.h"

namespace kalvero::test {

QStringList BackupFixture::protocolsOf(const QString &databaseName) {
    Connection c;
    c.setDatabaseName(databaseName);
    QStringList numbers;
    {
        RecordSet query(QStringLiteral("protocols"));
        query.setConnection(&c);
        query.setCommandText(QStringLiteral("select IDPROTOCOLO from TBPROTOCOLO order by IDPROTOCOLO"));
        query.open();
        for (query.first(); !query.eof(); query.next())
            numbers << query.field(0).value().toString();
        query.close();
    }
    c.close();
    return numbers;
}

}  // namespace kalvero::test
