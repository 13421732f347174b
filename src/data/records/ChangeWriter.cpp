#include "ChangeWriter.h"

#include "FieldCoercion.h"
#include "../firebird/Connection.h"

namespace kalvero {

ChangeWriter::ChangeWriter(const QString &setName, const QString &declaredTable, const QVector<FieldDef> &fields,
                           const PackedRowFormat &format)
    : m_table(declaredTable), m_fields(fields), m_format(format) {
    if (m_table.isEmpty()) {
        for (int i = 0; i < format.count(); ++i) {
            const QString &rel = fields.at(i).relation;
            if (rel.isEmpty())
                continue;
            if (m_table.isEmpty())
                m_table = rel;
            else if (m_table != rel)
                throw DatabaseError(
                    QStringLiteral("%1: o conjunto reúne mais de uma tabela e não pode ser gravado.").arg(setName));
        }
    }
    for (int i = 0; i < format.count(); ++i) {
        const FieldDef &f = fields.at(i);
        if (!f.origin.isEmpty() && f.relation.compare(m_table, Qt::CaseInsensitive) == 0) {
            m_fieldIndexes << i;
            m_columnNames << f.origin;
        }
    }
    if (m_table.isEmpty() || m_fieldIndexes.isEmpty())
        throw DatabaseError(QStringLiteral("%1: o conjunto não pode ser gravado.").arg(setName));
}

void ChangeWriter::whereValues(const QByteArray &values, bool withNulls, QStringList &terms,
                               QVariantList &params) const {
    for (int k = 0; k < m_fieldIndexes.size(); ++k) {
        const QVariant v = m_format.value(values, m_fieldIndexes.at(k));
        if (v.isNull()) {
            if (withNulls)
                terms << m_columnNames.at(k) + QStringLiteral(" IS NULL");
        } else {
            terms << m_columnNames.at(k) + QStringLiteral(" = ?");
            params << v;
        }
    }
}

void ChangeWriter::whereAsRead(const QByteArray &original, QStringList &terms, QVariantList &params) const {
    whereValues(original, true, terms, params);
}

bool ChangeWriter::isWritten(Connection &connection, fb::Transaction &transaction,
                             const CachedRows::Change &change) const {
    QStringList terms;
    QVariantList params;
    switch (change.kind) {
    case CachedRows::Kind::Insert:
        // Columns left empty may have been given a default by the database.
        whereValues(*change.values, false, terms, params);
        break;
    case CachedRows::Kind::Update:
        whereValues(*change.values, true, terms, params);
        break;
    case CachedRows::Kind::Delete:
        whereValues(*change.original, true, terms, params);
        break;
    }
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(m_table, terms.join(QStringLiteral(" AND ")));
    std::shared_ptr<fb::Statement> statement = connection.prepare(sql);
    fb::Statement::Cursor cursor(*statement, transaction, params);
    const bool found = cursor.fetch() && fb::readValue(statement->columns().at(0), cursor.row()).toLongLong() > 0;
    cursor.close();
    return change.kind == CachedRows::Kind::Delete ? !found : found;
}

QByteArray ChangeWriter::reread(Connection &connection, fb::Transaction &transaction, const QStringList &keyColumns,
                                const QByteArray &row) const {
    QStringList terms;
    QVariantList params;
    QVariantList values = m_format.values(row);
    for (const QString &key : keyColumns) {
        const qsizetype k = m_columnNames.indexOf(key, 0);
        if (k < 0)
            throw DatabaseError(QStringLiteral("%1: a chave '%2' não está entre as colunas.").arg(m_table, key));
        terms << key + QStringLiteral(" = ?");
        params << values.at(m_fieldIndexes.at(k));
    }
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                            .arg(m_columnNames.join(QStringLiteral(", ")), m_table, terms.join(QStringLiteral(" AND ")));
    std::shared_ptr<fb::Statement> statement = connection.prepare(sql);
    fb::Statement::Cursor cursor(*statement, transaction, params);
    if (!cursor.fetch())
        return {};
    for (int k = 0; k < m_fieldIndexes.size(); ++k) {
        const int index = m_fieldIndexes.at(k);
        values[index] = coerceFieldValue(m_fields.at(index), fb::readValue(statement->columns().at(k), cursor.row()));
    }
    cursor.close();
    return m_format.fromValues(values);
}

void ChangeWriter::write(Connection &connection, fb::Transaction &transaction, const CachedRows::Change &change) const {
    const QString joinAnd = QStringLiteral(" AND ");
    QString sql;
    QVariantList params;
    bool findsRow = true;
    switch (change.kind) {
    case CachedRows::Kind::Delete: {
        QStringList terms;
        whereAsRead(*change.original, terms, params);
        sql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, terms.join(joinAnd));
        break;
    }
    case CachedRows::Kind::Insert: {
        QStringList names, marks;
        for (int k = 0; k < m_fieldIndexes.size(); ++k) {
            const QVariant v = m_format.value(*change.values, m_fieldIndexes.at(k));
            if (v.isNull())
                continue;
            names << m_columnNames.at(k);
            marks << QStringLiteral("?");
            params << v;
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(m_table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        findsRow = false;
        break;
    }
    case CachedRows::Kind::Update: {
        QStringList sets, terms;
        for (int k = 0; k < m_fieldIndexes.size(); ++k) {
            const QVariant now = m_format.value(*change.values, m_fieldIndexes.at(k));
            const QVariant before = m_format.value(*change.original, m_fieldIndexes.at(k));
            if (now.isNull() == before.isNull() && now == before)
                continue;
            sets << m_columnNames.at(k) + QStringLiteral(" = ?");
            params << now;
        }
        if (sets.isEmpty())
            return;
        whereAsRead(*change.original, terms, params);
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(m_table, sets.join(QStringLiteral(", ")), terms.join(joinAnd));
        break;
    }
    }
    const quint64 affected = connection.prepare(sql)->execute(transaction, params);
    if (findsRow && affected == 0)
        throw DatabaseError::rowChangedElsewhere();
}

}  // namespace kalvero
