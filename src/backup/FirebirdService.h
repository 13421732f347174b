#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>

namespace Firebird {
class IService;
class IXpbBuilder;
}  // namespace Firebird

namespace kalvero::fb {
class ThrowStatus;
}

namespace kalvero {

// One attachment to a Firebird service manager: the embedded engine's in this
// process when the server address is empty, a server's over TCP otherwise.
// Backups and restores stream through it, so the database file itself is only
// ever read and written by the engine that has it open. Failures throw
// DatabaseError with the engine's own words.
class FirebirdService {
public:
    explicit FirebirdService(const QString &serverAddress);
    ~FirebirdService();
    FirebirdService(const FirebirdService &) = delete;
    FirebirdService &operator=(const FirebirdService &) = delete;

    // Receives the backup stream chunk by chunk; false cancels.
    using Sink = std::function<bool(const char *data, std::size_t size)>;
    // Fills at most `capacity` bytes of the restore stream; 0 at its end.
    using Source = std::function<std::size_t(char *data, std::size_t capacity)>;

    // Firebird's own backup of the database (a path as the engine sees it),
    // consistent as of its start while others go on working.
    void backup(const QString &databasePath, const Sink &sink);
    // The same backup written by the engine into a file it reaches; waiting
    // is called about once a second until it is done. The engine hands a
    // stream over in small pieces, so a file of its own is much faster where
    // the program can read it (the embedded engine writes as this process).
    void backupToFile(const QString &databasePath, const QString &backupPath, const std::function<void()> &waiting);
    // Makes a database from a backup stream. Create refuses an existing
    // file; Replace overwrites one that nobody has attached (or that is no
    // database at all), which is how a server's file is replaced from a
    // workstation that cannot reach it.
    enum class RestoreMode { Create, Replace };
    void restore(const QString &databasePath, const Source &source, RestoreMode mode = RestoreMode::Create);
    // Full shutdown: nobody may attach until it is brought online again.
    // Refused while any attachment exists.
    void shutDown(const QString &databasePath);
    void bringOnline(const QString &databasePath);
    // The engine's full validation; the lines it reports (none when clean).
    QStringList validate(const QString &databasePath);

private:
    // Starts an action on the attached manager; fill adds its parameters.
    void start(unsigned char action, const QString &databasePath,
               const std::function<void(Firebird::IXpbBuilder *, fb::ThrowStatus &)> &fill);
    // The lines the running action reports until it ends; waiting, when
    // given, is called whenever a second passes without any.
    QStringList drainText(const std::function<void()> &waiting = {});

    QString m_serverAddress;
    Firebird::IService *m_service = nullptr;
};

}  // namespace kalvero
