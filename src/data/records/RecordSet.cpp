#include "RecordSet.h"

#include "FieldFormat.h"
#include "PackedRowFormat.h"
#include "../DateText.h"
#include "../firebird/Connection.h"
#include "../firebird/FirebirdClient.h"
#include "../schema/AccessSchema.h"
#include "../schema/UnitSchema.h"

#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <climits>
#include <optional>
#include <cstring>

namespace kalvero {

namespace {

FieldType fieldTypeOf(const fb::ColumnInfo &c) {
    switch (c.type) {
    case SQL_VARYING:
    case SQL_TEXT:
        return FieldType::Text;
    case SQL_SHORT:
    case SQL_LONG:
        return c.scale ? FieldType::Float : FieldType::Integer;
    case SQL_INT64:
        return c.scale ? FieldType::Float : FieldType::LargeInt;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return FieldType::Float;
    case SQL_TYPE_DATE:
        return FieldType::Date;
    case SQL_TYPE_TIME:
        return FieldType::Time;
    case SQL_TIMESTAMP:
        return FieldType::DateTime;
    case SQL_BOOLEAN:
        return FieldType::Boolean;
    default:
        throw DatabaseError(QStringLiteral("Tipo de coluna não suportado (%1) em %2").arg(c.type).arg(c.name));
    }
}

const ColumnDefinition *knownColumn(const QString &relation, const QString &field) {
    if (relation.isEmpty() || field.isEmpty())
        return nullptr;
    const TableDefinition *table = UnitSchema::table(relation);
    if (!table)
        table = AccessSchema::table(relation);
    return table ? table->column(field) : nullptr;
}

DatabaseError changedElsewhere() {
    return DatabaseError(QStringLiteral(
        "O registro foi alterado ou excluído em outra estação de trabalho; a alteração não foi gravada."));
}

}  // namespace

// ---------------------------------------------------------------- Field

const FieldDef &Field::def() const { return m_set->m_fields.at(m_index); }

QVariant Field::value() const { return m_set->fieldValue(m_index); }

void Field::setValue(const QVariant &value) { m_set->setFieldValue(m_index, value); }

bool Field::isNull() const { return value().isNull(); }

QString Field::asString() const { return FieldFormat::plainText(def().type, value()); }

void Field::setAsString(const QString &text) { setValue(text); }

qint64 Field::asInteger() const {
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (def().type == FieldType::Text) {
        const QString t = v.toString().trimmed();
        if (t.isEmpty())
            return 0;
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' não é um valor inteiro válido.").arg(t));
        return n;
    }
    return v.toLongLong();
}

void Field::setAsInteger(qint64 value) {
    if (def().type == FieldType::Text)
        setValue(QString::number(value));
    else
        setValue(value);
}

QString Field::displayText() const { return FieldFormat::displayText(def(), value()); }

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
    std::shared_ptr<fb::Statement> statement = m_connection->prepare(m_sql);
    const QVector<fb::ColumnInfo> &columns = statement->columns();

    // The result's columns become the stored fields; a name that repeats is
    // known with the suffix "_1", "_2", ...
    QVector<FieldDef> fields;
    QVector<FieldType> types;
    for (const fb::ColumnInfo &c : columns) {
        QString name = c.name;
        for (int k = 1; std::any_of(fields.cbegin(), fields.cend(), [&](const FieldDef &f) { return f.name == name; });
             ++k)
            name = c.name + QLatin1Char('_') + QString::number(k);
        FieldDef f;
        const auto declared = std::find_if(m_declared.cbegin(), m_declared.cend(),
                                           [&](const FieldDef &d) { return d.name == name; });
        if (declared != m_declared.cend()) {
            f = *declared;
        } else if (const ColumnDefinition *known = knownColumn(c.relation, c.field)) {
            f = FieldDef::fromColumn(c.relation, *known);
        } else {
            f.label = name;
            f.required = false;
        }
        f.name = name;
        f.relation = c.relation;
        f.origin = c.field;
        f.type = fieldTypeOf(c);
        f.size = c.charLength();
        fields << f;
        types << f.type;
    }
    for (const FieldDef &d : m_declared)
        if (!std::any_of(fields.cbegin(), fields.cend(), [&](const FieldDef &f) { return f.name == d.name; }))
            throw DatabaseError(QStringLiteral("%1: campo '%2' não encontrado.").arg(m_name, d.name));

    const PackedRowFormat format(types);
    std::vector<Row> rows;
    m_connection->guardAttachment([&] {
        fb::Transaction transaction(m_connection->attachment(), fb::Transaction::Mode::ReadOnly);
        fb::Statement::Cursor cursor(*statement, transaction, m_params);
        while ((m_fetchLimit == 0 || int(rows.size()) < m_fetchLimit) && cursor.fetch()) {
            Row row;
            row.values = format.fromMessage(columns, cursor.row());
            rows.push_back(std::move(row));
        }
        cursor.close();
        transaction.commit();
    });

    m_fields = fields + m_lookups;
    m_format = format;
    emit rowsAboutToReset();
    m_rows = std::move(rows);
    m_deleted.clear();
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

void RecordSet::close() {
    if (!isActive())
        return;
    emit rowsAboutToReset();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_deleted.clear();
    m_buffer.clear();
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
        moveTo(std::min(keep, int(m_rows.size()) - 1));
}

quint64 RecordSet::execSql() {
    if (!m_connection)
        throw DatabaseError(QStringLiteral("%1: sem conexão.").arg(m_name));
    return m_connection->execute(m_sql, m_params);
}

// ---------------------------------------------------------------- cursor

void RecordSet::moveTo(int row) {
    if (row == m_current)
        return;
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
    if (m_current + 1 < int(m_rows.size())) {
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
    moveTo(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.empty();
}

void RecordSet::setRecNo(int recNo) {
    requireActive();
    checkBrowseMode();
    if (recNo < 1 || recNo > int(m_rows.size()))
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
            wanted << coerce(m_fields.at(index), values.at(i));
        } catch (const DatabaseError &) {
            return false;  // a value the field cannot hold matches no row
        }
    }
    for (int row = 0; row < int(m_rows.size()); ++row) {
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
    if (row < 0 || row >= int(m_rows.size()) || index < 0 || index >= m_fields.size())
        return QVariant();
    const FieldDef &f = m_fields.at(index);
    if (f.isLookup)
        return lookupValue(f, row);
    if (row == m_current && isEditing())
        return m_buffer.at(index);
    return m_format.value(m_rows[size_t(row)].values, index);
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
        entry.second.reserve(qsizetype(m_rows.size()));
        for (int r = 0; r < int(m_rows.size()); ++r) {
            const QVariant v = m_format.value(m_rows[size_t(r)].values, index);
            if (!v.isNull() && !entry.second.contains(v.toString()))
                entry.second.insert(v.toString(), r);
        }
    }
    return entry.second.value(value.toString(), -1);
}

QVariant RecordSet::coerce(const FieldDef &f, const QVariant &value) const {
    if (value.isNull())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString() : QString();
    if (isText && f.type != FieldType::Text && text.trimmed().isEmpty())
        return QVariant();
    switch (f.type) {
    case FieldType::Text: {
        const QString s = value.toString();
        if (s.isEmpty())
            return QVariant();
        if (f.size > 0 && s.size() > f.size)
            throw DatabaseError(QStringLiteral("O texto de '%1' excede %2 caracteres.").arg(f.displayLabel()).arg(f.size));
        return s;
    }
    case FieldType::Integer:
    case FieldType::LargeInt: {
        bool ok = true;
        const qint64 n = isText ? text.trimmed().toLongLong(&ok) : value.toLongLong(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' não é um valor inteiro válido para '%2'.")
                                    .arg(value.toString(), f.displayLabel()));
        if (f.type == FieldType::Integer) {
            if (n < INT_MIN || n > INT_MAX)
                throw DatabaseError(QStringLiteral("'%1' está fora do intervalo de '%2'.").arg(n).arg(f.displayLabel()));
            return int(n);
        }
        return n;
    }
    case FieldType::Float: {
        bool ok = true;
        const double d = isText ? QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok)
                                : value.toDouble(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("'%1' não é um número válido para '%2'.").arg(value.toString(), f.displayLabel()));
        return d;
    }
    case FieldType::Date: {
        const QDate d = isText ? DateText::toDate(text)
                               : (value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate());
        if (!d.isValid())
            throw DatabaseError(QStringLiteral("'%1' não é uma data válida para '%2'.").arg(value.toString(), f.displayLabel()));
        return d;
    }
    case FieldType::Time: {
        QTime t = value.toTime();
        if (isText) {
            t = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm:ss"));
            if (!t.isValid())
                t = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm"));
        }
        if (!t.isValid())
            throw DatabaseError(QStringLiteral("'%1' não é uma hora válida para '%2'.").arg(value.toString(), f.displayLabel()));
        return t;
    }
    case FieldType::DateTime: {
        const QDateTime dt = isText ? QDateTime::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                                    : value.toDateTime();
        if (!dt.isValid())
            throw DatabaseError(QStringLiteral("'%1' não é uma data e hora válida para '%2'.").arg(value.toString(), f.displayLabel()));
        return dt;
    }
    case FieldType::Boolean:
        return value.toBool();
    }
    return value;
}

void RecordSet::setFieldValue(int index, const QVariant &value) {
    requireEditing();
    const FieldDef &f = m_fields.at(index);
    if (f.isLookup || index >= m_format.count())
        throw DatabaseError(QStringLiteral("%1: o campo '%2' não pode ser alterado.").arg(m_name, f.name));
    m_buffer[index] = coerce(f, value);
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
    insertRowAt(int(m_rows.size()));
}

void RecordSet::insertRowAt(int at) {
    QVariantList empty;
    for (int i = 0; i < m_format.count(); ++i)
        empty << QVariant();
    Row row;
    row.values = m_format.fromValues(empty);
    row.status = RowStatus::Inserted;
    emit rowAboutToBeInserted(at);
    m_rows.insert(m_rows.begin() + at, std::move(row));
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
    m_buffer = m_format.values(m_rows[size_t(m_current)].values);
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
    Row &row = m_rows[size_t(m_current)];
    if (m_state == State::Insert) {
        row.values = m_format.fromValues(m_buffer);
        row.changeSeq = ++m_changeSeq;
    } else if (m_modified) {
        QByteArray packed = m_format.fromValues(m_buffer);
        if (row.status == RowStatus::Unchanged) {
            row.original = row.values;
            row.status = RowStatus::Modified;
            row.changeSeq = ++m_changeSeq;
        }
        row.values = std::move(packed);
    }
    m_buffer.clear();
    m_modified = false;
    invalidateIndexes();
    setState(State::Browse);
    emit rowChanged(m_current);
}

void RecordSet::cancel() {
    if (m_state == State::Insert) {
        const int at = m_current;
        emit rowAboutToBeRemoved(at);
        m_rows.erase(m_rows.begin() + at);
        m_current = std::min(at, int(m_rows.size()) - 1);
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
    Row &row = m_rows[size_t(at)];
    if (row.status != RowStatus::Inserted)
        m_deleted.push_back({row.status == RowStatus::Modified ? row.original : row.values, ++m_changeSeq, at});
    emit rowAboutToBeRemoved(at);
    m_rows.erase(m_rows.begin() + at);
    m_current = std::min(at, int(m_rows.size()) - 1);
    m_eof = m_rows.empty();
    invalidateIndexes();
    emit rowRemoved(at);
    emit currentChanged(m_current);
}

int RecordSet::changeCount() const {
    int n = int(m_deleted.size());
    for (const Row &r : m_rows)
        if (r.status != RowStatus::Unchanged)
            ++n;
    if (m_state == State::Insert && m_current >= 0 && m_rows[size_t(m_current)].changeSeq == 0)
        --n;  // the row being entered is not a change until it is posted
    return n;
}

void RecordSet::applyUpdates() {
    requireActive();
    checkBrowseMode();
    if (changeCount() == 0)
        return;

    // The table written to, and the fields that are its columns.
    QString table = m_updateTable;
    if (table.isEmpty()) {
        for (int i = 0; i < m_format.count(); ++i) {
            const QString &rel = m_fields.at(i).relation;
            if (rel.isEmpty())
                continue;
            if (table.isEmpty())
                table = rel;
            else if (table != rel)
                throw DatabaseError(QStringLiteral("%1: o conjunto reúne mais de uma tabela e não pode ser gravado.").arg(m_name));
        }
    }
    QVector<int> columns;
    for (int i = 0; i < m_format.count(); ++i) {
        const FieldDef &f = m_fields.at(i);
        if (!f.origin.isEmpty() && f.relation.compare(table, Qt::CaseInsensitive) == 0)
            columns << i;
    }
    if (table.isEmpty() || columns.isEmpty())
        throw DatabaseError(QStringLiteral("%1: o conjunto não pode ser gravado.").arg(m_name));

    auto whereOriginal = [&](const QByteArray &original, QStringList &terms, QVariantList &params) {
        for (int i : columns) {
            const QVariant v = m_format.value(original, i);
            if (v.isNull()) {
                terms << m_fields.at(i).origin + QStringLiteral(" IS NULL");
            } else {
                terms << m_fields.at(i).origin + QStringLiteral(" = ?");
                params << v;
            }
        }
    };

    struct Change {
        quint32 seq;
        bool deleted;
        size_t index;
    };
    std::vector<Change> changes;
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].status != RowStatus::Unchanged)
            changes.push_back({m_rows[r].changeSeq, false, r});
    for (size_t d = 0; d < m_deleted.size(); ++d)
        changes.push_back({m_deleted[d].changeSeq, true, d});
    std::sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) { return a.seq < b.seq; });

    std::vector<bool> rowRefused(m_rows.size(), false);
    std::vector<bool> deletedRefused(m_deleted.size(), false);
    std::optional<DatabaseError> firstError;

    // A lost connection ends the apply with nothing written and every change
    // still pending, so that the command can be repeated.
    m_connection->guardAttachment([&] {
        fb::Transaction transaction(m_connection->attachment(), fb::Transaction::Mode::ReadWrite);
        for (const Change &c : changes) {
            QString sql;
            QVariantList params;
            bool needsRow = false;
            if (c.deleted) {
                QStringList terms;
                whereOriginal(m_deleted[c.index].original, terms, params);
                sql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, terms.join(QStringLiteral(" AND ")));
                needsRow = true;
            } else {
                const Row &row = m_rows[c.index];
                if (row.status == RowStatus::Inserted) {
                    QStringList names, marks;
                    for (int i : columns) {
                        const QVariant v = m_format.value(row.values, i);
                        if (v.isNull())
                            continue;
                        names << m_fields.at(i).origin;
                        marks << QStringLiteral("?");
                        params << v;
                    }
                    sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
                } else {
                    QStringList sets, terms;
                    for (int i : columns) {
                        const QVariant now = m_format.value(row.values, i);
                        const QVariant before = m_format.value(row.original, i);
                        if (now.isNull() == before.isNull() && now == before)
                            continue;
                        sets << m_fields.at(i).origin + QStringLiteral(" = ?");
                        params << now;
                    }
                    if (sets.isEmpty())
                        continue;
                    whereOriginal(row.original, terms, params);
                    sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                              .arg(table, sets.join(QStringLiteral(", ")), terms.join(QStringLiteral(" AND ")));
                    needsRow = true;
                }
            }
            try {
                const quint64 affected = m_connection->prepare(sql)->execute(transaction, params);
                if (needsRow && affected == 0)
                    throw changedElsewhere();
            } catch (const DatabaseError &e) {
                if (e.isConnectionLost())
                    throw;
                if (!firstError)
                    firstError = e;
                (c.deleted ? deletedRefused : rowRefused)[c.index] = true;
            }
        }
        transaction.commit();
    });

    // Accepted changes are now the rows as read; refused ones are dropped.
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    for (size_t r = 0; r < m_rows.size(); ++r) {
        Row &row = m_rows[r];
        if (row.status == RowStatus::Unchanged || !rowRefused[r]) {
            row.status = RowStatus::Unchanged;
            row.original = QByteArray();
            row.changeSeq = 0;
            rows.push_back(std::move(row));
        } else if (row.status == RowStatus::Modified) {
            row.values = row.original;
            row.original = QByteArray();
            row.status = RowStatus::Unchanged;
            row.changeSeq = 0;
            rows.push_back(std::move(row));
        }
    }
    for (size_t d = 0; d < m_deleted.size(); ++d) {
        if (!deletedRefused[d])
            continue;
        Row row;
        row.values = m_deleted[d].original;
        const size_t at = std::min(size_t(m_deleted[d].position), rows.size());
        rows.insert(rows.begin() + qsizetype(at), std::move(row));
    }
    m_deleted.clear();
    emit rowsAboutToReset();
    m_rows = std::move(rows);
    if (m_current >= int(m_rows.size()))
        m_current = int(m_rows.size()) - 1;
    if (m_current < 0 && !m_rows.empty())
        m_current = 0;
    m_eof = m_rows.empty();
    invalidateIndexes();
    emit rowsReset();
    emit currentChanged(m_current);
    if (firstError)
        throw *firstError;
}

void RecordSet::cancelUpdates() {
    requireActive();
    cancel();
    if (changeCount() == 0)
        return;
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    for (Row &row : m_rows) {
        if (row.status == RowStatus::Inserted)
            continue;
        if (row.status == RowStatus::Modified)
            row.values = row.original;
        row.original = QByteArray();
        row.status = RowStatus::Unchanged;
        row.changeSeq = 0;
        rows.push_back(std::move(row));
    }
    // The last deletion first, each back where it was taken from.
    std::sort(m_deleted.begin(), m_deleted.end(),
              [](const DeletedRow &a, const DeletedRow &b) { return a.changeSeq > b.changeSeq; });
    for (DeletedRow &d : m_deleted) {
        Row row;
        row.values = d.original;
        const size_t at = std::min(size_t(d.position), rows.size());
        rows.insert(rows.begin() + qsizetype(at), std::move(row));
    }
    m_deleted.clear();
    emit rowsAboutToReset();
    m_rows = std::move(rows);
    m_current = std::min(std::max(m_current, 0), int(m_rows.size()) - 1);
    m_bof = false;
    m_eof = m_rows.empty();
    invalidateIndexes();
    emit rowsReset();
    emit currentChanged(m_current);
}

qint64 RecordSet::cachedBytes() const {
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
