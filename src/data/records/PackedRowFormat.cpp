#include "PackedRowFormat.h"

#include "../firebird/FirebirdError.h"

#include <QDateTime>
#include <QTime>

#include <cstring>
#include <vector>

namespace kalvero {

namespace {

// How a stored field's value is laid out in a packed row.
enum Kind { KText, KInt32, KInt64, KDouble, KDate, KTime, KTimestamp, KBool };

Kind kindOf(FieldType type) {
    switch (type) {
    case FieldType::Text: return KText;
    case FieldType::Integer: return KInt32;
    case FieldType::LargeInt: return KInt64;
    case FieldType::Float: return KDouble;
    case FieldType::Date: return KDate;
    case FieldType::Time: return KTime;
    case FieldType::DateTime: return KTimestamp;
    case FieldType::Boolean: return KBool;
    }
    return KText;
}

int fixedSize(Kind kind) {
    switch (kind) {
    case KInt32: case KDate: case KTime: return 4;
    case KInt64: case KDouble: case KTimestamp: return 8;
    case KBool: return 1;
    case KText: return 0;
    }
    return 0;
}

template <typename T>
T load(const char *p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void store(char *p, T v) {
    std::memcpy(p, &v, sizeof v);
}

double scaled(qint64 v, int scale) {
    double d = double(v);
    for (int i = 0; i < -scale; ++i)
        d /= 10.0;
    return d;
}

// The header of a packed row: a null map, then the end offset of each value.
struct Layout {
    int count;
    int nullBytes() const { return (count + 7) / 8; }
    int headerSize() const { return nullBytes() + 2 * count; }
};

constexpr int MaxPackedRow = 65535;

}  // namespace

QByteArray PackedRowFormat::fromMessage(const QVector<fb::ColumnInfo> &columns, const unsigned char *msg) const {
    const QVector<int> &kinds = m_kinds;
    const int n = columns.size();
    const Layout layout{n};
    // First pass: the length of each value, so the row is allocated once.
    unsigned lengths[256];
    std::vector<unsigned> bigLengths;
    unsigned *len = lengths;
    if (n > 256) {
        bigLengths.resize(size_t(n));
        len = bigLengths.data();
    }
    int total = layout.headerSize();
    for (int i = 0; i < n; ++i) {
        const fb::ColumnInfo &c = columns.at(i);
        if (load<short>(reinterpret_cast<const char *>(msg + c.nullOffset))) {
            len[i] = 0;
            continue;
        }
        if (kinds.at(i) == KText) {
            const unsigned char *p = msg + c.offset;
            if (c.type == SQL_VARYING) {
                len[i] = load<unsigned short>(reinterpret_cast<const char *>(p));
            } else {
                unsigned k = c.length;
                while (k > 0 && p[k - 1] == ' ')
                    --k;
                len[i] = k;
            }
        } else {
            len[i] = unsigned(fixedSize(Kind(kinds.at(i))));
        }
        total += int(len[i]);
    }
    QByteArray row(total, Qt::Uninitialized);
    char *out = row.data();
    std::memset(out, 0, size_t(layout.nullBytes()));
    char *data = out + layout.headerSize();
    unsigned end = 0;
    for (int i = 0; i < n; ++i) {
        const fb::ColumnInfo &c = columns.at(i);
        const char *p = reinterpret_cast<const char *>(msg + c.offset);
        if (load<short>(reinterpret_cast<const char *>(msg + c.nullOffset))) {
            out[i / 8] = char(out[i / 8] | (1 << (i % 8)));
        } else {
            char *dst = data + end;
            switch (Kind(kinds.at(i))) {
            case KText:
                std::memcpy(dst, c.type == SQL_VARYING ? p + 2 : p, len[i]);
                break;
            case KInt32:
                store<int>(dst, c.type == SQL_SHORT ? int(load<short>(p)) : load<int>(p));
                break;
            case KInt64:
                store<qint64>(dst, load<qint64>(p));
                break;
            case KDouble: {
                double d = 0;
                switch (c.type) {
                case SQL_SHORT: d = scaled(load<short>(p), c.scale); break;
                case SQL_LONG: d = scaled(load<int>(p), c.scale); break;
                case SQL_INT64: d = scaled(load<qint64>(p), c.scale); break;
                case SQL_FLOAT: d = double(load<float>(p)); break;
                default: d = load<double>(p); break;
                }
                store<double>(dst, d);
                break;
            }
            case KDate:
            case KTime:
                std::memcpy(dst, p, 4);
                break;
            case KTimestamp:
                std::memcpy(dst, p, 8);
                break;
            case KBool:
                *dst = *p;
                break;
            }
            end += len[i];
        }
        store<quint16>(out + layout.nullBytes() + 2 * i, quint16(end));
    }
    return row;
}

PackedRowFormat::PackedRowFormat(const QVector<FieldType> &types) {
    m_kinds.reserve(types.size());
    for (FieldType t : types)
        m_kinds << kindOf(t);
}

QVariant PackedRowFormat::value(const QByteArray &row, int i) const {
    const Layout layout{count()};
    const char *p = row.constData();
    if (p[i / 8] & (1 << (i % 8)))
        return QVariant();
    const int begin = i == 0 ? 0 : load<quint16>(p + layout.nullBytes() + 2 * (i - 1));
    const int end = load<quint16>(p + layout.nullBytes() + 2 * i);
    const char *v = p + layout.headerSize() + begin;
    switch (Kind(m_kinds.at(i))) {
    case KText:
        return QString::fromUtf8(v, end - begin);
    case KInt32:
        return load<int>(v);
    case KInt64:
        return load<qint64>(v);
    case KDouble:
        return load<double>(v);
    case KDate:
        return fb::dateFromIsc(load<ISC_DATE>(v));
    case KTime:
        return fb::timeFromIsc(load<ISC_TIME>(v));
    case KTimestamp: {
        const ISC_TIMESTAMP ts = load<ISC_TIMESTAMP>(v);
        return QDateTime(fb::dateFromIsc(ts.timestamp_date), fb::timeFromIsc(ts.timestamp_time));
    }
    case KBool:
        return bool(*v);
    }
    return QVariant();
}

QByteArray PackedRowFormat::fromValues(const QVariantList &values) const {
    const Layout layout{count()};
    QVector<QByteArray> texts(count());
    int total = layout.headerSize();
    for (int i = 0; i < count(); ++i) {
        if (values.at(i).isNull())
            continue;
        if (m_kinds.at(i) == KText) {
            texts[i] = values.at(i).toString().toUtf8();
            total += int(texts[i].size());
        } else {
            total += fixedSize(Kind(m_kinds.at(i)));
        }
    }
    if (total > MaxPackedRow)
        throw DatabaseError(QStringLiteral("O registro excede o tamanho máximo de uma linha."));
    QByteArray row(total, Qt::Uninitialized);
    char *out = row.data();
    std::memset(out, 0, size_t(layout.nullBytes()));
    char *data = out + layout.headerSize();
    unsigned end = 0;
    for (int i = 0; i < count(); ++i) {
        const QVariant &v = values.at(i);
        if (v.isNull()) {
            out[i / 8] = char(out[i / 8] | (1 << (i % 8)));
        } else {
            char *dst = data + end;
            switch (Kind(m_kinds.at(i))) {
            case KText:
                std::memcpy(dst, texts[i].constData(), size_t(texts[i].size()));
                end += unsigned(texts[i].size());
                break;
            case KInt32:
                store<int>(dst, v.toInt());
                end += 4;
                break;
            case KInt64:
                store<qint64>(dst, v.toLongLong());
                end += 8;
                break;
            case KDouble:
                store<double>(dst, v.toDouble());
                end += 8;
                break;
            case KDate:
                store<ISC_DATE>(dst, fb::iscFromDate(v.toDate()));
                end += 4;
                break;
            case KTime:
                store<ISC_TIME>(dst, fb::iscFromTime(v.toTime()));
                end += 4;
                break;
            case KTimestamp: {
                const QDateTime dt = v.toDateTime();
                store<ISC_TIMESTAMP>(dst, ISC_TIMESTAMP{fb::iscFromDate(dt.date()), fb::iscFromTime(dt.time())});
                end += 8;
                break;
            }
            case KBool:
                *dst = v.toBool() ? 1 : 0;
                end += 1;
                break;
            }
        }
        store<quint16>(out + layout.nullBytes() + 2 * i, quint16(end));
    }
    return row;
}

QVariantList PackedRowFormat::values(const QByteArray &row) const {
    QVariantList values;
    values.reserve(count());
    for (int i = 0; i < count(); ++i)
        values << value(row, i);
    return values;
}

}  // namespace kalvero
