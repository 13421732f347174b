#include "ArchiveWriter.h"

#include "data/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace kalvero {

namespace {

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

ArchiveWriter::ArchiveWriter(const QString &path) : m_path(path) {
    // The temporary name does not match the archive list's pattern.
    m_file = std::make_unique<QTemporaryFile>(QFileInfo(path).absolutePath() + QStringLiteral("/.gravando-XXXXXX"));
    if (!m_file->open())
        throw FileError(QStringLiteral("Não foi possível criar o arquivo em %1: %2")
                            .arg(QFileInfo(path).absolutePath(), m_file->errorString()));
    m_archive = archive_write_new();
    if (archive_write_set_format_zip(m_archive) != ARCHIVE_OK ||
        archive_write_set_options(m_archive, "zip:compression=deflate") != ARCHIVE_OK ||
        archive_write_open_fd(m_archive, m_file->handle()) != ARCHIVE_OK)
        fail(QStringLiteral("Não foi possível criar o arquivo compactado"));
}

ArchiveWriter::~ArchiveWriter() {
    if (m_archive)
        archive_write_free(m_archive);
}

void ArchiveWriter::fail(const QString &what) {
    const char *reason = m_archive ? archive_error_string(m_archive) : nullptr;
    throw FileError(what + QStringLiteral(": ") + (reason ? QString::fromLocal8Bit(reason) : systemReason()));
}

void ArchiveWriter::beginEntry(const QString &name, const QDateTime &modified) {
    archive_entry *entry = archive_entry_new();
    archive_entry_set_pathname_utf8(entry, name.toUtf8().constData());
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_mtime(entry, modified.toSecsSinceEpoch(), 0);
    const int result = archive_write_header(m_archive, entry);
    archive_entry_free(entry);
    if (result != ARCHIVE_OK)
        fail(QStringLiteral("Não foi possível gravar no arquivo compactado"));
}

void ArchiveWriter::write(const char *data, std::size_t size) {
    while (size > 0) {
        const la_ssize_t written = archive_write_data(m_archive, data, size);
        if (written <= 0)
            fail(QStringLiteral("Não foi possível gravar no arquivo compactado"));
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void ArchiveWriter::finish() {
    if (archive_write_close(m_archive) != ARCHIVE_OK)
        fail(QStringLiteral("Não foi possível concluir o arquivo compactado"));
    // On the disk before it takes the name: a power cut never leaves a
    // renamed but empty archive.
    if (::fsync(m_file->handle()) != 0)
        throw FileError(QStringLiteral("Não foi possível concluir o arquivo compactado: ") + systemReason());
}

QString ArchiveWriter::temporaryPath() const { return m_file->fileName(); }

void ArchiveWriter::commit() {
    const QByteArray from = QFile::encodeName(m_file->fileName());
    const QByteArray to = QFile::encodeName(m_path);
    m_file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                           QFileDevice::WriteGroup | QFileDevice::ReadOther);
    if (std::rename(from.constData(), to.constData()) != 0)
        throw FileError(QStringLiteral("Não foi possível gravar %1: %2").arg(m_path, systemReason()));
    m_file->setAutoRemove(false);
}

}  // namespace kalvero
