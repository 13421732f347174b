#pragma once

#include <QByteArray>
#include <QString>

namespace kalvero::test {

// A RAR 5 archive holding one file stored without compression, written from
// the published RAR 5.0 format description: no free program writes RAR, and
// a restore must read the archives that WinRAR made before.
QByteArray rar5Stored(const QString &fileName, const QByteArray &content, quint32 modified);

}  // namespace kalvero::test
