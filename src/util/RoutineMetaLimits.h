#pragma once

// The one limit of routine meta information, the same on every path it
// takes: the HTTP and WebSocket servers, the CSV start list, the data file
// and the database header. Whatever is taken at the door fits everywhere
// after it, so a value is stored and read back whole; what does not fit is
// refused at the door with a message that says so, never cut.

namespace ovra::util {

// Entries of one routine's meta information.
constexpr int kMaxRoutineMetaEntries = 256;
// Characters (UTF-16 code units) of one key or one value.
constexpr int kMaxRoutineMetaText = 4096;

} // namespace ovra::util
