#include "UnitBackup.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "FirebirdService.h"

#include "data/firebird/FirebirdClient.h"

#include <QCryptographicHash>

#include <vector>

namespace kalvero {

namespace {

// Writing the archive is most of the work; reading it back the rest.
constexpr int WritingShare = 85;

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
    FirebirdService service(m_target.host);
    service.backup(m_target.path, [&](const char *data, std::size_t size) {
        writer.write(data, size);
        written.addData(QByteArrayView(data, static_cast<qsizetype>(size)));
        writtenBytes += static_cast<qint64>(size);
        steps.set(static_cast<int>(std::min<qint64>(WritingShare - 1, writtenBytes * WritingShare / expected)));
        return true;
    });
    writer.finish();
    steps.set(WritingShare);

    // Read back what is on the disk: the archive must hold exactly the stream.
    ArchiveReader reader(writer.temporaryPath());
    if (!reader.nextFile() || reader.entryName() != EntryName)
        throw FileError(QStringLiteral("O arquivo gravado não contém a cópia do banco de dados."));
    QCryptographicHash read(QCryptographicHash::Sha1);
    qint64 readBytes = 0;
    std::vector<char> buffer(1 << 16);
    while (const std::size_t got = reader.read(buffer.data(), buffer.size())) {
        read.addData(QByteArrayView(buffer.data(), static_cast<qsizetype>(got)));
        readBytes += static_cast<qint64>(got);
        steps.set(WritingShare + static_cast<int>(readBytes * (100 - WritingShare) / std::max<qint64>(1, writtenBytes)) - 1);
    }
    if (readBytes != writtenBytes || read.result() != written.result())
        throw FileError(QStringLiteral("O arquivo gravado não confere com a cópia do banco de dados."));
    writer.commit();
    steps.set(100);
}

}  // namespace kalvero
