#pragma once

#include <QFont>
#include <QString>

namespace kalvero::ReportFonts {

// The fonts the layouts name, in points, drawn as the program draws them
// (ProgramFonts): Arial with Liberation Sans (same metrics), Tahoma with
// Wine's tahoma.ttf. Report fonts ask for no hinting, so that text measures
// the same on the screen, the printer and the PDF.
QFont font(const QString &family, double pointSize, bool bold = false);
inline QFont arial(double pointSize, bool bold = false) { return font(QStringLiteral("Arial"), pointSize, bold); }
inline QFont tahoma(double pointSize, bool bold = false) { return font(QStringLiteral("Tahoma"), pointSize, bold); }

// The family actually asked of the font system for a family a layout names.
QString drawnFamily(const QString &family);

}  // namespace kalvero::ReportFonts
