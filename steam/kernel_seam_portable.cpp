// The native stand-in of the kernel seam: a real sleep, and no debugger to
// write to.
#include <chrono>
#include <thread>

#include "steam/kernel_seam.h"

namespace qz::kernel {

KernelApi DefaultApi() {
  KernelApi api{};
  api.sleep = [](uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
  api.outputDebugStringW = [](const char16_t*) {};
  api.outputDebugStringA = [](const char*) {};
  return api;
}

KernelApi& Api() {
  static KernelApi api = DefaultApi();
  return api;
}

}  // namespace qz::kernel
