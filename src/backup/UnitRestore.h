#pragma once

#include "UnitBackup.h"

namespace kalvero {

// Puts the database of an archive in place of a unit's database without ever
// replacing a file under a running engine: the archive's database is made in
// a new file beside the current one, checked, and swapped in while the current
// one is shut down with nobody attached. Before that, the current database
// goes into a safety copy that is read back. On any failure the current
// database stays as it was, and the failure (a Failure) says why.
class UnitRestore {
public:
    explicit UnitRestore(const QString &databaseName);

    // Attachments to the unit's database other than this program's own (which
    // the caller has closed).
    int otherAttachments() const;

    // The files beside the current one: the restored database before the swap,
    // and the current one during it.
    QString restoredPath() const;
    QString previousPath() const;

    void restoreFrom(const QString &archivePath, const QString &safetyCopyPath, const QDateTime &when,
                     const BackupProgress &progress = {}) const;

private:
    void makeRestored(const QString &archivePath) const;
    void checkRestored() const;
    void swapIn() const;

    QString m_databaseName;
    DatabaseTarget m_target;
};

// A restore refused because other workstations are attached.
class AttachedElsewhere : public Failure {
public:
    explicit AttachedElsewhere(int count);
    int count() const { return m_count; }

private:
    int m_count;
};

}  // namespace kalvero
