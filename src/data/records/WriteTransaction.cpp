#include "WriteTransaction.h"

#include "RecordSet.h"
#include "../firebird/Connection.h"

namespace kalvero {

WriteTransaction::WriteTransaction(Connection &connection) : m_connection(connection) {
    m_connection.reviveIfLost();
    m_connection.guardAttachment([&] {
        m_transaction = std::make_unique<fb::Transaction>(m_connection.attachment(), fb::Transaction::Mode::ReadWrite,
                                                          m_connection.lockWaitSeconds());
    });
}

WriteTransaction::~WriteTransaction() = default;  // fb::Transaction rolls back what was not committed

void WriteTransaction::requireActive() const {
    if (!m_transaction)
        throw DatabaseError(QStringLiteral("A transação já foi encerrada."));
}

void WriteTransaction::run(const std::function<void(fb::Transaction &)> &step, bool committing) {
    requireActive();
    try {
        m_connection.runWaiting([&] { step(*m_transaction); });
    } catch (const DatabaseError &e) {
        m_failed = true;
        if (!e.isConnectionLost())
            throw;
        m_transaction.reset();
        m_connection.dropAttachment();
        // Before the commit the server drops what the transaction did; during it, who knows.
        throw e.withSave(committing ? DatabaseError::Save::InDoubt : DatabaseError::Save::NotWritten);
    }
}

quint64 WriteTransaction::execute(const QString &sql, const QVariantList &params) {
    const std::shared_ptr<fb::Statement> statement = m_connection.guardAttachment([&] { return m_connection.prepare(sql); });
    quint64 affected = 0;
    run([&](fb::Transaction &transaction) { affected = statement->execute(transaction, params); });
    return affected;
}

QVariant WriteTransaction::firstValue(const QString &sql, const QVariantList &params, const QString &column) {
    const std::shared_ptr<fb::Statement> statement = m_connection.guardAttachment([&] { return m_connection.prepare(sql); });
    const QVector<fb::ColumnInfo> &columns = statement->columns();
    qsizetype at = 0;
    if (!column.isEmpty()) {
        at = -1;
        for (qsizetype i = 0; i < columns.size() && at < 0; ++i)
            if (columns.at(i).name.compare(column, Qt::CaseInsensitive) == 0)
                at = i;
    }
    if (at < 0 || at >= columns.size())
        throw DatabaseError(QStringLiteral("A consulta não dá a coluna %1.").arg(column));
    QVariant value;
    run([&](fb::Transaction &transaction) {
        fb::Statement::Cursor cursor(*statement, transaction, params);
        if (cursor.fetch())
            value = fb::readValue(columns.at(at), cursor.row());
        cursor.close();
    });
    return value;
}

void WriteTransaction::enlist(RecordSet &set, quint64 revision) {
    for (const Applied &a : m_applied)
        if (a.set == &set)
            throw DatabaseError(QStringLiteral("%1: as alterações já foram enviadas nesta transação.").arg(set.name()));
    m_applied.push_back({&set, revision});
}

void WriteTransaction::commit() {
    requireActive();
    if (m_failed)
        throw DatabaseError(QStringLiteral("A gravação falhou e foi desfeita; nada foi gravado."));
    // A set changed after it applied would take as written what never was.
    for (const Applied &a : m_applied)
        if (!a.set || a.set->revision() != a.revision || a.set->isEditing())
            throw DatabaseError(QStringLiteral("%1: o conjunto mudou depois de enviar suas alterações; nada foi gravado.")
                                    .arg(a.set ? a.set->name() : QString()));
    run([](fb::Transaction &transaction) { transaction.commit(); }, true);
    m_transaction.reset();
    for (const Applied &a : m_applied)
        a.set->acceptApplied();
    m_applied.clear();
}

void WriteTransaction::rollback() {
    m_applied.clear();
    if (!m_transaction)
        return;
    std::unique_ptr<fb::Transaction> transaction = std::move(m_transaction);
    m_connection.guardAttachment([&] { transaction->rollback(); });
}

}  // namespace kalvero
