#include "inspect/process_image_path.h"

#include "platform/unique_handle.h"

namespace qz::inspect {

ProcessImagePath ReadProcessImagePath(uint32_t processId) {
  ProcessImagePath path{};
  win::WinApi& api = win::Api();
  win::UniqueHandle process(api.openProcess(win::kProcessAllAccess, false, processId));
  if (!process.valid()) return path;
  const uint32_t length = api.getModuleFileNameEx(process.get(), nullptr, path.text, win::kMaxPath);
  // A failed read may leave anything in the area, and a path cut to the
  // capacity may lack its terminator on older systems.
  if (length == 0) path.text[0] = 0;
  path.text[win::kMaxPath - 1] = 0;
  return path;
}

}  // namespace qz::inspect
