#include "ReportFonts.h"

#include "ui/ProgramFonts.h"

namespace kalvero::ReportFonts {

QString drawnFamily(const QString &family) {
    // The program's font helper loads Wine's Tahoma once and knows Arial's
    // stand-in; reports only size their fonts in points.
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return ProgramFonts::arial(10).family();
    if (family.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0)
        return ProgramFonts::tahoma(10).family();
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
