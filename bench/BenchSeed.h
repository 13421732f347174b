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

}  // namespace kalvero
