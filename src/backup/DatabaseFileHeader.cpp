#include "DatabaseFileHeader.h"

namespace kalvero {

bool isDatabaseFileStart(const char *data, std::size_t size) {
    // Header page: page type 1 first; page size at byte 16 and the on-disk
    // structure version at byte 18, with the Firebird flag 0x8000.
    if (size < 20)
        return false;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(data[i])); };
    const unsigned pageSize = byte(16) | (byte(17) << 8);
    const unsigned ods = byte(18) | (byte(19) << 8);
    const bool powerOfTwo = pageSize != 0 && (pageSize & (pageSize - 1)) == 0;
    return byte(0) == 1 && powerOfTwo && pageSize >= 1024 && pageSize <= 32768 && (ods & 0x8000) != 0;
}

}  // namespace kalvero
