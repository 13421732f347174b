#pragma once

#include "data/firebird/Connection.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace kalvero {

// Percent done, 0 to 100, called from the thread doing the work.
using BackupProgress = std::function<void(int percent)>;

// A unit's database copied into an archive through Firebird's own backup,
// streamed from the engine that holds the file (the embedded one or the
// server), so the copy is consistent while other workstations go on writing.
// The archive holds one file, the engine's backup stream; it takes its name
// only once it has been read back whole and matches what was written.
class UnitBackup {
public:
    // The name of the backup inside the archive.
    static inline const QString EntryName = QStringLiteral("DBPROTOCOLO.FBK");

    explicit UnitBackup(const QString &databaseName) : m_target(DatabaseTarget::parse(databaseName)), m_databaseName(databaseName) {}

    // Throws Failure with the reason; the archive path then holds what it held before.
    void writeTo(const QString &archivePath, const QDateTime &when, const BackupProgress &progress = {}) const;

private:
    qint64 databaseBytes() const;

    DatabaseTarget m_target;
    QString m_databaseName;
};

}  // namespace kalvero
