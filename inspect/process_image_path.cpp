#include "inspect/process_image_path.h"

#include "platform/unique_handle.h"
#include "platform/win_seam.h"

namespace qz::inspect {
namespace {

// Static rather than on the stack: 64 KiB is a lot of a game thread's stack,
// and zero pages cost nothing until a long path is read.
char16_t g_path[kLongestPath + 1];

}  // namespace

const char16_t* ReadProcessImagePath(uint32_t processId) {
  g_path[0] = 0;
  win::WinApi& api = win::Api();
  win::UniqueHandle process(api.openProcess(win::kProcessQueryLimitedInformation, false, processId));
  if (!process.valid()) return g_path;
  uint32_t length = kLongestPath + 1;
  // Flags 0: the Win32 form of the path (a drive letter or a UNC share), not
  // the kernel's device form. A failed read may leave anything in the area.
  const bool read = api.queryFullProcessImageName(process.get(), 0, g_path, &length);
  g_path[read && length <= kLongestPath ? length : 0] = 0;
  return g_path;
}

}  // namespace qz::inspect
