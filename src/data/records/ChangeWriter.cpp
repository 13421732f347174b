#include "ChangeWriter.h"

#include "../firebird/Connection.h"

namespace kalvero {

namespace {

DatabaseError changedElsewhere() {
    return DatabaseError(QStringLiteral(
        "O registro foi alterado ou excluído em outra estação de trabalho; a alteração não foi gravada."));
}

}  // namespace

ChangeWriter::ChangeWriter(const QString &setName, const QString &declaredTable, const QVector<FieldDef> &fields,
                           const PackedRowFormat &format)
    : m_table(declaredTable), m_format(format) {
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

void ChangeWriter::whereAsRead(const QByteArray &original, QStringList &terms, QVariantList &params) const {
    for (int k = 0; k < m_fieldIndexes.size(); ++k) {
        const QVariant v = m_format.value(original, m_fieldIndexes.at(k));
        if (v.isNull()) {
            terms << m_columnNames.at(k) + QStringLiteral(" IS NULL");
        } else {
            terms << m_columnNames.at(k) + QStringLiteral(" = ?");
            params << v;
        }
    }
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
        throw changedElsewhere();
}

}  // namespace kalvero
