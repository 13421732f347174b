#include "FirebirdClient.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace kalvero::fb {

namespace {

void shutdownClient() {
    // Lets the embedded engine flush and stop its threads before the process ends.
    fb_shutdown(0, fb_shutrsn_app_stopped);
}

void prepareEnvironment() {
    // The engine's default lock folder belongs to the group firebird; an ordinary
    // user gets a folder of his own, made before the engine first starts.
    if (qEnvironmentVariableIsEmpty("FIREBIRD_LOCK")) {
        const QString folder = embeddedLockFolder();
        QDir().mkpath(folder);
        qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
    }
}

}  // namespace

QString embeddedLockFolder() {
    return QDir::tempPath() + QStringLiteral("/kalvero-firebird-%1").arg(::getuid());
}

Firebird::IMaster *master() {
    static std::once_flag once;
    static Firebird::IMaster *instance = nullptr;
    std::call_once(once, [] {
        prepareEnvironment();
        instance = Firebird::fb_get_master_interface();
        std::atexit(shutdownClient);
    });
    return instance;
}

Firebird::IUtil *util() { return master()->getUtilInterface(); }

DatabaseError toDatabaseError(const Firebird::FbException &e) {
    const Firebird::IStatus *status = e.getStatus();
    QVector<long> codes;
    const ISC_STATUS *v = status->getErrors();
    while (v && *v != isc_arg_end) {
        const ISC_STATUS kind = v[0];
        if (kind == isc_arg_gds)
            codes.append(static_cast<long>(v[1]));
        if (kind == isc_arg_cstring)
            v += 3;
        else
            v += 2;
    }
    char buffer[2048];
    util()->formatStatus(buffer, sizeof buffer, const_cast<Firebird::IStatus *>(status));
    QString text = QString::fromUtf8(buffer).trimmed();
    return DatabaseError(text, codes);
}

}  // namespace kalvero::fb
