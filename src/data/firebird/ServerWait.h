#pragma once

#include <QString>

#include <functional>

namespace kalvero {

// What a program shows while a write waits on the server (most often on a
// row or a number that another workstation holds for a moment). The code that
// owns the windows gives one to a connection; without one, a write simply
// blocks until it is done or its lock wait runs out.
class ServerWait {
public:
    virtual ~ServerWait() = default;
    // Runs call, on whatever thread it chooses, and returns once it is done;
    // what call throws reaches the caller. what names the work, in the desk's
    // words ("Gravando o protocolo").
    virtual void run(const QString &what, const std::function<void()> &call) = 0;
};

}  // namespace kalvero
