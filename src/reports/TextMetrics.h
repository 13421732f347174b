#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

namespace kalvero {

// Measures text in millimetres, at a fixed high resolution so that the
// layout does not depend on the device that will show it.
class TextMetrics {
public:
    TextMetrics();

    double widthMm(const QFont &font, const QString &text) const;
    double lineHeightMm(const QFont &font) const;
    double ascentMm(const QFont &font) const;
    // Height of capitals and digits above the baseline.
    double capHeightMm(const QFont &font) const;
    // True when the text is surely no wider than widthMm, judged by the
    // advances of its Latin-1 characters with a margin, without shaping
    // it: spares measuring most table cells.
    bool surelyFits(const QFont &font, const QString &text, double widthMm) const;

    // Breaks text into lines no wider than widthMm: at blanks, at line
    // breaks, and inside a word only when the word alone is wider.
    QStringList wrap(const QFont &font, const QString &text, double widthMm) const;

private:
    QFontMetricsF metrics(const QFont &font) const;

    QImage m_device;  // a 1x1 image that only carries the resolution
    double m_mmPerUnit;
    mutable QHash<QString, QFontMetricsF> m_cache;
    // Fonts seen lately, found by identity before the slower key lookup:
    // the controls of a layout hand in the same few fonts row after row.
    struct Recent {
        QFont font;
        QFontMetricsF metrics;
        std::shared_ptr<std::array<double, 256>> latin1Mm;  // advance of each Latin-1 character
    };
    const Recent &recent(const QFont &font) const;
    mutable std::vector<Recent> m_recent;
};

}  // namespace kalvero
