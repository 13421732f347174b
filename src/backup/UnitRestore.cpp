#include "UnitRestore.h"

#include "ArchiveReader.h"
#include "DatabaseFileHeader.h"
#include "FirebirdService.h"

#include "data/records/RecordSet.h"
#include "data/schema/UnitSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace kalvero {

namespace {

constexpr std::size_t Chunk = 1 << 16;

QString withSuffix(const QString &path, const QString &suffix) {
    const QFileInfo info(path);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + suffix + QLatin1Char('.') + info.suffix();
}

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

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

void UnitRestore::restoreFrom(const QString &archivePath, const QString &safetyCopyPath, const QDateTime &when,
                              const BackupProgress &progress) const {
    const auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    report(0);
    if (const int others = otherAttachments())
        throw AttachedElsewhere(others);
    try {
        UnitBackup(m_databaseName).writeTo(safetyCopyPath, when, [&](int p) { report(p * 45 / 100); });
    } catch (const Failure &failure) {
        throw Failure(QStringLiteral("A cópia de segurança do banco de dados atual não pôde ser feita, "
                                     "e nada foi restaurado: ") +
                      failure.text());
    }
    makeRestored(archivePath);
    report(85);
    checkRestored();
    report(90);
    swapIn();
    report(100);
}

void UnitRestore::makeRestored(const QString &archivePath) const {
    const QString restoredName = DatabaseTarget::databaseName(m_target.host, restoredPath());
    const auto discard = [&] {
        try {
            Connection::dropDatabase(restoredName);
        } catch (const Failure &) {
            QFile::remove(restoredPath());  // never opened by an engine: only a broken restore leaves it
        }
    };
    if (QFileInfo::exists(restoredPath()))
        discard();

    ArchiveReader reader(archivePath);
    if (!reader.nextFile())
        throw Failure(QStringLiteral("O arquivo escolhido não contém um banco de dados."));
    std::vector<char> first(Chunk);
    first.resize(reader.read(first.data(), first.size()));
    if (first.empty())
        throw Failure(QStringLiteral("O arquivo escolhido não contém um banco de dados."));

    // An archive made by copying the file: the file is opened apart by this
    // program's own engine and read into a backup stream.
    QTemporaryDir scratch;
    QFile stream;
    if (isDatabaseFileStart(first.data(), first.size())) {
        if (!scratch.isValid())
            throw FileError(QStringLiteral("Não foi possível criar uma pasta temporária: ") + scratch.errorString());
        const QString file = scratch.filePath(QStringLiteral("DBPROTOCOLO.FDB"));
        {
            QFile out(file);
            if (!out.open(QIODevice::WriteOnly))
                throw FileError(out.errorString());
            std::vector<char> buffer = first;
            for (std::size_t got = buffer.size(); got > 0; got = reader.read(buffer.data(), Chunk)) {
                if (out.write(buffer.data(), static_cast<qint64>(got)) != static_cast<qint64>(got))
                    throw FileError(out.errorString());
                buffer.resize(Chunk);
            }
        }
        stream.setFileName(scratch.filePath(QStringLiteral("DBPROTOCOLO.FBK")));
        if (!stream.open(QIODevice::ReadWrite))
            throw FileError(stream.errorString());
        FirebirdService(QString()).backup(file, [&](const char *data, std::size_t size) {
            return stream.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
        });
        stream.seek(0);
    }

    std::size_t firstOffset = 0;
    const auto source = [&](char *data, std::size_t capacity) -> std::size_t {
        if (stream.isOpen())
            return static_cast<std::size_t>(std::max<qint64>(0, stream.read(data, static_cast<qint64>(capacity))));
        if (firstOffset < first.size()) {
            const std::size_t n = std::min(capacity, first.size() - firstOffset);
            std::memcpy(data, first.data() + firstOffset, n);
            firstOffset += n;
            return n;
        }
        return reader.read(data, capacity);
    };
    try {
        FirebirdService(m_target.host).restore(restoredPath(), source);
    } catch (const Failure &failure) {
        if (QFileInfo::exists(restoredPath()) || !m_target.embedded)
            discard();
        throw Failure(QStringLiteral("O banco de dados do arquivo não pôde ser restaurado: ") + failure.text());
    }
}

void UnitRestore::checkRestored() const {
    const QString restoredName = DatabaseTarget::databaseName(m_target.host, restoredPath());
    QStringList missing;
    try {
        missing = missingTables(restoredName);
    } catch (const Failure &failure) {
        missing.clear();
        QFile::remove(restoredPath());
        throw Failure(QStringLiteral("O banco de dados restaurado não abre: ") + failure.text());
    }
    if (!missing.isEmpty()) {
        Connection::dropDatabase(restoredName);
        throw Failure(QStringLiteral("O arquivo escolhido não contém o banco de dados de uma unidade (faltam as tabelas %1).")
                          .arg(missing.join(QStringLiteral(", "))));
    }
}

void UnitRestore::swapIn() const {
    FirebirdService service(m_target.host);
    // Shut down only when nobody is attached: a workstation that attached
    // since the count makes the shutdown fail, and nothing has changed.
    try {
        service.shutDown(m_target.path);
    } catch (const Failure &failure) {
        Connection::dropDatabase(DatabaseTarget::databaseName(m_target.host, restoredPath()));
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
    QStringList missing;
    QString reason;
    try {
        missing = missingTables(m_databaseName);
    } catch (const Failure &failure) {
        reason = failure.text();
    }
    if (!reason.isEmpty() || !missing.isEmpty()) {
        renameFile(m_target.path, restoredPath());
        renameFile(previousPath(), m_target.path);
        giveBack(QStringLiteral("O banco de dados restaurado não abriu no lugar do atual: ") + reason);
    }
    // Shut down and detached: no engine has the previous file open.
    QFile::remove(previousPath());
}

}  // namespace kalvero
