#include "CancellationTrailer.h"

#include "data/DateText.h"

#include <QList>

namespace kalvero::CancellationTrailer {

namespace {

// The column counts characters, not UTF-16 units: a character outside the
// basic plane is one character and is never split in two.
int characterCount(const QString &text) { return int(text.toUcs4().size()); }

QString leftCharacters(const QString &text, int count) {
    if (count <= 0)
        return QString();
    const QList<uint> characters = text.toUcs4();
    if (characters.size() <= count)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()), count);
}

}  // namespace

QString appendTo(const QString &description, const QString &banner, const QString &reason, const QDate &date,
                 int maxLength) {
    const QString head = QStringLiteral(" / ") + banner + QStringLiteral(" / MOTIVO: ");
    const QString tail = QStringLiteral(" / DATA DO CANCELAMENTO: ") + DateText::fromDate(date);
    const int fixed = int(head.size() + tail.size());
    const QString keptReason = leftCharacters(reason, maxLength - fixed);
    const QString keptDescription = leftCharacters(description, maxLength - fixed - characterCount(keptReason));
    return keptDescription + head + keptReason + tail;
}

}  // namespace kalvero::CancellationTrailer
