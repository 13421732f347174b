#pragma once

#include <QTableView>

namespace kalvero {

class RecordSet;
class RecordSetModel;

// The read-only list of a record set: one row per record, the grid's current
// row and the record set's current record kept as one, bold titles, column
// widths from the fields. Rows are never sized to their contents, so a list
// of any length opens as fast as its records load.
class RecordGrid : public QTableView {
    Q_OBJECT
public:
    enum class Colours { Plain, Zebra };

    RecordGrid(RecordSet *set, Colours colours, QWidget *parent = nullptr);

    void setFieldNames(const QStringList &names);

private:
    void applyColumnWidths();
    void followRecordSet();

    RecordSet *m_set;
    RecordSetModel *m_model;
    bool m_syncing = false;
};

}  // namespace kalvero
