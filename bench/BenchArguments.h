#pragma once

// What every database benchmark is given: "<database file> [server address]".

#include "data/firebird/Connection.h"

#include <QFile>
#include <QTextStream>

#include <optional>

namespace kalvero {

struct BenchArguments {
    QString file;    // the unit database file
    QString server;  // empty: the embedded engine

    QString databaseName() const { return DatabaseTarget::databaseName(server, file); }
    QString engine() const {
        return server.isEmpty() ? QStringLiteral("embedded") : QStringLiteral("server ") + server;
    }

    // Nothing, and the usage said, without a file argument or, when the file
    // must exist already, without the file.
    static std::optional<BenchArguments> read(int argc, char *argv[], const char *usage, bool fileMustExist = false) {
        if (argc < 2 || (fileMustExist && !QFile::exists(QString::fromLocal8Bit(argv[1])))) {
            QTextStream(stdout) << "usage: " << usage << "\n";
            return std::nullopt;
        }
        return BenchArguments{QString::fromLocal8Bit(argv[1]), argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString()};
    }
};

}  // namespace kalvero
