#pragma once

#include <cstddef>

namespace kalvero {

// True when the bytes begin a Firebird database file (its header page), as
// the archives made by copying the file hold; anything else is taken for the
// engine's backup stream.
bool isDatabaseFileStart(const char *data, std::size_t size);

}  // namespace kalvero
