#include "RestoreStream.h"

#include "DatabaseFileHeader.h"
#include "FirebirdService.h"

#include "data/Failure.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstring>

namespace kalvero {

namespace {

constexpr std::size_t Chunk = 1 << 16;

Failure noDatabase() { return Failure(QStringLiteral("O arquivo escolhido não contém um banco de dados.")); }

}  // namespace

RestoreStream::RestoreStream(const QString &archivePath) : m_reader(archivePath) {
    if (!m_reader.nextFile())
        throw noDatabase();
    m_first.resize(Chunk);
    m_first.resize(m_reader.read(m_first.data(), m_first.size()));
    if (m_first.empty())
        throw noDatabase();
    if (!isDatabaseFileStart(m_first.data(), m_first.size()))
        return;

    // A copied database file: opened apart by the embedded engine, never by
    // the server, and read into a backup stream.
    m_scratch = std::make_unique<QTemporaryDir>();
    if (!m_scratch->isValid())
        throw FileError(QStringLiteral("Não foi possível criar uma pasta temporária: ") + m_scratch->errorString());
    const QString file = m_scratch->filePath(QStringLiteral("DBPROTOCOLO.FDB"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            throw FileError(out.errorString());
        std::vector<char> buffer = m_first;
        for (std::size_t got = buffer.size(); got > 0; got = m_reader.read(buffer.data(), Chunk)) {
            if (out.write(buffer.data(), static_cast<qint64>(got)) != static_cast<qint64>(got))
                throw FileError(out.errorString());
            buffer.resize(Chunk);
        }
    }
    m_stream.setFileName(m_scratch->filePath(QStringLiteral("DBPROTOCOLO.FBK")));
    if (!m_stream.open(QIODevice::ReadWrite))
        throw FileError(m_stream.errorString());
    FirebirdService(QString()).backup(file, [&](const char *data, std::size_t size) {
        return m_stream.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
    });
    m_stream.seek(0);
}

RestoreStream::~RestoreStream() = default;

std::size_t RestoreStream::read(char *data, std::size_t capacity) {
    if (m_stream.isOpen())
        return static_cast<std::size_t>(std::max<qint64>(0, m_stream.read(data, static_cast<qint64>(capacity))));
    if (m_firstOffset < m_first.size()) {
        const std::size_t n = std::min(capacity, m_first.size() - m_firstOffset);
        std::memcpy(data, m_first.data() + m_firstOffset, n);
        m_firstOffset += n;
        return n;
    }
    return m_reader.read(data, capacity);
}

double RestoreStream::fractionRead() const {
    if (m_stream.isOpen())
        return m_stream.size() > 0 ? double(m_stream.pos()) / double(m_stream.size()) : 0.0;
    return m_reader.fractionRead();
}

}  // namespace kalvero
