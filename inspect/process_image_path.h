#pragma once
// The full Win32 path of a process's main executable, read with the least
// rights that give it: OpenProcess with PROCESS_QUERY_LIMITED_INFORMATION,
// then QueryFullProcessImageNameW. The path is the kernel's record of the
// image file, so it is read alike from processes of either bitness, and a
// process cannot alter it in its own memory.
#include <cstdint>

#include "platform/win_seam.h"

namespace qz::inspect {

struct ProcessImagePath {
  char16_t text[win::kMaxPath];
  bool empty() const { return text[0] == 0; }
};

// The empty path when the process cannot be opened or its path cannot be read;
// a path of 260 code units or more cannot: it would not fit with its terminator.
ProcessImagePath ReadProcessImagePath(uint32_t processId);

}  // namespace qz::inspect
