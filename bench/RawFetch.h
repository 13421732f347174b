#pragma once

// A statement with its parameters (text, as the record set binds it, or
// dates), prepared once and fetched row by row through the client library in
// a transaction of its own, nothing kept: the floor for opening a record set
// on the same statement.

#include "data/firebird/Connection.h"
#include "data/firebird/FirebirdClient.h"

#include <QDate>
#include <QString>
#include <QVariantList>
#include <cstring>
#include <vector>

namespace kalvero {

class RawFetch {
public:
    RawFetch(Connection &c, const QString &sql, const QString &parameter)
        : RawFetch(c, sql, QVariantList{parameter}) {}
    RawFetch(Connection &c, const QString &sql, const QVariantList &parameters) : m_att(c.attachment()) {
        using namespace Firebird;
        fb::ThrowStatus status;
        ITransaction *tra = m_att->startTransaction(&status, sizeof Tpb, Tpb);
        const QByteArray text = sql.toUtf8();
        m_stmt = m_att->prepare(&status, tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        tra->commit(&status);
        m_out = m_stmt->getOutputMetadata(&status);
        std::vector<QByteArray> texts;
        IMetadataBuilder *b = m_stmt->getInputMetadata(&status)->getBuilder(&status);
        for (int i = 0; i < parameters.size(); ++i) {
            const unsigned index = unsigned(i);
            if (parameters.at(i).typeId() == QMetaType::QDate) {
                b->setType(&status, index, SQL_TYPE_DATE);
                b->setLength(&status, index, sizeof(ISC_DATE));
                texts.emplace_back();
            } else {
                texts.push_back(parameters.at(i).toString().toUtf8());
                b->setType(&status, index, SQL_VARYING);
                b->setCharSet(&status, index, 4);  // UTF8
                b->setLength(&status, index, unsigned(texts.back().size()));
            }
        }
        m_in = b->getMetadata(&status);
        b->release();
        m_input.assign(m_in->getMessageLength(&status), 0);
        for (int i = 0; i < parameters.size(); ++i) {
            unsigned char *at = m_input.data() + m_in->getOffset(&status, unsigned(i));
            if (parameters.at(i).typeId() == QMetaType::QDate) {
                const ISC_DATE day = ISC_DATE(parameters.at(i).toDate().toJulianDay() - 2400001);  // from 17 Nov 1858
                std::memcpy(at, &day, sizeof day);
            } else {
                const QByteArray &value = texts.at(size_t(i));
                const unsigned short n = static_cast<unsigned short>(value.size());
                std::memcpy(at, &n, 2);
                std::memcpy(at + 2, value.constData(), size_t(value.size()));
            }
        }
        m_buffer.resize(m_out->getMessageLength(&status));
    }
    ~RawFetch() {
        fb::ThrowStatus status;
        m_in->release();
        m_out->release();
        m_stmt->free(&status);
    }
    RawFetch(const RawFetch &) = delete;
    RawFetch &operator=(const RawFetch &) = delete;

    qint64 run() {
        using namespace Firebird;
        fb::ThrowStatus status;
        ITransaction *tra = m_att->startTransaction(&status, sizeof Tpb, Tpb);
        IResultSet *rs = m_stmt->openCursor(&status, tra, m_in, m_input.data(), m_out, 0);
        qint64 rows = 0;
        while (rs->fetchNext(&status, m_buffer.data()) == IStatus::RESULT_OK)
            ++rows;
        rs->close(&status);
        tra->commit(&status);
        return rows;
    }

private:
    static constexpr unsigned char Tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_wait};
    Firebird::IAttachment *m_att;
    Firebird::IStatement *m_stmt = nullptr;
    Firebird::IMessageMetadata *m_in = nullptr;
    Firebird::IMessageMetadata *m_out = nullptr;
    std::vector<unsigned char> m_input, m_buffer;
};

}  // namespace kalvero
