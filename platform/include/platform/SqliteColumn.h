#pragma once
// Reading an INTEGER column of SQLite into one of the 32-bit settings variables. The file may hold
// any 64-bit value; one beyond the 32-bit range saturates at its nearest end instead of losing its
// high bits, so every test the programs make of a setting (zero or not, exactly 1 or not, before or
// after an hour or a minute) comes out as it would with the value the file holds: 2^32 stays
// "not zero" and "not 1", where the low 32 bits alone would read 0, and 2^32 + 1 would read 1.
// Header only: whoever includes it links SQLite already.
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform {

inline int32_t column_int32(sqlite3_stmt* statement, int column) {
    const sqlite3_int64 value = sqlite3_column_int64(statement, column);
    return static_cast<int32_t>(std::clamp<sqlite3_int64>(value, std::numeric_limits<int32_t>::min(),
                                                          std::numeric_limits<int32_t>::max()));
}

} // namespace platform
