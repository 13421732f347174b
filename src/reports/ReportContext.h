#pragma once

#include <QDate>

namespace kalvero {

class RecordSet;
class TextMetrics;

// What the controls of a band see while they are laid out.
struct ReportContext {
    const TextMetrics &metrics;
    RecordSet *dataSet = nullptr;  // the layout's own
    int pageNumber = 1;
    QDate today;
};

}  // namespace kalvero
