#pragma once

#include "ArchiveReader.h"

#include <QFile>
#include <QString>

#include <memory>
#include <vector>

class QTemporaryDir;

namespace kalvero {

// The backup stream an archive holds, read for the engine's restore: the
// archive's first file as it is, or, when that file is a database file that
// an archiver copied, a backup of it made by this program's own engine from a
// scratch copy. Throws Failure when the archive holds no database.
class RestoreStream {
public:
    explicit RestoreStream(const QString &archivePath);
    ~RestoreStream();
    RestoreStream(const RestoreStream &) = delete;
    RestoreStream &operator=(const RestoreStream &) = delete;

    // Up to `capacity` bytes; 0 at the end.
    std::size_t read(char *data, std::size_t capacity);
    // How much of the stream has been read, 0 to 1 (from the archive's bytes).
    double fractionRead() const;

private:
    ArchiveReader m_reader;
    std::vector<char> m_first;
    std::size_t m_firstOffset = 0;
    std::unique_ptr<QTemporaryDir> m_scratch;
    QFile m_stream;
};

}  // namespace kalvero
