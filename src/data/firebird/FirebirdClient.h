#pragma once

#include "FirebirdError.h"

#include <firebird/Interface.h>

#include <QString>

namespace kalvero::fb {

// The client library's master interface. The first call prepares the process
// for the embedded engine (its lock folder) before the library starts.
Firebird::IMaster *master();
Firebird::IUtil *util();

// Turns the client library's exception into our error, with Firebird's codes
// and its own formatted message.
DatabaseError toDatabaseError(const Firebird::FbException &e);

// Runs f, turning any Firebird exception into DatabaseError.
template <typename F>
auto guarded(F &&f) -> decltype(f()) {
    try {
        return f();
    } catch (const Firebird::FbException &e) {
        throw toDatabaseError(e);
    }
}

// A status wrapper that throws on error; one per call site.
class ThrowStatus : public Firebird::ThrowStatusWrapper {
public:
    ThrowStatus() : Firebird::ThrowStatusWrapper(master()->getStatus()) {}
    ~ThrowStatus() { dispose(); }
    ThrowStatus(const ThrowStatus &) = delete;
    ThrowStatus &operator=(const ThrowStatus &) = delete;
};

// The folder the embedded engine keeps its lock files in for this user.
QString embeddedLockFolder();

}  // namespace kalvero::fb
