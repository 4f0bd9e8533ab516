// The native stand-in of the Windows seam: a real sleep, the C library's
// allocation, a code page that holds ASCII only, and a platform without
// debugger, Toolhelp, processes, trust provider or WOW64. Tests replace what
// they exercise.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/text.h"
#include "platform/win_seam.h"

namespace qz::win {

WinApi DefaultApi() {
  WinApi api{};
  api.sleep = [](uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
  api.outputDebugStringW = [](const char16_t*) {};
  api.outputDebugStringA = [](const char*) {};
  api.pinOwnModule = [] { return false; };
  api.allocate = [](std::size_t bytes) { return std::calloc(1, bytes); };
  api.release = [](void* block) { std::free(block); };
  api.wideToAnsi = &text::NarrowToAscii;
  api.createToolhelpSnapshot = [](uint32_t, uint32_t) { return InvalidHandle(); };
  api.module32First = [](Handle, ModuleRecord*) { return false; };
  api.module32Next = [](Handle, ModuleRecord*) { return false; };
  api.process32First = [](Handle, ProcessRecord*) { return false; };
  api.process32Next = [](Handle, ProcessRecord*) { return false; };
  api.getCurrentProcessId = []() -> uint32_t { return 0; };
  api.openProcess = [](uint32_t, bool, uint32_t) -> Handle { return nullptr; };
  api.queryFullProcessImageName = [](Handle, uint32_t, char16_t*, uint32_t*) { return false; };
  api.closeHandle = [](Handle) { return true; };
  // TRUST_E_PROVIDER_UNKNOWN: there is no trust provider here.
  api.winVerifyTrust = [](Handle, Guid*, TrustData*) { return static_cast<int32_t>(0x800B0001u); };
  api.getLastError = []() -> uint32_t { return 0; };
  api.disableWow64FsRedirection = [](void**) { return false; };
  api.ansiToWide = &text::WidenLatin1;
  api.printLine = [](const char* bytes, std::size_t count) { std::fwrite(bytes, 1, count, stdout); };
  api.revertWow64FsRedirection = [](void*) { return false; };
  return api;
}

WinApi& Api() {
  static WinApi api = DefaultApi();
  return api;
}

}  // namespace qz::win
