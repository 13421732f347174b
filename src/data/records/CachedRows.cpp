#include "CachedRows.h"

#include <algorithm>

namespace kalvero {

void CachedRows::reset(std::vector<QByteArray> rows) {
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (QByteArray &values : rows)
        m_rows.push_back(Row{std::move(values), {}, 0, Status::Unchanged});
    m_removed.clear();
}

void CachedRows::clear() {
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_removed.clear();
}

void CachedRows::addBlank(int at, QByteArray values) {
    m_rows.insert(m_rows.begin() + at, Row{std::move(values), {}, 0, Status::Inserted});
}

void CachedRows::dropBlank(int at) { m_rows.erase(m_rows.begin() + at); }

bool CachedRows::isBlank(int at) const {
    const Row &row = m_rows[size_t(at)];
    return row.status == Status::Inserted && row.changeSeq == 0;
}

void CachedRows::postNew(int at, QByteArray values) {
    Row &row = m_rows[size_t(at)];
    row.values = std::move(values);
    row.changeSeq = ++m_changeSeq;
}

void CachedRows::postChanged(int at, QByteArray values) {
    Row &row = m_rows[size_t(at)];
    if (row.status == Status::Unchanged) {
        row.original = row.values;
        row.status = Status::Modified;
        row.changeSeq = ++m_changeSeq;
    }
    row.values = std::move(values);
}

void CachedRows::remove(int at) {
    Row &row = m_rows[size_t(at)];
    if (row.status != Status::Inserted)
        m_removed.push_back({row.status == Status::Modified ? row.original : row.values, ++m_changeSeq, at});
    m_rows.erase(m_rows.begin() + at);
}

int CachedRows::changeCount() const {
    int n = int(m_removed.size());
    for (const Row &r : m_rows)
        if (r.status != Status::Unchanged && r.changeSeq != 0)
            ++n;
    return n;
}

std::vector<CachedRows::Change> CachedRows::changes() const {
    std::vector<Change> changes;
    for (const Row &r : m_rows) {
        if (r.status == Status::Inserted && r.changeSeq != 0)
            changes.push_back({Kind::Insert, &r.values, nullptr, r.changeSeq});
        else if (r.status == Status::Modified)
            changes.push_back({Kind::Update, &r.values, &r.original, r.changeSeq});
    }
    for (const RemovedRow &d : m_removed)
        changes.push_back({Kind::Delete, nullptr, &d.original, d.changeSeq});
    std::sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) { return a.id < b.id; });
    return changes;
}

void CachedRows::markRead(Row &row) {
    row.original = QByteArray();
    row.status = Status::Unchanged;
    row.changeSeq = 0;
}

void CachedRows::putBack(std::vector<Row> &rows, const RemovedRow &removed) {
    const size_t at = std::min(size_t(removed.position), rows.size());
    rows.insert(rows.begin() + qsizetype(at), Row{removed.original, {}, 0, Status::Unchanged});
}

void CachedRows::settle(const QSet<quint32> &refused) {
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    for (Row &row : m_rows) {
        const bool wasRefused = row.status != Status::Unchanged && refused.contains(row.changeSeq);
        if (wasRefused && row.status == Status::Inserted)
            continue;
        if (wasRefused)
            row.values = row.original;
        markRead(row);
        rows.push_back(std::move(row));
    }
    for (const RemovedRow &d : m_removed)
        if (refused.contains(d.changeSeq))
            putBack(rows, d);
    m_removed.clear();
    m_rows = std::move(rows);
}

void CachedRows::accept(const QSet<quint32> &written) {
    for (Row &row : m_rows)
        if (row.status != Status::Unchanged && written.contains(row.changeSeq))
            markRead(row);
    std::erase_if(m_removed, [&](const RemovedRow &d) { return written.contains(d.changeSeq); });
}

void CachedRows::replaceRead(int at, QByteArray values) { m_rows[size_t(at)].values = std::move(values); }

void CachedRows::revert() {
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    for (Row &row : m_rows) {
        if (row.status == Status::Inserted)
            continue;
        if (row.status == Status::Modified)
            row.values = row.original;
        markRead(row);
        rows.push_back(std::move(row));
    }
    // The last removal first, each back where it was taken from.
    std::sort(m_removed.begin(), m_removed.end(),
              [](const RemovedRow &a, const RemovedRow &b) { return a.changeSeq > b.changeSeq; });
    for (const RemovedRow &d : m_removed)
        putBack(rows, d);
    m_removed.clear();
    m_rows = std::move(rows);
}

qint64 CachedRows::bytes() const {
    // Heap block of a QByteArray: its header plus the bytes and terminator.
    constexpr qint64 arrayHeader = 16;
    qint64 total = qint64(m_rows.capacity() * sizeof(Row));
    for (const Row &r : m_rows) {
        total += arrayHeader + r.values.capacity() + 1;
        if (!r.original.isNull())
            total += arrayHeader + r.original.capacity() + 1;
    }
    return total;
}

}  // namespace kalvero
