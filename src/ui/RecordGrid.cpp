#include "RecordGrid.h"

#include "RecordSetModel.h"
#include "ZebraRowDelegate.h"
#include "data/records/RecordSet.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>

#include <numeric>

namespace kalvero {

RecordGrid::RecordGrid(RecordSet *set, Colours colours, QWidget *parent)
    : QTableView(parent), m_set(set), m_model(new RecordSetModel(set, this)) {
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectItems);
    setSelectionMode(SingleSelection);
    setAlternatingRowColors(false);
    setWordWrap(false);
    if (colours == Colours::Zebra)
        setItemDelegate(new ZebraRowDelegate(this));

    QFont titles = horizontalHeader()->font();
    titles.setBold(true);
    horizontalHeader()->setFont(titles);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->hide();

    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnWidths();
        followRecordSet();
    });
    connect(m_set, &RecordSet::currentChanged, this, &RecordGrid::followRecordSet);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &now) {
        if (m_syncing || !now.isValid() || m_set->state() != RecordSet::State::Browse)
            return;
        if (now.row() != m_set->currentRow())
            m_set->setRecNo(now.row() + 1);
    });
    applyColumnWidths();
}

void RecordGrid::setFieldNames(const QStringList &names) {
    m_model->setFieldNames(names);
    applyColumnWidths();
}

void RecordGrid::markRowsWhere(const QString &field, const QString &value) {
    auto *zebra = qobject_cast<ZebraRowDelegate *>(itemDelegate());
    if (!zebra)
        return;
    zebra->setMarkedRows([this, field, value](int row) {
        const int index = m_set->fieldIndex(field);
        return index >= 0 && m_set->valueAt(row, index).toString() == value;
    });
    viewport()->update();
}

void RecordGrid::applyColumnWidths() {
    // A field's width is counted in characters the width of a digit, and a
    // column is never narrower than its bold title.
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const QFontMetrics titles(horizontalHeader()->font());
    m_widths.clear();
    m_narrowest.clear();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int chars = m_model->headerData(c, Qt::Horizontal, RecordSetModel::DisplayWidthRole).toInt();
        const int title = titles.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString()) + 12;
        m_narrowest << title;
        m_widths << std::max(chars * charWidth + 12, title);
    }
    fitColumns();
}

void RecordGrid::fitColumns() {
    // Wide text columns (names, descriptions) give up what the list lacks,
    // the widest first, so that every column shows without scrolling sideways
    // for as long as the titles fit.
    QVector<int> widths = m_widths;
    int excess = std::accumulate(widths.cbegin(), widths.cend(), 0) - viewport()->width();
    while (excess > 0) {
        int widest = -1;
        for (int c = 0; c < widths.size(); ++c)
            if (widths.at(c) > m_narrowest.at(c) && (widest < 0 || widths.at(c) > widths.at(widest)))
                widest = c;
        if (widest < 0)
            break;
        const int give = std::min(excess, widths.at(widest) - m_narrowest.at(widest));
        widths[widest] -= give;
        excess -= give;
    }
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths.at(c));
}

void RecordGrid::mouseDoubleClickEvent(QMouseEvent *event) {
    QTableView::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

bool RecordGrid::viewportEvent(QEvent *event) {
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        fitColumns();
    return handled;
}

void RecordGrid::followRecordSet() {
    const int row = m_set->isActive() ? m_set->currentRow() : -1;
    m_syncing = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
    } else {
        const int column = std::max(0, currentIndex().column());
        const QModelIndex index = m_model->index(row, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
    m_syncing = false;
}

}  // namespace kalvero
