// DisableWow64Redirection: switches off the WOW64 file-system redirection of
// the calling thread where the platform has the switch.
#include "include/QZSteam.h"
#include "platform/export.h"
#include "platform/win_seam.h"

QZ_EXPORT int QZ_CDECL DisableWow64Redirection(int flag) {
  // Any other flag leaves the redirection as it is. Where the platform lacks
  // the switch (32-bit Windows) nothing changes either; the answer is 0 alike.
  if (flag == 1) {
    void* previousState = nullptr;
    qz::win::Api().disableWow64FsRedirection(&previousState);
  }
  return 0;
}
