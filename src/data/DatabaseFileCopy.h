#pragma once

#include <QString>

namespace kalvero {

// Copies a closed database file, as a new unit's database is made from the
// template. An existing file is never replaced: it may be a unit's whole
// register. The copy gets the source's permissions and, when the program runs
// as root, its owner, so that a database server running as another user can
// open it as it opens the source.
struct DatabaseFileCopy {
    enum class Result { Copied, AlreadyThere, Failed };

    Result result = Result::Failed;
    QString reason;  // the system's reason when it failed

    static DatabaseFileCopy make(const QString &source, const QString &target);
};

}  // namespace kalvero
