#include "RecordSetModel.h"

#include "data/records/RecordSet.h"


namespace kalvero {

RecordSetModel::RecordSetModel(RecordSet *set, QObject *parent) : QAbstractTableModel(parent), m_set(set) {
    rebuildColumns();
    connect(m_set, &RecordSet::rowsAboutToReset, this, [this] { beginResetModel(); });
    connect(m_set, &RecordSet::rowsReset, this, [this] {
        rebuildColumns();
        endResetModel();
    });
    connect(m_set, &RecordSet::rowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(m_set, &RecordSet::rowInserted, this, [this] { endInsertRows(); });
    connect(m_set, &RecordSet::rowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(m_set, &RecordSet::rowRemoved, this, [this] { endRemoveRows(); });
    connect(m_set, &RecordSet::rowChanged, this, [this](int row) {
        if (row >= 0 && !m_columns.isEmpty())
            emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
    });
}

void RecordSetModel::setFieldNames(const QStringList &names) {
    beginResetModel();
    m_names = names;
    rebuildColumns();
    endResetModel();
}

void RecordSetModel::rebuildColumns() {
    m_columns.clear();
    if (m_names.isEmpty()) {
        for (int i = 0; i < m_set->fieldCount(); ++i)
            if (m_set->fieldDef(i).visible)
                m_columns << i;
    } else {
        for (const QString &name : m_names) {
            const int i = m_set->fieldIndex(name);
            if (i >= 0)
                m_columns << i;
        }
    }
    watchLookups();
}

void RecordSetModel::watchLookups() {
    // A lookup shows what its list holds now; when the list reloads, so do the cells.
    for (const auto &c : m_lookupConnections)
        disconnect(c);
    m_lookupConnections.clear();
    for (int i : m_columns) {
        const FieldDef &f = m_set->fieldDef(i);
        if (!f.isLookup || !f.lookup.dataSet)
            continue;
        m_lookupConnections << connect(f.lookup.dataSet, &RecordSet::rowsReset, this, [this] {
            if (rowCount() > 0 && columnCount() > 0)
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    }
}

int RecordSetModel::fieldIndexOfColumn(int column) const {
    return column >= 0 && column < m_columns.size() ? m_columns.at(column) : -1;
}

int RecordSetModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !m_set->isActive() ? 0 : m_set->recordCount();
}

int RecordSetModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant RecordSetModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const int field = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return m_set->displayTextAt(index.row(), field);
    case Qt::TextAlignmentRole: {
        const FieldType t = m_set->fieldDef(field).type;
        const bool number = !m_set->fieldDef(field).isLookup &&
                            (t == FieldType::Integer || t == FieldType::LargeInt || t == FieldType::Float);
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case RecordNumberRole:
        return index.row() + 1;
    default:
        return QVariant();
    }
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const FieldDef &f = m_set->fieldDef(m_columns.at(section));
    const int chars = f.displayWidth > 0 ? f.displayWidth : std::clamp(f.size, 4, 40);
    switch (role) {
    case Qt::DisplayRole:
        return f.displayLabel();
    case FieldNameRole:
        return f.name;
    case DisplayWidthRole:
        return chars;
    default:
        return QVariant();
    }
}

}  // namespace kalvero
