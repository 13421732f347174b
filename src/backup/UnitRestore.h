#pragma once

#include "UnitBackup.h"

namespace kalvero {

// Puts the database of an archive in place of a unit's database without ever
// replacing a file under a running engine. The current database first goes
// into a safety copy that is read back; the archive's database is then made
// in a new file beside the current one and checked. Where this workstation
// may touch the database's files (the embedded engine, a server on this
// machine) it is swapped in by renaming while the current one is shut down
// with nobody attached. The safety copy goes into a new file, never over
// another one. A remote server's files are out of reach: there the
// server itself replaces the shut-down database from the archive's stream,
// and puts it back from the safety copy if that fails. On any failure the
// current database stays as it was, and the failure (a Failure) says why.
class UnitRestore {
public:
    explicit UnitRestore(const QString &databaseName);

    // Attachments to the unit's database other than this program's own (which
    // the caller has closed).
    int otherAttachments() const;

    // Whether the database's files are swapped by renaming them here, or
    // everything goes through the server's services.
    bool swapsFiles() const;

    // The files beside the current one: the restored database before the swap,
    // and the current one during it.
    QString restoredPath() const;
    QString previousPath() const;

    // The progress at which a remote server starts replacing the current database.
    static constexpr int ServerReplaceStart = 60;

    void restoreFrom(const QString &archivePath, const QString &safetyCopyPath, const QDateTime &when,
                     const BackupProgress &progress = {}) const;

private:
    void makeRestored(const QString &archivePath, const std::function<void(double)> &progress) const;
    void checkRestored() const;
    void dropRestored() const;
    void swapIn() const;
    void replaceOnServer(const QString &archivePath, const QString &safetyCopyPath,
                         const std::function<void(double)> &progress) const;

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
