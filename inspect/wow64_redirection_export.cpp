// DisableWow64Redirection: switches off the WOW64 file-system redirection of
// the calling thread where the platform has the switch.
#include "inspect/inspection_exports.h"
#include "inspect/win_seam.h"

QZ_EXPORT int QZ_CDECL DisableWow64Redirection(int flag) {
  qz::win::WinApi& api = qz::win::Api();
  // Looked up at every call: 32-bit Windows lacks the function.
  qz::win::Handle kernel32 = api.getModuleHandleA("kernel32.dll");
  if (kernel32 == nullptr) return 0;
  void* disable = api.getProcAddress(kernel32, "Wow64DisableWow64FsRedirection");
  if (disable == nullptr) return 0;
  // Any other flag leaves the redirection as it is.
  if (flag == 1) {
    void* previousState = nullptr;
    api.callWow64DisableFsRedirection(disable, &previousState);
  }
  return 0;
}
