#pragma once

#include <QTableView>

namespace kalvero {

class RecordSet;
class RecordSetModel;

// The read-only list of a record set: one row per record, the grid's current
// row and the record set's current record kept as one, bold titles, column
// widths from the fields, narrowed to the list's width where they would not
// fit. Rows are never sized to their contents, so a list of any length opens
// as fast as its records load.
class RecordGrid : public QTableView {
    Q_OBJECT
public:
    enum class Colours { Plain, Zebra };

    RecordGrid(RecordSet *set, Colours colours, QWidget *parent = nullptr);

    void setFieldNames(const QStringList &names);
    // A zebra list paints the rows whose field holds this value in red.
    void markRowsWhere(const QString &field, const QString &value);

signals:
    // A double click anywhere on the list, on a row or on the empty space
    // below the rows (an empty list has nothing else).
    void listDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void applyColumnWidths();
    void fitColumns();
    void followRecordSet();

    RecordSet *m_set;
    RecordSetModel *m_model;
    QVector<int> m_widths;     // each column's width from its field
    QVector<int> m_narrowest;  // each column's bold title
    bool m_syncing = false;
};

}  // namespace kalvero
