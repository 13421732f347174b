#include "UnitRestore.h"

#include "BackupPlace.h"
#include "FirebirdService.h"
#include "RestoreStream.h"

#include "data/records/RecordSet.h"
#include "data/schema/UnitSchema.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kalvero {

namespace {

QString withSuffix(const QString &path, const QString &suffix) {
    const QFileInfo info(path);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + suffix + QLatin1Char('.') + info.suffix();
}

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// The engine's restore reads the stream through this, and the progress follows it.
FirebirdService::Source streamFeeder(RestoreStream &stream, const std::function<void(double)> &progress) {
    return [&stream, progress](char *data, std::size_t capacity) {
        const std::size_t got = stream.read(data, capacity);
        if (progress)
            progress(stream.fractionRead());
        return got;
    };
}

bool renameFile(const QString &from, const QString &to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QVariant scalar(Connection &connection, const QString &sql) {
    RecordSet query(QStringLiteral("SQLRestauracao"));
    query.setConnection(&connection);
    query.setCommandText(sql);
    query.open();
    const QVariant value = query.isEmpty() ? QVariant() : query.field(0).value();
    query.close();
    return value;
}

// The unit tables a database lacks.
QStringList missingTables(const QString &databaseName) {
    Connection connection;
    connection.setDatabaseName(databaseName);
    QStringList missing;
    for (const TableDefinition &table : UnitSchema::templateTables()) {
        RecordSet query(QStringLiteral("SQLTabela"));
        query.setConnection(&connection);
        query.setCommandText(QStringLiteral("select 1 from RDB$RELATIONS where RDB$RELATION_NAME = ?"), {table.name});
        query.open();
        if (query.isEmpty())
            missing << table.name;
        query.close();
    }
    connection.close();
    return missing;
}

}  // namespace

AttachedElsewhere::AttachedElsewhere(int count)
    : Failure(count == 1 ? QStringLiteral("Há 1 conexão de outra estação com o banco de dados da unidade. "
                                          "Feche o sistema nessa estação e tente novamente.")
                         : QStringLiteral("Há %1 conexões de outras estações com o banco de dados da unidade. "
                                          "Feche o sistema nessas estações e tente novamente.")
                               .arg(count)),
      m_count(count) {}

UnitRestore::UnitRestore(const QString &databaseName)
    : m_databaseName(databaseName), m_target(DatabaseTarget::parse(databaseName)) {}

QString UnitRestore::restoredPath() const { return withSuffix(m_target.path, QStringLiteral("-restaurado")); }

QString UnitRestore::previousPath() const { return withSuffix(m_target.path, QStringLiteral("-anterior")); }

int UnitRestore::otherAttachments() const {
    Connection connection;
    connection.setDatabaseName(m_databaseName);
    const QVariant count = scalar(connection, QStringLiteral("select count(*) from MON$ATTACHMENTS "
                                                             "where MON$ATTACHMENT_ID <> CURRENT_CONNECTION "
                                                             "and MON$SYSTEM_FLAG = 0"));
    connection.close();
    return count.toInt();
}

bool UnitRestore::swapsFiles() const { return BackupPlace::isLocalServer(m_target.host); }

void UnitRestore::restoreFrom(const QString &archivePath, const QString &safetyCopyPath, const QDateTime &when,
                              const BackupProgress &progress) const {
    const auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    // A stage of the work between two percentages, fed with its own fraction done.
    const auto stage = [&](int from, int to) {
        return [=](double done) { report(from + static_cast<int>(std::clamp(done, 0.0, 1.0) * (to - from))); };
    };
    report(0);
    // A safety copy never replaces another file (the chosen archive least of all).
    if (QFileInfo::exists(safetyCopyPath) || QFileInfo(safetyCopyPath) == QFileInfo(archivePath))
        throw Failure(QStringLiteral("A cópia de segurança não pode ser gravada sobre um arquivo que já existe (%1); "
                                     "nada foi restaurado.")
                          .arg(safetyCopyPath));
    if (const int others = otherAttachments())
        throw AttachedElsewhere(others);
    const bool files = swapsFiles();
    const int safetyEnd = 30;
    try {
        UnitBackup(m_databaseName).writeTo(safetyCopyPath, when, [&](int p) { report(p * safetyEnd / 100); });
    } catch (const Failure &failure) {
        throw Failure(QStringLiteral("A cópia de segurança do banco de dados atual não pôde ser feita, "
                                     "e nada foi restaurado: ") +
                      failure.text());
    }
    makeRestored(archivePath, stage(safetyEnd, files ? 90 : ServerReplaceStart - 2));
    checkRestored();
    if (files) {
        report(95);
        swapIn();
    } else {
        // The copy beside has proved the archive; the server now makes the
        // same database in place of the current one.
        dropRestored();
        report(ServerReplaceStart);
        replaceOnServer(archivePath, safetyCopyPath, stage(ServerReplaceStart, 99));
    }
    report(100);
}

void UnitRestore::makeRestored(const QString &archivePath, const std::function<void(double)> &progress) const {
    RestoreStream stream(archivePath);
    try {
        // Replace: a file left by an interrupted restore is overwritten.
        FirebirdService(m_target.host).restore(restoredPath(), streamFeeder(stream, progress),
                                               FirebirdService::RestoreMode::Replace);
    } catch (const Failure &failure) {
        dropRestored();
        throw Failure(QStringLiteral("O banco de dados do arquivo não pôde ser restaurado: ") + failure.text());
    }
}

void UnitRestore::dropRestored() const {
    try {
        Connection::dropDatabase(DatabaseTarget::databaseName(m_target.host, restoredPath()));
    } catch (const Failure &) {
        // Only a broken restore leaves a file no engine opens; only here can
        // it be removed (on a remote server the next restore overwrites it).
        if (swapsFiles())
            QFile::remove(restoredPath());
    }
}

void UnitRestore::checkRestored() const {
    const QString restoredName = DatabaseTarget::databaseName(m_target.host, restoredPath());
    QStringList missing;
    try {
        missing = missingTables(restoredName);
    } catch (const Failure &failure) {
        dropRestored();
        throw Failure(QStringLiteral("O banco de dados restaurado não abre: ") + failure.text());
    }
    if (!missing.isEmpty()) {
        dropRestored();
        throw Failure(QStringLiteral("O arquivo escolhido não contém o banco de dados de uma unidade (faltam as tabelas %1).")
                          .arg(missing.join(QStringLiteral(", "))));
    }
}

void UnitRestore::replaceOnServer(const QString &archivePath, const QString &safetyCopyPath,
                                  const std::function<void(double)> &progress) const {
    // Full shutdown is refused while anybody is attached, and lets nobody in
    // afterwards: the server replaces a file that no engine has open.
    try {
        FirebirdService(m_target.host).shutDown(m_target.path);
    } catch (const Failure &failure) {
        throw Failure(QStringLiteral("O banco de dados atual não pôde ser fechado para a troca: ") + failure.text());
    }
    QString reason;
    try {
        RestoreStream stream(archivePath);
        FirebirdService(m_target.host).restore(m_target.path, streamFeeder(stream, progress),
                                               FirebirdService::RestoreMode::Replace);
        const QStringList missing = missingTables(m_databaseName);
        if (!missing.isEmpty())
            reason = QStringLiteral("faltam as tabelas ") + missing.join(QStringLiteral(", "));
    } catch (const Failure &failure) {
        reason = failure.text();
    }
    if (reason.isEmpty())
        return;

    // The current database may be overwritten already: it comes back from the
    // safety copy, which holds it as it was when the restore began.
    try {
        RestoreStream stream(safetyCopyPath);
        FirebirdService(m_target.host).restore(m_target.path, streamFeeder(stream, {}),
                                               FirebirdService::RestoreMode::Replace);
    } catch (const Failure &failure) {
        try {
            FirebirdService(m_target.host).bringOnline(m_target.path);  // if it was never touched
        } catch (const Failure &) {
        }
        throw Failure(QStringLiteral("O banco de dados restaurado não pôde substituir o atual (%1), e o atual não "
                                     "pôde ser reposto a partir da cópia de segurança %2: %3")
                          .arg(reason, safetyCopyPath, failure.text()));
    }
    throw Failure(QStringLiteral("O banco de dados restaurado não pôde substituir o atual, que foi reposto a partir "
                                 "da cópia de segurança: ") +
                  reason);
}

void UnitRestore::swapIn() const {
    FirebirdService service(m_target.host);
    // Shut down only when nobody is attached: a workstation that attached
    // since the count makes the shutdown fail, and nothing has changed.
    try {
        service.shutDown(m_target.path);
    } catch (const Failure &failure) {
        dropRestored();
        throw Failure(QStringLiteral("O banco de dados atual não pôde ser fechado para a troca: ") + failure.text());
    }
    const auto giveBack = [&](const QString &reason) {
        service.bringOnline(m_target.path);
        throw Failure(reason);
    };
    if (!renameFile(m_target.path, previousPath()))
        giveBack(QStringLiteral("O banco de dados atual não pôde ser renomeado: ") + systemReason());
    if (!renameFile(restoredPath(), m_target.path)) {
        const QString reason = systemReason();
        renameFile(previousPath(), m_target.path);
        giveBack(QStringLiteral("O banco de dados restaurado não pôde ser posto no lugar do atual: ") + reason);
    }
    QString reason;
    try {
        const QStringList missing = missingTables(m_databaseName);
        if (!missing.isEmpty())
            reason = QStringLiteral("faltam as tabelas ") + missing.join(QStringLiteral(", "));
    } catch (const Failure &failure) {
        reason = failure.text();
    }
    if (!reason.isEmpty()) {
        renameFile(m_target.path, restoredPath());
        renameFile(previousPath(), m_target.path);
        giveBack(QStringLiteral("O banco de dados restaurado não abriu no lugar do atual: ") + reason);
    }
    // Shut down and detached: no engine has the previous file open.
    QFile::remove(previousPath());
}

}  // namespace kalvero
