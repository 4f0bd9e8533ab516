#pragma once
// The full Win32 path of a process's main executable, read with the least
// rights that give it: OpenProcess with PROCESS_QUERY_LIMITED_INFORMATION,
// then QueryFullProcessImageNameW. The path is the kernel's record of the
// image file, so it is read alike from processes of either bitness, and a
// process cannot alter it in its own memory; it is read whole, with room for
// the longest path Windows has.
#include <cstdint>

namespace qz::inspect {

// The longest path Windows has, in code units without the terminator.
inline constexpr uint32_t kLongestPath = 32767;

// Reads the path into the library's one path area (room for kLongestPath
// code units and the terminator) and answers the area: the empty text when
// the process cannot be opened or its path cannot be read. The next read
// overwrites it; the reporting exports, which alone read paths, run on one
// thread.
const char16_t* ReadProcessImagePath(uint32_t processId);

}  // namespace qz::inspect
