#pragma once

#include <QString>

#include <cstddef>

struct archive;

namespace kalvero {

// Reads an archive by its content, whatever its name says: zip, 7z, RAR
// (older and version 5) and the other formats libarchive knows. Damage shows
// as a FileError with the reason, at the latest when the damaged part is read.
class ArchiveReader {
public:
    explicit ArchiveReader(const QString &path);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader &) = delete;
    ArchiveReader &operator=(const ArchiveReader &) = delete;

    // Moves to the next file in the archive (folders skipped); false at the end.
    bool nextFile();
    QString entryName() const { return m_entryName; }
    // Up to `capacity` bytes of the current file; 0 at its end.
    std::size_t read(char *data, std::size_t capacity);
    // How much of the archive file has been read, 0 to 1.
    double fractionRead() const;

private:
    [[noreturn]] void fail();

    QString m_path;
    QString m_entryName;
    qint64 m_fileSize = 0;
    struct archive *m_archive = nullptr;
};

}  // namespace kalvero
