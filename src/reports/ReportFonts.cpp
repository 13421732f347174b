#include "ReportFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kalvero::ReportFonts {

namespace {

const char *const WineTahoma = "/usr/share/wine/fonts/tahoma.ttf";

QString loadedTahoma() {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(WineTahoma));
        const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty()) {
            qWarning("Kalvero: %s could not be loaded; Tahoma falls back to the system's choice.", WineTahoma);
            return QStringLiteral("Tahoma");
        }
        return families.first();
    }();
    return family;
}

}  // namespace

QString drawnFamily(const QString &family) {
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (family.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0)
        return loadedTahoma();
    return family;
}

QFont font(const QString &family, double pointSize, bool bold) {
    QFont f(drawnFamily(family));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

}  // namespace kalvero::ReportFonts
