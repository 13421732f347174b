#include "TextMetrics.h"

namespace kalvero {

namespace {
constexpr int MeasuringDpi = 1200;
}

TextMetrics::TextMetrics() : m_device(1, 1, QImage::Format_RGB32), m_mmPerUnit(25.4 / MeasuringDpi) {
    const int dotsPerMeter = qRound(MeasuringDpi / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
}

const TextMetrics::Recent &TextMetrics::recent(const QFont &font) const {
    for (const Recent &r : m_recent)
        if (r.font.isCopyOf(font))
            return r;
    const QString key = font.key();
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.insert(key, QFontMetricsF(font, &m_device));
    if (m_recent.size() >= 16)
        m_recent.erase(m_recent.begin());
    auto latin1 = std::make_shared<std::array<double, 256>>();
    for (int c = 0; c < 256; ++c)
        (*latin1)[c] = it.value().horizontalAdvance(QChar(c)) * m_mmPerUnit;
    m_recent.push_back({font, it.value(), latin1});
    return m_recent.back();
}

QFontMetricsF TextMetrics::metrics(const QFont &font) const { return recent(font).metrics; }

bool TextMetrics::surelyFits(const QFont &font, const QString &text, double widthMm) const {
    const std::array<double, 256> &advance = *recent(font).latin1Mm;
    double sum = 0;
    for (QChar c : text) {
        if (c.unicode() > 255)
            return false;
        sum += advance[c.unicode()];
    }
    // The margin covers kerning and rounding, which can only add little.
    return sum * 1.05 + 0.1 <= widthMm;
}

double TextMetrics::widthMm(const QFont &font, const QString &text) const {
    return metrics(font).horizontalAdvance(text) * m_mmPerUnit;
}

double TextMetrics::lineHeightMm(const QFont &font) const { return recent(font).metrics.height() * m_mmPerUnit; }

double TextMetrics::ascentMm(const QFont &font) const { return recent(font).metrics.ascent() * m_mmPerUnit; }

double TextMetrics::capHeightMm(const QFont &font) const { return recent(font).metrics.capHeight() * m_mmPerUnit; }

QStringList TextMetrics::wrap(const QFont &font, const QString &text, double widthMm) const {
    QStringList lines;
    const QFontMetricsF fm = metrics(font);
    const double limit = widthMm / m_mmPerUnit + 1e-6;
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &paragraph : normalized.split(QLatin1Char('\n'))) {
        if (fm.horizontalAdvance(paragraph) <= limit) {
            lines << paragraph;
            continue;
        }
        QString line;
        for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (fm.horizontalAdvance(candidate) <= limit) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty())
                lines << line;
            line = word;
            // A word wider than the whole line is cut where it must be, so
            // that no character is lost past the frame.
            while (fm.horizontalAdvance(line) > limit && line.size() > 1) {
                int fit = 1;
                while (fit < line.size() && fm.horizontalAdvance(line.left(fit + 1)) <= limit)
                    ++fit;
                lines << line.left(fit);
                line = line.mid(fit);
            }
        }
        lines << line;
    }
    return lines;
}

}  // namespace kalvero
