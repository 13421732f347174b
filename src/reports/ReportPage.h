#pragma once

#include "PageItems.h"

#include <QStringList>

#include <vector>

namespace kalvero {

// One laid-out page.
struct ReportPage {
    int number = 0;  // 1-based
    std::vector<PageItem> items;

    // The texts of the page in the order they were laid out.
    QStringList texts() const;
    // The first text item whose text is exactly this; nullptr if none.
    const TextItem *findText(const QString &text) const;
};

}  // namespace kalvero
