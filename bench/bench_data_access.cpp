// Data-access benchmark on a unit database of 100,000 protocols over two
// years (99,000 in the first), 300,000 documents and 50,000 requesters:
//   - opening a record set over a year's protocols against a raw forward-only
//     fetch of the same statement through libfbclient;
//   - memory per cached row;
//   - the next protocol number in the full year against an empty year.
// Usage: kalvero_bench <database file> [server address]
#include "BenchTiming.h"
#include "app/install/DemoDataSeeder.h"
#include "data/firebird/Connection.h"
#include "data/firebird/FirebirdClient.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/schema/UnitSchema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <malloc.h>
#include <vector>

using namespace kalvero;

namespace {

const QString FullYear = QStringLiteral("2013");
const QString EmptyYear = QStringLiteral("2015");
const QString YearStatement = QStringLiteral("select * from TBProtocolo where ANO = ?");

// The same statement, prepared once, fetched row by row through the client
// library in a transaction of its own, nothing kept: the floor for an open.
class RawFetch {
public:
    RawFetch(Connection &c, const QString &year) : m_att(c.attachment()) {
        using namespace Firebird;
        fb::ThrowStatus status;
        ITransaction *tra = m_att->startTransaction(&status, sizeof Tpb, Tpb);
        const QByteArray sql = YearStatement.toUtf8();
        m_stmt = m_att->prepare(&status, tra, 0, sql.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        tra->commit(&status);
        m_out = m_stmt->getOutputMetadata(&status);
        // The year as a bound parameter, as the record set has it.
        IMetadataBuilder *b = m_stmt->getInputMetadata(&status)->getBuilder(&status);
        b->setType(&status, 0, SQL_VARYING);
        b->setLength(&status, 0, 4);
        m_in = b->getMetadata(&status);
        b->release();
        m_input.assign(m_in->getMessageLength(&status), 0);
        const QByteArray y = year.toLatin1();
        unsigned short n = 4;
        std::memcpy(m_input.data() + m_in->getOffset(&status, 0), &n, 2);
        std::memcpy(m_input.data() + m_in->getOffset(&status, 0) + 2, y.constData(), 4);
        m_buffer.resize(m_out->getMessageLength(&status));
    }
    ~RawFetch() {
        fb::ThrowStatus status;
        m_in->release();
        m_out->release();
        m_stmt->free(&status);
    }
    qint64 run() {
        using namespace Firebird;
        fb::ThrowStatus status;
        ITransaction *tra = m_att->startTransaction(&status, sizeof Tpb, Tpb);
        IResultSet *rs = m_stmt->openCursor(&status, tra, m_in, m_input.data(), m_out, 0);
        qint64 rows = 0;
        while (rs->fetchNext(&status, m_buffer.data()) == IStatus::RESULT_OK)
            ++rows;
        rs->close(&status);
        tra->commit(&status);
        return rows;
    }

private:
    static constexpr unsigned char Tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_wait};
    Firebird::IAttachment *m_att;
    Firebird::IStatement *m_stmt = nullptr;
    Firebird::IMessageMetadata *m_in = nullptr;
    Firebird::IMessageMetadata *m_out = nullptr;
    std::vector<unsigned char> m_input, m_buffer;
};

size_t heapInUse() { return mallinfo2().uordblks; }

void seed(const QString &databaseName) {
    QTextStream out(stdout);
    out << "Seeding " << databaseName << " ..." << Qt::endl;
    QElapsedTimer t;
    t.start();
    {
        Connection c;
        c.setDatabaseName(databaseName);
        c.create();
        UnitSchema::createTemplateTables(c);
    }
    DemoDataSeeder::Sizes sizes;
    sizes.requesters = 50000;
    sizes.companyEvery = 10;
    sizes.protocolsPerYear = {{2013, 99000}, {2014, 1000}};
    sizes.maxMovementsPerProtocol = 0;
    DemoDataSeeder(databaseName, QStringLiteral("ADM1"), sizes).fill();
    out << "Seeded in " << t.elapsed() / 1000.0 << " s" << Qt::endl;
}

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: kalvero_bench <database file> [server address]\n";
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QString server = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString name = DatabaseTarget::databaseName(server, file);
    if (!QFile::exists(file))
        seed(name);

    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(name);
    TUDMCadastro cadastro(dm);
    RecordSet &protocols = cadastro.cdsTBProtocolo;
    out << "Engine: " << (server.isEmpty() ? QStringLiteral("embedded") : QStringLiteral("server ") + server) << "\n";

    // Warm the engine's page cache and the prepared statements alike.
    RawFetch rawFetch(dm.MDatabasePrincipal, FullYear);
    rawFetch.run();
    protocols.setCommandText(YearStatement, {FullYear});
    protocols.open();
    const int rows = protocols.recordCount();
    protocols.close();

    const int runs = 9;
    const double raw = medianMs(runs, [&] { rawFetch.run(); });
    const double cached = medianMs(runs, [&] {
        protocols.close();
        protocols.open();
    });
    protocols.close();
    const size_t before = heapInUse();
    protocols.open();
    const size_t after = heapInUse();
    out << QStringLiteral("Open a year's protocols (%1 rows): record set %2 ms, raw fetch %3 ms, ratio %4\n")
               .arg(rows)
               .arg(cached, 0, 'f', 1)
               .arg(raw, 0, 'f', 1)
               .arg(cached / raw, 0, 'f', 2);
    out << QStringLiteral("Memory per cached row: %1 bytes (heap growth), %2 bytes (packed rows)\n")
               .arg(double(after - before) / rows, 0, 'f', 0)
               .arg(double(protocols.cachedBytes()) / rows, 0, 'f', 0);
    protocols.close();

    const int keyRuns = 201;
    QString full, empty;
    const double fullMs = medianMs(keyRuns, [&] { full = cadastro.NextProtocolNumber(FullYear); });
    const double emptyMs = medianMs(keyRuns, [&] { empty = cadastro.NextProtocolNumber(EmptyYear); });
    out << QStringLiteral("Next protocol number: year of 99,000 (%1) %2 ms, empty year (%3) %4 ms, ratio %5\n")
               .arg(full)
               .arg(fullMs, 0, 'f', 3)
               .arg(empty)
               .arg(emptyMs, 0, 'f', 3)
               .arg(fullMs / emptyMs, 0, 'f', 2);
    return 0;
}
