#include "Statement.h"

#include "FirebirdClient.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>
#include <cstring>

namespace kalvero::fb {

namespace {

constexpr unsigned CharSetUtf8 = 4;
constexpr qint64 IscDateEpochJulianDay = 2400001;  // 17 Nov 1858

qint64 scaledPower(int scale) {
    qint64 p = 1;
    for (int i = 0; i < -scale; ++i)
        p *= 10;
    return p;
}

template <typename T>
T readAs(const unsigned char *p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void writeAs(unsigned char *p, T v) {
    std::memcpy(p, &v, sizeof v);
}

}  // namespace

int ColumnInfo::charLength() const {
    if (type != SQL_VARYING && type != SQL_TEXT)
        return 0;
    return charSet == CharSetUtf8 ? int(length / 4) : int(length);
}

QDate dateFromIsc(ISC_DATE value) { return QDate::fromJulianDay(qint64(value) + IscDateEpochJulianDay); }

ISC_DATE iscFromDate(const QDate &date) { return ISC_DATE(date.toJulianDay() - IscDateEpochJulianDay); }

QTime timeFromIsc(ISC_TIME value) { return QTime::fromMSecsSinceStartOfDay(int(value / 10)); }

ISC_TIME iscFromTime(const QTime &time) { return ISC_TIME(time.msecsSinceStartOfDay()) * 10; }

QVariant readValue(const ColumnInfo &c, const unsigned char *message) {
    if (readAs<short>(message + c.nullOffset))
        return QVariant();
    const unsigned char *p = message + c.offset;
    switch (c.type) {
    case SQL_VARYING: {
        const unsigned short n = readAs<unsigned short>(p);
        return QString::fromUtf8(reinterpret_cast<const char *>(p + 2), n);
    }
    case SQL_TEXT: {
        unsigned n = c.length;
        while (n > 0 && p[n - 1] == ' ')
            --n;
        return QString::fromUtf8(reinterpret_cast<const char *>(p), int(n));
    }
    case SQL_SHORT:
        return c.scale ? QVariant(readAs<short>(p) / double(scaledPower(c.scale))) : QVariant(int(readAs<short>(p)));
    case SQL_LONG:
        return c.scale ? QVariant(readAs<int>(p) / double(scaledPower(c.scale))) : QVariant(readAs<int>(p));
    case SQL_INT64:
        return c.scale ? QVariant(readAs<qint64>(p) / double(scaledPower(c.scale))) : QVariant(readAs<qint64>(p));
    case SQL_FLOAT:
        return double(readAs<float>(p));
    case SQL_DOUBLE:
        return readAs<double>(p);
    case SQL_BOOLEAN:
        return bool(*p);
    case SQL_TYPE_DATE:
        return dateFromIsc(readAs<ISC_DATE>(p));
    case SQL_TYPE_TIME:
        return timeFromIsc(readAs<ISC_TIME>(p));
    case SQL_TIMESTAMP: {
        const ISC_TIMESTAMP ts = readAs<ISC_TIMESTAMP>(p);
        return QDateTime(dateFromIsc(ts.timestamp_date), timeFromIsc(ts.timestamp_time));
    }
    default:
        throw DatabaseError(QStringLiteral("Tipo de coluna não suportado (%1) em %2").arg(c.type).arg(c.name));
    }
}

Statement::Statement(Firebird::IAttachment *attachment, Transaction &transaction, const QString &sql) : m_sql(sql) {
    const QByteArray text = sql.toUtf8();
    guarded([&] {
        ThrowStatus status;
        m_statement = attachment->prepare(&status, transaction.handle(), unsigned(text.size()), text.constData(), 3,
                                          Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        m_type = m_statement->getType(&status);
        m_inputMeta = m_statement->getInputMetadata(&status);
        m_outputMeta = m_statement->getOutputMetadata(&status);
        m_outputLength = m_outputMeta->getMessageLength(&status);
        const unsigned count = m_outputMeta->getCount(&status);
        m_columns.reserve(int(count));
        for (unsigned i = 0; i < count; ++i) {
            ColumnInfo c;
            c.name = QString::fromUtf8(m_outputMeta->getAlias(&status, i));
            c.field = QString::fromUtf8(m_outputMeta->getField(&status, i));
            c.relation = QString::fromUtf8(m_outputMeta->getRelation(&status, i));
            c.type = m_outputMeta->getType(&status, i);
            c.scale = m_outputMeta->getScale(&status, i);
            c.length = m_outputMeta->getLength(&status, i);
            c.charSet = m_outputMeta->getCharSet(&status, i);
            c.offset = m_outputMeta->getOffset(&status, i);
            c.nullOffset = m_outputMeta->getNullOffset(&status, i);
            c.nullable = m_outputMeta->isNullable(&status, i);
            m_columns.append(c);
        }
    });
}

Statement::~Statement() {
    if (m_inputMeta)
        m_inputMeta->release();
    if (m_outputMeta)
        m_outputMeta->release();
    if (m_statement) {
        try {
            ThrowStatus status;
            m_statement->free(&status);
        } catch (...) {
            m_statement->release();
        }
    }
}

bool Statement::isDdl() const { return m_type == isc_info_sql_stmt_ddl; }

QString Statement::plan() const {
    return guarded([&] {
        ThrowStatus status;
        return QString::fromUtf8(m_statement->getPlan(&status, false)).trimmed();
    });
}

bool Statement::returnsRows() const {
    return m_type == isc_info_sql_stmt_select || m_type == isc_info_sql_stmt_select_for_upd;
}

Firebird::IMessageMetadata *Statement::bindInput(const QVariantList &params, std::vector<unsigned char> &buffer) {
    ThrowStatus status;
    const unsigned count = m_inputMeta->getCount(&status);
    if (count != unsigned(params.size()))
        throw DatabaseError(QStringLiteral("A instrução espera %1 parâmetro(s) e recebeu %2: %3")
                                .arg(count)
                                .arg(params.size())
                                .arg(m_sql));
    // Every value goes in with its own type; the engine converts it to the
    // parameter's type and reports what does not fit with its own error.
    QVector<QByteArray> texts(qsizetype{count});
    Firebird::IMetadataBuilder *builder = m_inputMeta->getBuilder(&status);
    for (unsigned i = 0; i < count; ++i) {
        const QVariant &v = params.at(int(i));
        if (v.isNull())
            continue;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Bool:
            builder->setType(&status, i, SQL_LONG);
            builder->setLength(&status, i, sizeof(int));
            builder->setScale(&status, i, 0);
            break;
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::ULong:
            builder->setType(&status, i, SQL_INT64);
            builder->setLength(&status, i, sizeof(qint64));
            builder->setScale(&status, i, 0);
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            builder->setType(&status, i, SQL_DOUBLE);
            builder->setLength(&status, i, sizeof(double));
            builder->setScale(&status, i, 0);
            break;
        case QMetaType::QDate:
            builder->setType(&status, i, SQL_TYPE_DATE);
            builder->setLength(&status, i, sizeof(ISC_DATE));
            break;
        case QMetaType::QTime:
            builder->setType(&status, i, SQL_TYPE_TIME);
            builder->setLength(&status, i, sizeof(ISC_TIME));
            break;
        case QMetaType::QDateTime:
            builder->setType(&status, i, SQL_TIMESTAMP);
            builder->setLength(&status, i, sizeof(ISC_TIMESTAMP));
            break;
        default: {
            texts[int(i)] = v.toString().toUtf8();
            builder->setType(&status, i, SQL_VARYING);
            builder->setCharSet(&status, i, CharSetUtf8);
            builder->setLength(&status, i, unsigned(std::max<qsizetype>(1, texts[int(i)].size())));
            break;
        }
        }
    }
    Firebird::IMessageMetadata *meta = builder->getMetadata(&status);
    builder->release();
    buffer.assign(meta->getMessageLength(&status), 0);
    for (unsigned i = 0; i < count; ++i) {
        const QVariant &v = params.at(int(i));
        unsigned char *base = buffer.data();
        writeAs<short>(base + meta->getNullOffset(&status, i), v.isNull() ? -1 : 0);
        if (v.isNull())
            continue;
        unsigned char *p = base + meta->getOffset(&status, i);
        switch (meta->getType(&status, i)) {
        case SQL_LONG:
            writeAs<int>(p, v.toInt());
            break;
        case SQL_INT64:
            writeAs<qint64>(p, v.toLongLong());
            break;
        case SQL_DOUBLE:
            writeAs<double>(p, v.toDouble());
            break;
        case SQL_TYPE_DATE:
            writeAs<ISC_DATE>(p, iscFromDate(v.toDate()));
            break;
        case SQL_TYPE_TIME:
            writeAs<ISC_TIME>(p, iscFromTime(v.toTime()));
            break;
        case SQL_TIMESTAMP: {
            const QDateTime dt = v.toDateTime();
            ISC_TIMESTAMP ts{iscFromDate(dt.date()), iscFromTime(dt.time())};
            writeAs<ISC_TIMESTAMP>(p, ts);
            break;
        }
        case SQL_VARYING: {
            const QByteArray &t = texts[int(i)];
            writeAs<unsigned short>(p, static_cast<unsigned short>(t.size()));
            std::memcpy(p + 2, t.constData(), size_t(t.size()));
            break;
        }
        default:
            break;
        }
    }
    return meta;
}

quint64 Statement::execute(Transaction &transaction, const QVariantList &params) {
    return guarded([&] {
        std::vector<unsigned char> input;
        Firebird::IMessageMetadata *inMeta = bindInput(params, input);
        ThrowStatus status;
        struct Release {
            Firebird::IMessageMetadata *m;
            ~Release() { m->release(); }
        } release{inMeta};
        if (returnsRows()) {
            // A singleton select run for its effect: fetch and drop its row.
            std::vector<unsigned char> out(m_outputLength);
            m_statement->execute(&status, transaction.handle(), inMeta, input.data(), m_outputMeta, out.data());
        } else {
            m_statement->execute(&status, transaction.handle(), inMeta, input.data(), nullptr, nullptr);
        }
        return quint64(m_statement->getAffectedRecords(&status));
    });
}

Statement::Cursor::Cursor(Statement &statement, Transaction &transaction, const QVariantList &params)
    : m_buffer(statement.m_outputLength) {
    guarded([&] {
        std::vector<unsigned char> input;
        Firebird::IMessageMetadata *inMeta = statement.bindInput(params, input);
        struct Release {
            Firebird::IMessageMetadata *m;
            ~Release() { m->release(); }
        } release{inMeta};
        ThrowStatus status;
        m_resultSet = statement.m_statement->openCursor(&status, transaction.handle(), inMeta, input.data(),
                                                         statement.m_outputMeta, 0);
    });
}

Statement::Cursor::~Cursor() {
    try {
        close();
    } catch (...) {
    }
}

bool Statement::Cursor::fetch() {
    return guarded([&] {
        ThrowStatus status;
        return m_resultSet->fetchNext(&status, m_buffer.data()) == Firebird::IStatus::RESULT_OK;
    });
}

void Statement::Cursor::close() {
    if (!m_resultSet)
        return;
    Firebird::IResultSet *rs = m_resultSet;
    m_resultSet = nullptr;
    guarded([&] {
        ThrowStatus status;
        rs->close(&status);
    });
}

}  // namespace kalvero::fb
