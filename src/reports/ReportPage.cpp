#include "ReportPage.h"

namespace kalvero {

void moveItem(PageItem &item, double dyMm) {
    std::visit(
        [dyMm](auto &i) {
            using T = std::decay_t<decltype(i)>;
            if constexpr (std::is_same_v<T, TextItem>) {
                i.frame.translate(0, dyMm);
                i.baseline.ry() += dyMm;
            } else if constexpr (std::is_same_v<T, LineItem>) {
                i.from.ry() += dyMm;
                i.to.ry() += dyMm;
            } else if constexpr (std::is_same_v<T, ImageItem>) {
                i.target.translate(0, dyMm);
                i.clip.translate(0, dyMm);
            } else {
                i.frame.translate(0, dyMm);
                for (QRectF &bar : i.bars)
                    bar.translate(0, dyMm);
            }
        },
        item);
}

QStringList ReportPage::texts() const {
    QStringList out;
    for (const PageItem &item : items)
        if (const auto *text = std::get_if<TextItem>(&item))
            out << text->text;
    return out;
}

const TextItem *ReportPage::findText(const QString &text) const {
    for (const PageItem &item : items)
        if (const auto *t = std::get_if<TextItem>(&item); t && t->text == text)
            return t;
    return nullptr;
}

}  // namespace kalvero
