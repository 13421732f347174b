#include "FirebirdService.h"

#include "data/firebird/Connection.h"
#include "data/firebird/FirebirdClient.h"

#include <QByteArray>

#include <exception>
#include <vector>

namespace kalvero {

namespace {

// Service replies carry at most 64 KB of data in an item (two length bytes).
constexpr unsigned ReplySize = 32768;
constexpr std::size_t StdinChunk = 32000;

unsigned readInt(const unsigned char *p, int size) {
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

QByteArray serviceName(const QString &serverAddress) {
    return serverAddress.isEmpty() ? QByteArray("service_mgr") : (serverAddress + QStringLiteral(":service_mgr")).toUtf8();
}

// What one answer of the service manager held.
struct Reply {
    bool more = false;         // truncated or not ready: ask again
    bool gotText = false;
    unsigned stdinWanted = 0;  // bytes of the restore stream it asks for
};

// Walks the items of an answer, handing data items to onData.
template <typename OnData>
Reply parseReply(const unsigned char *p, const unsigned char *end, OnData &&onData) {
    Reply reply;
    while (p < end && *p != isc_info_end) {
        const unsigned char tag = *p++;
        switch (tag) {
        case isc_info_svc_to_eof:
        case isc_info_svc_line: {
            if (end - p < 2)
                return reply;
            const unsigned length = readInt(p, 2);
            p += 2;
            if (length > 0) {
                reply.gotText = true;
                onData(tag, reinterpret_cast<const char *>(p), length);
            }
            p += length;
            break;
        }
        case isc_info_svc_stdin:
            if (end - p < 4)
                return reply;
            reply.stdinWanted = readInt(p, 4);
            p += 4;
            break;
        case isc_info_truncated:
        case isc_info_data_not_ready:
        case isc_info_svc_timeout:
            reply.more = true;
            break;
        default:
            return reply;  // an item we did not ask for: stop reading this answer
        }
    }
    return reply;
}

}  // namespace

FirebirdService::FirebirdService(const QString &serverAddress) : m_serverAddress(serverAddress) {
    m_service = fb::guarded([&] {
        fb::ThrowStatus status;
        Firebird::IXpbBuilder *spb = fb::util()->getXpbBuilder(&status, Firebird::IXpbBuilder::SPB_ATTACH, nullptr, 0);
        Firebird::IProvider *provider = fb::master()->getDispatcher();
        struct Release {
            Firebird::IXpbBuilder *spb;
            Firebird::IProvider *provider;
            ~Release() {
                spb->dispose();
                provider->release();
            }
        } release{spb, provider};
        spb->insertString(&status, isc_spb_user_name, ConnectionSettings::User);
        spb->insertString(&status, isc_spb_password, ConnectionSettings::Password);
        // As for databases: the embedded engine is named, never reached by chance.
        spb->insertString(&status, isc_spb_config,
                          serverAddress.isEmpty() ? "Providers = Engine12" : "Providers = Remote");
        const QByteArray name = serviceName(serverAddress);
        return provider->attachServiceManager(&status, name.constData(), spb->getBufferLength(&status),
                                              spb->getBuffer(&status));
    });
}

FirebirdService::~FirebirdService() {
    if (!m_service)
        return;
    try {
        fb::ThrowStatus status;
        m_service->detach(&status);
    } catch (...) {
        m_service->release();
    }
}

void FirebirdService::start(unsigned char action, const QString &databasePath,
                            const std::function<void(Firebird::IXpbBuilder *, fb::ThrowStatus &)> &fill) {
    fb::guarded([&] {
        fb::ThrowStatus status;
        Firebird::IXpbBuilder *spb = fb::util()->getXpbBuilder(&status, Firebird::IXpbBuilder::SPB_START, nullptr, 0);
        struct Release {
            Firebird::IXpbBuilder *spb;
            ~Release() { spb->dispose(); }
        } release{spb};
        spb->insertTag(&status, action);
        spb->insertString(&status, isc_spb_dbname, databasePath.toUtf8().constData());
        fill(spb, status);
        m_service->start(&status, spb->getBufferLength(&status), spb->getBuffer(&status));
    });
}

QStringList FirebirdService::drainText(const std::function<void()> &waiting) {
    QStringList lines;
    const unsigned char receive[] = {isc_info_svc_line};
    // Ask for an answer after a second at most, so the caller can show progress.
    const unsigned char timeout[] = {isc_info_svc_timeout, 4, 0, 1, 0, 0, 0};
    std::vector<unsigned char> buffer(ReplySize);
    fb::guarded([&] {
        fb::ThrowStatus status;
        for (;;) {
            m_service->query(&status, waiting ? sizeof timeout : 0, waiting ? timeout : nullptr, sizeof receive,
                             receive, buffer.size(), buffer.data());
            bool timedOut = false;
            for (const unsigned char *p = buffer.data(); p < buffer.data() + buffer.size() && *p != isc_info_end;) {
                if (*p == isc_info_svc_timeout)
                    timedOut = true;
                if (*p != isc_info_svc_line)
                    break;
                p += 3 + readInt(p + 1, 2);
            }
            const Reply reply = parseReply(buffer.data(), buffer.data() + buffer.size(),
                                           [&](unsigned char, const char *data, unsigned length) {
                                               lines << QString::fromUtf8(data, length);
                                           });
            if (timedOut)
                waiting();
            else if (!reply.gotText && !reply.more)
                return;
        }
    });
    return lines;
}

void FirebirdService::backup(const QString &databasePath, const Sink &sink) {
    start(isc_action_svc_backup, databasePath, [](Firebird::IXpbBuilder *spb, fb::ThrowStatus &status) {
        spb->insertString(&status, isc_spb_bkp_file, "stdout");
    });
    const unsigned char receive[] = {isc_info_svc_to_eof};
    std::vector<unsigned char> buffer(ReplySize);
    fb::guarded([&] {
        fb::ThrowStatus status;
        for (;;) {
            m_service->query(&status, 0, nullptr, sizeof receive, receive, buffer.size(), buffer.data());
            bool cancelled = false;
            const Reply reply = parseReply(buffer.data(), buffer.data() + buffer.size(),
                                           [&](unsigned char, const char *data, unsigned length) {
                                               if (!cancelled && !sink(data, length))
                                                   cancelled = true;
                                           });
            if (cancelled)
                throw Failure(QStringLiteral("Cópia interrompida."));
            if (!reply.gotText && !reply.more)
                return;
        }
    });
}

void FirebirdService::backupToFile(const QString &databasePath, const QString &backupPath,
                                   const std::function<void()> &waiting) {
    const QByteArray file = backupPath.toUtf8();
    start(isc_action_svc_backup, databasePath, [&](Firebird::IXpbBuilder *spb, fb::ThrowStatus &status) {
        spb->insertString(&status, isc_spb_bkp_file, file.constData());
    });
    drainText(waiting);
}

void FirebirdService::restore(const QString &databasePath, const Source &source, RestoreMode mode) {
    start(isc_action_svc_restore, databasePath, [mode](Firebird::IXpbBuilder *spb, fb::ThrowStatus &status) {
        spb->insertString(&status, isc_spb_bkp_file, "stdin");
        spb->insertInt(&status, isc_spb_options,
                       mode == RestoreMode::Replace ? isc_spb_res_replace : isc_spb_res_create);
    });
    const unsigned char receive[] = {isc_info_svc_stdin, isc_info_svc_line};
    std::vector<unsigned char> buffer(ReplySize);
    std::vector<unsigned char> send(StdinChunk + 3);
    unsigned sendLength = 0;
    std::exception_ptr sourceFailure;
    try {
    fb::guarded([&] {
        fb::ThrowStatus status;
        for (;;) {
            m_service->query(&status, sendLength, sendLength ? send.data() : nullptr, sizeof receive, receive,
                             buffer.size(), buffer.data());
            sendLength = 0;
            const Reply reply = parseReply(buffer.data(), buffer.data() + buffer.size(),
                                           [](unsigned char, const char *, unsigned) {});
            if (reply.stdinWanted > 0) {
                const std::size_t wanted = std::min<std::size_t>(reply.stdinWanted, StdinChunk);
                std::size_t got = 0;
                if (!sourceFailure) {
                    // A stream that breaks off ends here: the engine sees the
                    // end of its input, fails the restore and cleans up.
                    try {
                        got = source(reinterpret_cast<char *>(send.data()) + 3, wanted);
                    } catch (...) {
                        sourceFailure = std::current_exception();
                    }
                }
                send[0] = isc_info_svc_line;
                send[1] = static_cast<unsigned char>(got & 0xff);
                send[2] = static_cast<unsigned char>((got >> 8) & 0xff);
                sendLength = static_cast<unsigned>(got + 3);
                continue;
            }
            if (!reply.gotText && !reply.more)
                return;
        }
    });
    } catch (...) {
        if (sourceFailure)
            std::rethrow_exception(sourceFailure);  // the cause, not its consequence
        throw;
    }
    if (sourceFailure)
        std::rethrow_exception(sourceFailure);
}

void FirebirdService::shutDown(const QString &databasePath) {
    start(isc_action_svc_properties, databasePath, [](Firebird::IXpbBuilder *spb, fb::ThrowStatus &status) {
        const unsigned char mode = isc_spb_prp_sm_full;
        spb->insertBytes(&status, isc_spb_prp_shutdown_mode, &mode, 1);
        // Refused while anybody is attached; nobody is thrown out.
        spb->insertInt(&status, isc_spb_prp_attachments_shutdown, 0);
    });
    drainText();
}

void FirebirdService::bringOnline(const QString &databasePath) {
    start(isc_action_svc_properties, databasePath, [](Firebird::IXpbBuilder *spb, fb::ThrowStatus &status) {
        const unsigned char mode = isc_spb_prp_sm_normal;
        spb->insertBytes(&status, isc_spb_prp_online_mode, &mode, 1);
    });
    drainText();
}

QStringList FirebirdService::validate(const QString &databasePath) {
    start(isc_action_svc_repair, databasePath, [](Firebird::IXpbBuilder *spb, fb::ThrowStatus &status) {
        spb->insertInt(&status, isc_spb_options, isc_spb_rpr_validate_db | isc_spb_rpr_full);
    });
    return drainText();
}

}  // namespace kalvero
