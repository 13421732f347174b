#include "ProgramFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kalvero::ProgramFonts {

namespace {

const QString EmojiFamily = QStringLiteral("Noto Color Emoji");

QString loadedFamily(const QString &file, const QString &fallback) {
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? fallback : families.first();
}

QFont font(const QString &family, int pixelSize, bool bold) {
    // Colour emoji and the symbols the program's faces lack come from
    // Debian's emoji font rather than showing as empty boxes.
    QFont f;
    f.setFamilies({family, EmojiFamily});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

}  // namespace

QFont tahoma(int pixelSize, bool bold) {
    // Both faces are registered before the first font asks for the family.
    static const QString family = [] {
        const QString regular =
            loadedFamily(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"), QStringLiteral("Liberation Sans"));
        loadedFamily(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"), regular);
        return regular;
    }();
    return font(family, pixelSize, bold);
}

QFont arial(int pixelSize, bool bold) { return font(QStringLiteral("Liberation Sans"), pixelSize, bold); }

}  // namespace kalvero::ProgramFonts
