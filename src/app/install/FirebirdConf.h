#pragma once

#include <QString>

namespace kalvero::FirebirdConf {

// firebird.conf's RemoteBindAddress: where an uncommented line with a value
// binds the server's listener to one address (Debian's package sets
// localhost), workstations cannot reach it.

// The address the listener is bound to; empty when it listens everywhere.
QString boundAddress(const QString &text);

// The text with every binding line commented out, so that the server listens
// on every interface; the text unchanged when nothing binds it.
QString listenOnEveryInterface(const QString &text);

}  // namespace kalvero::FirebirdConf
