#pragma once
// The full path of a process's main executable, read through a handle to the
// process (OpenProcess with all access, then GetModuleFileNameExW).
#include <cstdint>

#include "platform/win_seam.h"

namespace qz::inspect {

struct ProcessImagePath {
  char16_t text[win::kMaxPath];
  bool empty() const { return text[0] == 0; }
};

// The empty path when the process cannot be opened or its path cannot be read.
ProcessImagePath ReadProcessImagePath(uint32_t processId);

}  // namespace qz::inspect
