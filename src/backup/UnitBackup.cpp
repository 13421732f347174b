#include "UnitBackup.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "FirebirdService.h"

#include "data/firebird/FirebirdClient.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace kalvero {

namespace {

// Writing the archive is most of the work; reading it back the rest. Where
// the engine writes a file first, that takes about half.
constexpr int EngineShare = 50;
constexpr int WritingShare = 85;
constexpr std::size_t FileChunk = 1 << 20;

class ProgressSteps {
public:
    ProgressSteps(const BackupProgress &progress) : m_progress(progress) {}
    void set(int percent) {
        percent = std::clamp(percent, 0, 100);
        if (percent != m_last && m_progress)
            m_progress(percent);
        m_last = percent;
    }

private:
    const BackupProgress &m_progress;
    int m_last = -1;
};

}  // namespace

qint64 UnitBackup::databaseBytes() const {
    // The allocated pages: the backup stream is of the same order, which
    // is all the progress bar needs.
    Connection connection;
    connection.setDatabaseName(m_databaseName);
    const unsigned char items[] = {isc_info_page_size, isc_info_allocation};
    unsigned char buffer[64] = {};
    fb::guarded([&] {
        fb::ThrowStatus status;
        connection.attachment()->getInfo(&status, sizeof items, items, sizeof buffer, buffer);
    });
    connection.close();
    qint64 pageSize = 0;
    qint64 pages = 0;
    for (const unsigned char *p = buffer; p < buffer + sizeof buffer && *p != isc_info_end;) {
        const unsigned char item = *p++;
        const int length = p[0] | (p[1] << 8);
        p += 2;
        qint64 value = 0;
        for (int i = length - 1; i >= 0; --i)
            value = (value << 8) | p[i];
        p += length;
        if (item == isc_info_page_size)
            pageSize = value;
        else if (item == isc_info_allocation)
            pages = value;
    }
    return std::max<qint64>(1, pageSize * pages);
}

void UnitBackup::writeTo(const QString &archivePath, const QDateTime &when, const BackupProgress &progress) const {
    ProgressSteps steps(progress);
    steps.set(0);
    const qint64 expected = databaseBytes();

    ArchiveWriter writer(archivePath);
    writer.beginEntry(EntryName, when);
    QCryptographicHash written(QCryptographicHash::Sha1);
    qint64 writtenBytes = 0;
    const auto take = [&](const char *data, std::size_t size, int percent) {
        writer.write(data, size);
        written.addData(QByteArrayView(data, static_cast<qsizetype>(size)));
        writtenBytes += static_cast<qint64>(size);
        steps.set(percent);
    };
    const auto share = [&](qint64 done, qint64 whole, int from, int to) {
        return from + static_cast<int>(std::min<qint64>(to - from - 1, done * (to - from) / std::max<qint64>(1, whole)));
    };
    FirebirdService service(m_target.host);
    if (m_target.embedded) {
        // The engine writes its backup into a scratch file beside the archive,
        // which then goes into the archive.
        QTemporaryDir scratch(QFileInfo(archivePath).absolutePath() + QStringLiteral("/.copiando-XXXXXX"));
        if (!scratch.isValid())
            throw FileError(QStringLiteral("Não foi possível criar uma pasta temporária em %1: %2")
                                .arg(QFileInfo(archivePath).absolutePath(), scratch.errorString()));
        QFile file(scratch.filePath(EntryName));
        service.backupToFile(m_target.path, file.fileName(),
                             [&] { steps.set(share(QFileInfo(file.fileName()).size(), expected, 0, EngineShare)); });
        if (!file.open(QIODevice::ReadOnly))
            throw FileError(file.errorString());
        std::vector<char> buffer(FileChunk);
        const qint64 size = file.size();
        qint64 done = 0;
        while (done < size) {
            const qint64 got = file.read(buffer.data(), static_cast<qint64>(buffer.size()));
            if (got <= 0)
                throw FileError(file.errorString());
            done += got;
            take(buffer.data(), static_cast<std::size_t>(got), share(done, size, EngineShare, WritingShare));
        }
    } else {
        service.backup(m_target.path, [&](const char *data, std::size_t size) {
            take(data, size, share(writtenBytes + static_cast<qint64>(size), expected, 0, WritingShare));
            return true;
        });
    }
    writer.finish();
    steps.set(WritingShare);

    // Read back what is on the disk: the archive must hold exactly the stream.
    ArchiveReader reader(writer.temporaryPath());
    if (!reader.nextFile() || reader.entryName() != EntryName)
        throw FileError(QStringLiteral("O arquivo gravado não contém a cópia do banco de dados."));
    QCryptographicHash read(QCryptographicHash::Sha1);
    qint64 readBytes = 0;
    std::vector<char> buffer(FileChunk);
    while (const std::size_t got = reader.read(buffer.data(), buffer.size())) {
        read.addData(QByteArrayView(buffer.data(), static_cast<qsizetype>(got)));
        readBytes += static_cast<qint64>(got);
        steps.set(share(readBytes, writtenBytes, WritingShare, 100));
    }
    if (readBytes != writtenBytes || read.result() != written.result())
        throw FileError(QStringLiteral("O arquivo gravado não confere com a cópia do banco de dados."));
    writer.commit();
    steps.set(100);
}

}  // namespace kalvero
