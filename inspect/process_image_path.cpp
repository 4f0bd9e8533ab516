#include "inspect/process_image_path.h"

#include "platform/unique_handle.h"

namespace qz::inspect {

ProcessImagePath ReadProcessImagePath(uint32_t processId) {
  ProcessImagePath path{};
  win::WinApi& api = win::Api();
  win::UniqueHandle process(api.openProcess(win::kProcessQueryLimitedInformation, false, processId));
  if (!process.valid()) return path;
  uint32_t length = win::kMaxPath;
  // Flags 0: the Win32 form of the path (a drive letter or a UNC share), not
  // the kernel's device form. A failed read may leave anything in the area.
  const bool read = api.queryFullProcessImageName(process.get(), 0, path.text, &length);
  path.text[read && length < win::kMaxPath ? length : 0] = 0;
  return path;
}

}  // namespace qz::inspect
