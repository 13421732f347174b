#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace kalvero {

class RecordSet;

// A grid's view of a record set: one column per visible field (or the fields
// a screen names), headers from the field labels, cells in their display
// format. Each row also answers its record number, by which screens paint.
class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        RecordNumberRole = Qt::UserRole + 1,  // 1-based position of the row
        FieldNameRole,                        // header: the field's name
        DisplayWidthRole,                     // header: grid width in characters
    };

    explicit RecordSetModel(RecordSet *set, QObject *parent = nullptr);

    // Shows these fields in this order; empty: every visible field.
    void setFieldNames(const QStringList &names);
    RecordSet *recordSet() const { return m_set; }
    int fieldIndexOfColumn(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void rebuildColumns();
    void watchLookups();

    RecordSet *m_set;
    QStringList m_names;
    QVector<int> m_columns;  // field index per column
    QList<QMetaObject::Connection> m_lookupConnections;
};

}  // namespace kalvero
