#include "ArchiveReader.h"

#include "data/Failure.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <archive.h>
#include <archive_entry.h>

namespace kalvero {

ArchiveReader::ArchiveReader(const QString &path) : m_path(path), m_fileSize(QFileInfo(path).size()) {
    m_archive = archive_read_new();
    archive_read_support_format_all(m_archive);
    archive_read_support_filter_all(m_archive);
    if (archive_read_open_filename(m_archive, QFile::encodeName(path).constData(), 65536) != ARCHIVE_OK) {
        // A constructor that throws runs no destructor: the reader lets go here.
        try {
            fail();
        } catch (...) {
            archive_read_free(m_archive);
            throw;
        }
    }
}

ArchiveReader::~ArchiveReader() { archive_read_free(m_archive); }

void ArchiveReader::fail() {
    const char *reason = archive_error_string(m_archive);
    throw FileError(QStringLiteral("O arquivo %1 não pôde ser lido: %2")
                        .arg(m_path, reason ? QString::fromLocal8Bit(reason) : QStringLiteral("arquivo danificado")));
}

bool ArchiveReader::nextFile() {
    for (;;) {
        archive_entry *entry = nullptr;
        const int result = archive_read_next_header(m_archive, &entry);
        if (result == ARCHIVE_EOF)
            return false;
        if (result < ARCHIVE_WARN)
            fail();
        // Some archivers record no file type for plain files.
        const auto type = archive_entry_filetype(entry);
        if (type != AE_IFREG && type != 0)
            continue;
        const char *name = archive_entry_pathname_utf8(entry);
        m_entryName = name ? QString::fromUtf8(name) : QString::fromLocal8Bit(archive_entry_pathname(entry));
        return true;
    }
}

std::size_t ArchiveReader::read(char *data, std::size_t capacity) {
    const la_ssize_t got = archive_read_data(m_archive, data, capacity);
    if (got < 0)
        fail();
    return static_cast<std::size_t>(got);
}

double ArchiveReader::fractionRead() const {
    if (m_fileSize <= 0)
        return 0.0;
    return std::clamp(double(archive_filter_bytes(m_archive, -1)) / double(m_fileSize), 0.0, 1.0);
}

}  // namespace kalvero
