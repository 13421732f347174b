#include "RecordSet.h"

#include "ChangeWriter.h"
#include "FieldCoercion.h"
#include "FieldFormat.h"
#include "ResultFields.h"
#include "WriteTransaction.h"
#include "../firebird/Connection.h"
#include "../firebird/FirebirdClient.h"
#include "../schema/TableDefinition.h"

#include <QElapsedTimer>

#include <algorithm>
#include <optional>

namespace kalvero {

namespace {

bool differs(const QVariant &a, const QVariant &b) { return a.isNull() != b.isNull() || a != b; }

}  // namespace

// ---------------------------------------------------------------- RecordSet

RecordSet::RecordSet(const QString &name, QObject *parent) : QObject(parent), m_name(name) {
    setObjectName(name);
}

RecordSet::~RecordSet() = default;

void RecordSet::setCommandText(const QString &sql, const QVariantList &params) {
    if (isActive())
        throw DatabaseError(QStringLiteral("%1: a instrução só pode ser trocada com o conjunto fechado.").arg(m_name));
    m_sql = sql;
    m_params = params;
}

void RecordSet::declareTable(const TableDefinition &table) {
    m_declared.clear();
    for (const ColumnDefinition &c : table.columns)
        m_declared << FieldDef::fromColumn(table.name, c);
    m_updateTable = table.name;
    m_keyFields = table.primaryKey;
}

void RecordSet::addLookupField(const FieldDef &field) { m_lookups << field; }

int RecordSet::fieldIndex(const QString &name) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldDef *RecordSet::fieldNamed(const QString &name) const {
    for (const QVector<FieldDef> *list : {&m_fields, &m_declared})
        for (const FieldDef &f : *list)
            if (f.name.compare(name, Qt::CaseInsensitive) == 0)
                return &f;
    return nullptr;
}

Field RecordSet::field(const QString &name) {
    requireActive();
    const int i = fieldIndex(name);
    if (i < 0)
        throw DatabaseError(QStringLiteral("%1: campo '%2' não encontrado.").arg(m_name, name));
    return Field(this, i);
}

void RecordSet::requireActive() const {
    if (!isActive())
        throw DatabaseError(QStringLiteral("%1: o conjunto de registros está fechado.").arg(m_name));
}

void RecordSet::requireEditing() const {
    if (!isEditing())
        throw DatabaseError(QStringLiteral("%1: o registro não está em inclusão ou alteração.").arg(m_name));
}

void RecordSet::setState(State state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void RecordSet::checkBrowseMode() {
    if (isEditing()) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void RecordSet::open() {
    if (isActive())
        return;
    if (!m_connection)
        throw DatabaseError(QStringLiteral("%1: sem conexão.").arg(m_name));
    QVector<FieldDef> fields;
    PackedRowFormat format;
    std::vector<QByteArray> rows;
    // Reading twice does no harm: a connection lost on the way is opened again.
    m_connection->readAgainIfLost([&] {
        std::shared_ptr<fb::Statement> statement = m_connection->prepare(m_sql);
        const QVector<fb::ColumnInfo> &columns = statement->columns();
        fields = resultFields(m_name, columns, m_declared, m_connection->catalogue());
        QVector<FieldType> types;
        for (const FieldDef &f : fields)
            types << f.type;
        format = PackedRowFormat(types);
        rows.clear();
        m_connection->guardAttachment([&] {
            fb::Transaction transaction(m_connection->attachment(), fb::Transaction::Mode::ReadOnly);
            fb::Statement::Cursor cursor(*statement, transaction, m_params);
            while ((m_fetchLimit == 0 || int(rows.size()) < m_fetchLimit) && cursor.fetch())
                rows.push_back(format.fromMessage(columns, cursor.row()));
            cursor.close();
            transaction.commit();
        });
    });

    m_fields = fields + m_lookups;
    m_format = format;
    emit rowsAboutToReset();
    m_rows.reset(std::move(rows));
    m_buffer.clear();
    m_modified = false;
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    invalidateIndexes();
    m_state = State::Browse;
    emit rowsReset();
    emit stateChanged();
    emit currentChanged(m_current);
}

void RecordSet::openWith(const QString &sql, const QVariantList &params) {
    close();
    setCommandText(sql, params);
    open();
}

void RecordSet::close() {
    if (!isActive())
        return;
    emit rowsAboutToReset();
    m_rows.clear();
    m_saveInDoubt = false;
    m_buffer.clear();
    m_changedAtBoth.clear();
    m_current = -1;
    m_bof = m_eof = true;
    invalidateIndexes();
    m_state = State::Inactive;
    emit rowsReset();
    emit stateChanged();
}

void RecordSet::refresh() {
    requireActive();
    checkBrowseMode();
    if (changeCount() > 0)
        throw DatabaseError(QStringLiteral("%1: há alterações pendentes; grave-as antes de atualizar.").arg(m_name));
    const int keep = m_current;
    close();
    open();
    if (keep >= 0 && !m_rows.empty())
        moveTo(std::min(keep, m_rows.size() - 1));
}

quint64 RecordSet::execSql() {
    if (!m_connection)
        throw DatabaseError(QStringLiteral("%1: sem conexão.").arg(m_name));
    return m_connection->execute(m_sql, m_params);
}

quint64 RecordSet::execSql(WriteTransaction &transaction) {
    if (m_connection != &transaction.connection())
        throw DatabaseError(QStringLiteral("%1: a transação é de outra conexão.").arg(m_name));
    return transaction.execute(m_sql, m_params);
}

// ---------------------------------------------------------------- cursor

void RecordSet::moveTo(int row) {
    if (row == m_current)
        return;
    m_changedAtBoth.clear();
    m_current = row;
    emit currentChanged(m_current);
}

void RecordSet::first() {
    requireActive();
    checkBrowseMode();
    moveTo(m_rows.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void RecordSet::next() {
    requireActive();
    checkBrowseMode();
    if (m_current + 1 < m_rows.size()) {
        moveTo(m_current + 1);
        m_eof = false;
    } else {
        m_eof = true;
    }
    m_bof = false;
}

void RecordSet::prior() {
    requireActive();
    checkBrowseMode();
    if (m_current > 0) {
        moveTo(m_current - 1);
        m_bof = false;
    } else {
        m_bof = true;
    }
    m_eof = false;
}

void RecordSet::last() {
    requireActive();
    checkBrowseMode();
    moveTo(m_rows.size() - 1);
    m_eof = true;
    m_bof = m_rows.empty();
}

void RecordSet::setRecNo(int recNo) {
    requireActive();
    checkBrowseMode();
    if (recNo < 1 || recNo > m_rows.size())
        return;
    moveTo(recNo - 1);
    m_bof = m_eof = false;
}

bool RecordSet::locate(const QString &fieldNames, const QVariantList &values) {
    requireActive();
    checkBrowseMode();
    const QStringList names = fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.size() != values.size())
        throw DatabaseError(QStringLiteral("%1: Locate com %2 campo(s) e %3 valor(es).")
                                .arg(m_name)
                                .arg(names.size())
                                .arg(values.size()));
    QVector<int> indexes;
    QVariantList wanted;
    for (int i = 0; i < names.size(); ++i) {
        const int index = fieldIndex(names.at(i).trimmed());
        if (index < 0)
            throw DatabaseError(QStringLiteral("%1: campo '%2' não encontrado.").arg(m_name, names.at(i).trimmed()));
        indexes << index;
        try {
            wanted << coerceFieldValue(m_fields.at(index), values.at(i));
        } catch (const DatabaseError &) {
            return false;  // a value the field cannot hold matches no row
        }
    }
    for (int row = 0; row < m_rows.size(); ++row) {
        bool match = true;
        for (int k = 0; k < indexes.size() && match; ++k) {
            const QVariant have = valueAt(row, indexes.at(k));
            const QVariant &want = wanted.at(k);
            if (have.isNull() || want.isNull())
                match = have.isNull() && want.isNull();
            else if (m_fields.at(indexes.at(k)).type == FieldType::Text || m_fields.at(indexes.at(k)).isLookup)
                match = have.toString() == want.toString();
            else
                match = have == want || (have.canConvert<qint64>() && have.toLongLong() == want.toLongLong() &&
                                         have.toString() == want.toString());
        }
        if (match) {
            moveTo(row);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- values

QVariant RecordSet::valueAt(int row, int index) const {
    if (row < 0 || row >= m_rows.size() || index < 0 || index >= m_fields.size())
        return QVariant();
    const FieldDef &f = m_fields.at(index);
    if (f.isLookup)
        return lookupValue(f, row);
    if (row == m_current && isEditing())
        return m_buffer.at(index);
    return m_format.value(m_rows.values(row), index);
}

QVariant RecordSet::valueAsRead(const QString &name) const {
    const int index = fieldIndex(name);
    if (m_current < 0 || index < 0 || index >= m_format.count())
        return QVariant();
    return m_format.value(m_rows.values(m_current), index);
}

QString RecordSet::displayTextAt(int row, int index) const {
    return FieldFormat::displayText(m_fields.at(index), valueAt(row, index));
}

QVariant RecordSet::fieldValue(int index) const {
    requireActive();
    return valueAt(m_current, index);
}

QVariant RecordSet::lookupValue(const FieldDef &f, int row) const {
    const LookupDef &l = f.lookup;
    if (!l.dataSet || !l.dataSet->isActive())
        return QVariant();
    const QVariant key = valueAt(row, fieldIndex(l.keyField));
    if (key.isNull())
        return QVariant();
    const int keyIndex = l.dataSet->fieldIndex(l.lookupKeyField);
    const int resultIndex = l.dataSet->fieldIndex(l.resultField);
    const int found = l.dataSet->findRow(keyIndex, key);
    return found < 0 ? QVariant() : l.dataSet->valueAt(found, resultIndex);
}

int RecordSet::findRow(int index, const QVariant &value) const {
    if (index < 0 || index >= m_format.count() || value.isNull())
        return -1;
    auto &entry = m_indexes[index];
    if (entry.first != m_generation) {
        entry.first = m_generation;
        entry.second.clear();
        entry.second.reserve(m_rows.size());
        for (int r = 0; r < m_rows.size(); ++r) {
            const QVariant v = m_format.value(m_rows.values(r), index);
            if (!v.isNull() && !entry.second.contains(v.toString()))
                entry.second.insert(v.toString(), r);
        }
    }
    return entry.second.value(value.toString(), -1);
}

void RecordSet::setFieldValue(int index, const QVariant &value) {
    requireEditing();
    const FieldDef &f = m_fields.at(index);
    if (f.isLookup || index >= m_format.count())
        throw DatabaseError(QStringLiteral("%1: o campo '%2' não pode ser alterado.").arg(m_name, f.name));
    m_buffer[index] = coerceFieldValue(f, value);
    m_modified = true;
    emit rowChanged(m_current);
}

// ---------------------------------------------------------------- changes

void RecordSet::insert() {
    requireActive();
    checkBrowseMode();
    insertRowAt(m_current < 0 ? 0 : m_current);
}

void RecordSet::append() {
    requireActive();
    checkBrowseMode();
    insertRowAt(m_rows.size());
}

void RecordSet::insertRowAt(int at) {
    m_changedAtBoth.clear();
    QVariantList empty;
    for (int i = 0; i < m_format.count(); ++i)
        empty << QVariant();
    emit rowAboutToBeInserted(at);
    m_rows.addBlank(at, m_format.fromValues(empty));
    m_buffer = empty;
    m_modified = false;
    m_current = at;
    m_bof = m_eof = false;
    invalidateIndexes();
    m_state = State::Insert;
    emit rowInserted(at);
    emit stateChanged();
    emit currentChanged(m_current);
}

void RecordSet::edit() {
    requireActive();
    if (isEditing())
        return;
    if (m_rows.empty()) {
        insert();
        return;
    }
    m_buffer = m_format.values(m_rows.values(m_current));
    m_modified = false;
    setState(State::Edit);
}

void RecordSet::post() {
    requireEditing();
    for (int i = 0; i < m_format.count(); ++i) {
        const FieldDef &f = m_fields.at(i);
        if (f.required && m_buffer.at(i).isNull())
            throw DatabaseError(QStringLiteral("O campo '%1' deve ser preenchido.").arg(f.displayLabel()));
    }
    if (m_state == State::Insert)
        m_rows.postNew(m_current, m_format.fromValues(m_buffer));
    else if (m_modified)
        m_rows.postChanged(m_current, m_format.fromValues(m_buffer));
    m_buffer.clear();
    m_modified = false;
    invalidateIndexes();
    setState(State::Browse);
    emit rowChanged(m_current);
}

void RecordSet::cancel() {
    m_changedAtBoth.clear();
    if (m_state == State::Insert) {
        const int at = m_current;
        emit rowAboutToBeRemoved(at);
        m_rows.dropBlank(at);
        m_current = std::min(at, m_rows.size() - 1);
        m_buffer.clear();
        m_modified = false;
        m_eof = m_rows.empty();
        invalidateIndexes();
        setState(State::Browse);
        emit rowRemoved(at);
        emit currentChanged(m_current);
    } else if (m_state == State::Edit) {
        m_buffer.clear();
        m_modified = false;
        setState(State::Browse);
        emit rowChanged(m_current);
    }
}

void RecordSet::deleteRecord() {
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_rows.empty())
        throw DatabaseError(QStringLiteral("%1: não há registro para excluir.").arg(m_name));
    const int at = m_current;
    emit rowAboutToBeRemoved(at);
    m_rows.remove(at);
    m_current = std::min(at, m_rows.size() - 1);
    m_eof = m_rows.empty();
    invalidateIndexes();
    emit rowRemoved(at);
    emit currentChanged(m_current);
}

void RecordSet::prepareApply() {
    requireActive();
    checkBrowseMode();
    if (!m_connection)
        throw DatabaseError(QStringLiteral("%1: sem conexão.").arg(m_name));
}

void RecordSet::applyUpdates() {
    prepareApply();
    if (changeCount() == 0)
        return;
    const ChangeWriter writer(m_name, m_updateTable, m_fields, m_format);
    m_connection->reviveIfLost();
    // A save that lost its connection during its commit is never repeated
    // blindly: what it wrote is looked for first.
    if (m_saveInDoubt) {
        settleWritten(writer);
        if (changeCount() == 0)
            return;
    }
    bool committing = false;
    try {
        writeChanges(writer, committing);
        return;
    } catch (const DatabaseError &e) {
        if (!e.isConnectionLost())
            throw;
        // Before the commit nothing was written; during it, perhaps.
        m_saveInDoubt = committing;
        try {
            m_connection->open();
        } catch (const DatabaseError &) {
            m_connection->dropAttachment();
            throw e.withSave(committing ? DatabaseError::Save::InDoubt : DatabaseError::Save::NotWritten);
        }
    }
    // Attached again: whatever reached the database is taken as written, the
    // rest is written once more.
    settleWritten(writer);
    if (changeCount() == 0)
        return;
    try {
        writeChanges(writer, committing);
    } catch (const DatabaseError &e) {
        if (!e.isConnectionLost())
            throw;
        m_saveInDoubt = committing;
        throw e.withSave(committing ? DatabaseError::Save::InDoubt : DatabaseError::Save::NotWritten);
    }
}

void RecordSet::writeChanges(const ChangeWriter &writer, bool &committing) {
    QSet<quint32> refused;
    std::optional<DatabaseError> firstError;
    // A lost connection ends the apply with every change still pending; the
    // caller finds out what of it was written.
    committing = false;
    // A write may wait on a row another workstation holds: the wait runs
    // where the connection's ServerWait puts it, and the rows stay untouched
    // until it is over.
    m_connection->runWaiting([&] {
        m_connection->guardAttachment([&] {
            fb::Transaction transaction(m_connection->attachment(), fb::Transaction::Mode::ReadWrite,
                                        m_connection->lockWaitSeconds());
            for (const CachedRows::Change &change : m_rows.changes()) {
                QElapsedTimer waited;
                waited.start();
                try {
                    writer.write(*m_connection, transaction, change);
                } catch (const DatabaseError &e) {
                    if (e.isConnectionLost())
                        throw;
                    if (!firstError)
                        firstError = m_connection->afterWaiting(e, waited.elapsed());
                    refused.insert(change.id);
                }
            }
            committing = true;
            transaction.commit();
        });
    });
    m_saveInDoubt = false;
    settleRows(refused);
    if (firstError)
        throw *firstError;
}

void RecordSet::settleWritten(const ChangeWriter &writer) {
    QSet<quint32> written;
    m_connection->guardAttachment([&] {
        fb::Transaction transaction(m_connection->attachment(), fb::Transaction::Mode::ReadOnly);
        for (const CachedRows::Change &change : m_rows.changes())
            if (writer.isWritten(*m_connection, transaction, change))
                written.insert(change.id);
        transaction.commit();
    });
    m_saveInDoubt = false;
    if (written.isEmpty())
        return;
    emit rowsAboutToReset();
    m_rows.accept(written);
    invalidateIndexes();
    emit rowsReset();
    emit currentChanged(m_current);
}

bool RecordSet::takeCurrentVersion() {
    requireActive();
    if (m_state != State::Edit)
        throw DatabaseError(QStringLiteral("%1: o registro não está em alteração.").arg(m_name));
    if (m_rows.hasPendingChange(m_current))
        throw DatabaseError(QStringLiteral("%1: o registro tem alterações pendentes.").arg(m_name));
    if (m_keyFields.isEmpty())
        throw DatabaseError(QStringLiteral("%1: a tabela não tem chave para reler o registro.").arg(m_name));
    if (!m_connection)
        throw DatabaseError(QStringLiteral("%1: sem conexão.").arg(m_name));
    const ChangeWriter writer(m_name, m_updateTable, m_fields, m_format);
    const QByteArray asRead = m_rows.values(m_current);
    QByteArray now;
    m_connection->readAgainIfLost([&] {
        m_connection->guardAttachment([&] {
            fb::Transaction transaction(m_connection->attachment(), fb::Transaction::Mode::ReadOnly);
            now = writer.reread(*m_connection, transaction, m_keyFields, asRead);
            transaction.commit();
        });
    });
    if (now.isEmpty())
        return false;
    // What this operator changed goes back over the row as it is now; the
    // other fields show what the other workstation wrote.
    const QVariantList before = m_format.values(asRead);
    QVariantList values = m_format.values(now);
    bool typed = false;
    for (int i = 0; i < m_format.count(); ++i) {
        const QVariant &mine = m_buffer.at(i);
        if (differs(mine, before.at(i))) {
            // Changed at both places, to different values: the operator
            // must see the other value before replacing it.
            if (differs(values.at(i), before.at(i)) && differs(mine, values.at(i)))
                m_changedAtBoth.insert(i);
            values[i] = mine;
            typed = true;
        }
    }
    m_rows.replaceRead(m_current, now);
    m_buffer = values;
    m_modified = typed;
    invalidateIndexes();
    emit rowChanged(m_current);
    return true;
}

QHash<QString, QVariant> RecordSet::changedAtBothPlaces() const {
    QHash<QString, QVariant> changed;
    if (m_current < 0 || m_current >= m_rows.size())
        return changed;
    const QByteArray stored = m_rows.values(m_current);
    for (const int i : m_changedAtBoth) {
        const QVariant other = m_format.value(stored, i);
        if (differs(valueAt(m_current, i), other))
            changed.insert(m_fields.at(i).name, other);
    }
    return changed;
}

void RecordSet::applyUpdates(WriteTransaction &transaction) {
    prepareApply();
    if (m_connection != &transaction.connection())
        throw DatabaseError(QStringLiteral("%1: a transação é de outra conexão.").arg(m_name));
    if (changeCount() == 0)
        return;
    const ChangeWriter writer(m_name, m_updateTable, m_fields, m_format);
    transaction.run([&](fb::Transaction &t) {
        for (const CachedRows::Change &change : m_rows.changes())
            writer.write(*m_connection, t, change);
    });
    transaction.enlist(*this, revision());
}

void RecordSet::takeWrittenChanges() {
    prepareApply();
    if (changeCount() == 0)
        return;
    m_connection->reviveIfLost();
    settleWritten(ChangeWriter(m_name, m_updateTable, m_fields, m_format));
}

void RecordSet::settleRows(const QSet<quint32> &refused) {
    // Written: what the other workstation had stored is replaced, as asked.
    if (refused.isEmpty())
        m_changedAtBoth.clear();
    emit rowsAboutToReset();
    m_rows.settle(refused);
    if (m_current >= m_rows.size())
        m_current = m_rows.size() - 1;
    if (m_current < 0 && !m_rows.empty())
        m_current = 0;
    m_eof = m_rows.empty();
    invalidateIndexes();
    emit rowsReset();
    emit currentChanged(m_current);
}

void RecordSet::cancelUpdates() {
    requireActive();
    cancel();
    m_saveInDoubt = false;
    if (changeCount() == 0)
        return;
    emit rowsAboutToReset();
    m_rows.revert();
    m_current = std::min(std::max(m_current, 0), m_rows.size() - 1);
    m_bof = false;
    m_eof = m_rows.empty();
    invalidateIndexes();
    emit rowsReset();
    emit currentChanged(m_current);
}

}  // namespace kalvero
