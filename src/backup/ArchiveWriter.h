#pragma once

#include <QDateTime>
#include <QString>

#include <memory>

struct archive;
class QTemporaryFile;

namespace kalvero {

// Writes a zip archive (deflate) with one file streamed into it, under a
// temporary name in the archive's folder; commit() puts it under its name in
// one step, so a failed or interrupted backup never leaves half an archive
// there. An archive not committed is removed.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const QString &path);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    // The size need not be known: zip records it after the data.
    void beginEntry(const QString &name, const QDateTime &modified);
    void write(const char *data, std::size_t size);
    // Finishes the archive file; it can then be read back under temporaryPath().
    void finish();
    QString temporaryPath() const;
    // Replaces whatever was under the name (an earlier archive of the same opening).
    void commit();

private:
    [[noreturn]] void fail(const QString &what);

    QString m_path;
    std::unique_ptr<QTemporaryFile> m_file;
    struct archive *m_archive = nullptr;
};

}  // namespace kalvero
