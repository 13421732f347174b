#include "DatabaseFileCopy.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvero {

DatabaseFileCopy DatabaseFileCopy::make(const QString &source, const QString &target) {
    if (QFileInfo::exists(target))
        return {Result::AlreadyThere, {}};
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return {Result::Failed, file.errorString()};  // the system's own reason
    file.close();
    // Qt writes the copy under a temporary name and renames it at the end, so
    // a failed copy leaves no half database behind.
    if (!file.copy(target))
        return {Result::Failed, file.errorString()};
    struct stat from;
    if (::geteuid() == 0 && ::stat(QFile::encodeName(source).constData(), &from) == 0 &&
        ::chown(QFile::encodeName(target).constData(), from.st_uid, from.st_gid) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(target);
        return {Result::Failed, reason};
    }
    QFile::setPermissions(target, QFile::permissions(source));
    return {Result::Copied, {}};
}

}  // namespace kalvero
