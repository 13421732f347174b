#include "Rar5Store.h"

#include <zlib.h>

namespace kalvero::test {

namespace {

void vint(QByteArray &out, quint64 value) {
    do {
        unsigned char b = value & 0x7f;
        value >>= 7;
        if (value)
            b |= 0x80;
        out.append(char(b));
    } while (value);
}

void u32(QByteArray &out, quint32 value) {
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

quint32 crc(const QByteArray &bytes) {
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

// CRC32 of the size and the fields, then the size, then the fields.
QByteArray block(const QByteArray &fields) {
    QByteArray sized;
    vint(sized, quint64(fields.size()));
    sized += fields;
    QByteArray out;
    u32(out, crc(sized));
    return out + sized;
}

}  // namespace

QByteArray rar5Stored(const QString &fileName, const QByteArray &content, quint32 modified) {
    QByteArray archive = QByteArray::fromHex("526172211a070100");

    QByteArray main;
    vint(main, 1);  // main archive header
    vint(main, 0);  // header flags
    vint(main, 0);  // archive flags
    archive += block(main);

    const QByteArray name = fileName.toUtf8();
    QByteArray file;
    vint(file, 2);       // file header
    vint(file, 0x0002);  // a data area follows
    vint(file, quint64(content.size()));
    vint(file, 0x0002 | 0x0004);  // modification time and data CRC32 present
    vint(file, quint64(content.size()));
    vint(file, 0100644);  // attributes: a regular file, rw-r--r--
    u32(file, modified);
    u32(file, crc(content));
    vint(file, 0);  // compression: version 0, method 0 (stored)
    vint(file, 1);  // host: Unix
    vint(file, quint64(name.size()));
    file += name;
    archive += block(file);
    archive += content;

    QByteArray end;
    vint(end, 5);  // end of archive
    vint(end, 0);
    vint(end, 0);
    archive += block(end);
    return archive;
}

}  // namespace kalvero::test
