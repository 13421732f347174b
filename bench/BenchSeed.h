#pragma once

// A benchmark's unit database, made and filled with demo data of the sizes
// given when its file does not exist yet.

#include "app/install/DemoDataSeeder.h"
#include "data/firebird/Connection.h"
#include "data/schema/UnitSchema.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace kalvero {

inline void seedUnit(const QString &databaseName, const DemoDataSeeder::Sizes &sizes) {
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
    DemoDataSeeder(databaseName, QStringLiteral("ADM1"), sizes).fill();
    out << "Seeded in " << t.elapsed() / 1000.0 << " s" << Qt::endl;
}

// The unit of the register screens' benchmarks: 99,000 active protocols of
// 2013 without movements, 50,000 requesters.
constexpr int ScreenBenchActiveProtocols = 99000;
inline void seedScreenBenchUnit(const QString &databaseName) {
    DemoDataSeeder::Sizes sizes;
    sizes.requesters = 50000;
    sizes.companyEvery = 10;
    sizes.protocolsPerYear = {{2013, ScreenBenchActiveProtocols}};
    sizes.maxMovementsPerProtocol = 0;
    sizes.cancelAndArchive = false;  // every protocol in the active list
    seedUnit(databaseName, sizes);
}

}  // namespace kalvero
