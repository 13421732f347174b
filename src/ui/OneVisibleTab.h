#pragma once

#include <QTabWidget>

namespace kalvero {

// Windows whose tabs take turns: the one shown is visible, enabled and
// active, the other hidden and disabled.
inline void showOnlyTab(QTabWidget *pages, QWidget *shown, QWidget *hidden) {
    pages->setTabVisible(pages->indexOf(shown), true);
    pages->setTabEnabled(pages->indexOf(shown), true);
    pages->setCurrentWidget(shown);
    pages->setTabEnabled(pages->indexOf(hidden), false);
    pages->setTabVisible(pages->indexOf(hidden), false);
}

}  // namespace kalvero
