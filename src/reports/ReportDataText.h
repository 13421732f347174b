#pragma once

#include "ReportControl.h"

namespace kalvero {

class RecordSet;

// The current record's value of a field, in the field's display format.
// The record set is the layout's own unless another open one is named.
// A box that grows shows the whole text, wrapped at blanks, and pushes what
// lies under it down; one that does not shows what fits in its frame.
class ReportDataText : public ReportControl {
public:
    ReportDataText(const QString &fieldName, double left, double top, double width, double height,
                   RecordSet *dataSet = nullptr);

    const QString &fieldName() const { return m_fieldName; }
    RecordSet *dataSet() const { return m_dataSet; }

    void setGrowsDownwards(bool on) { m_grows = on; }
    bool growsDownwards() const override { return m_grows; }
    // Wraps at blanks within the frame even when the box does not grow.
    void setWordWrap(bool on) { m_wordWrap = on; }

    double layOut(const ReportContext &context, QPointF origin, std::vector<PageItem> &items) override;

    // The text the control prints for the current record.
    QString currentText(RecordSet *layoutDataSet);

private:
    QString m_fieldName;
    RecordSet *m_dataSet;
    bool m_grows = false;
    bool m_wordWrap = false;
    // The field's index, looked up once per record set.
    const RecordSet *m_indexedSet = nullptr;
    int m_fieldIndex = -1;
};

}  // namespace kalvero
