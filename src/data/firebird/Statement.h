#pragma once

#include "Transaction.h"

#include <firebird/Interface.h>

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

namespace kalvero::fb {

// One column of a statement's result as Firebird describes it.
struct ColumnInfo {
    QString name;      // the alias: the name the result knows the column by
    QString field;     // the source column, empty for expressions
    QString relation;  // the source table, empty for expressions
    unsigned type = 0; // SQL_VARYING, SQL_LONG, ... without the null bit
    int scale = 0;
    unsigned length = 0;  // bytes in the message
    unsigned charSet = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    bool nullable = true;
    int charLength() const;  // characters for text columns
};

// A prepared statement on one attachment. Values are always bound as
// parameters ("?" in the text); the statement may run in many transactions.
class Statement {
public:
    // Prepared within a transaction: Firebird reads the metadata through one.
    Statement(Firebird::IAttachment *attachment, Transaction &transaction, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    const QString &sql() const { return m_sql; }
    const QVector<ColumnInfo> &columns() const { return m_columns; }
    unsigned outputLength() const { return m_outputLength; }
    bool isDdl() const;
    bool returnsRows() const;
    // The access plan Firebird chose, as isql's SET PLAN shows it.
    QString plan() const;

    // Runs a statement without a result set; gives the rows it affected.
    quint64 execute(Transaction &transaction, const QVariantList &params);

    class Cursor;

private:
    friend class Cursor;
    Firebird::IMessageMetadata *bindInput(const QVariantList &params, std::vector<unsigned char> &buffer);

    QString m_sql;
    Firebird::IStatement *m_statement = nullptr;
    Firebird::IMessageMetadata *m_inputMeta = nullptr;
    Firebird::IMessageMetadata *m_outputMeta = nullptr;
    QVector<ColumnInfo> m_columns;
    unsigned m_outputLength = 0;
    unsigned m_type = 0;
};

// A forward-only cursor over a statement's rows. Each fetched row stays in
// row() until the next fetch; ColumnInfo offsets address it.
class Statement::Cursor {
public:
    Cursor(Statement &statement, Transaction &transaction, const QVariantList &params);
    ~Cursor();
    Cursor(const Cursor &) = delete;
    Cursor &operator=(const Cursor &) = delete;

    bool fetch();
    const unsigned char *row() const { return m_buffer.data(); }
    void close();

private:
    Firebird::IResultSet *m_resultSet = nullptr;
    std::vector<unsigned char> m_buffer;
};

// Decoding of message values into Qt values.
QVariant readValue(const ColumnInfo &column, const unsigned char *message);
QDate dateFromIsc(ISC_DATE value);
ISC_DATE iscFromDate(const QDate &date);
QTime timeFromIsc(ISC_TIME value);
ISC_TIME iscFromTime(const QTime &time);

}  // namespace kalvero::fb
