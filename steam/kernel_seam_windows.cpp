// The kernel seam, forwarding to the real Windows functions.
#include <windows.h>

#include "steam/kernel_seam.h"

namespace qz::kernel {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is wchar_t on Windows");

KernelApi DefaultApi() {
  KernelApi api{};
  api.sleep = [](uint32_t milliseconds) { ::Sleep(milliseconds); };
  api.outputDebugStringW = [](const char16_t* text) { ::OutputDebugStringW(reinterpret_cast<const wchar_t*>(text)); };
  api.outputDebugStringA = [](const char* text) { ::OutputDebugStringA(text); };
  return api;
}

KernelApi& Api() {
  static KernelApi api = DefaultApi();
  return api;
}

}  // namespace qz::kernel
