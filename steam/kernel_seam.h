#pragma once
// The kernel calls of the Steam session: the ticket wait's Sleep and the
// statistics cycle's debugger lines. A table of function pointers, so that the
// unit tests read the debugger output and let the wait sleep instantly. The
// Windows implementation only forwards; the native default sleeps for real and
// drops the debugger lines (there is no debugger to take them).
#include <cstdint>

namespace qz::kernel {

struct KernelApi {
  void (*sleep)(uint32_t milliseconds);               // Sleep
  void (*outputDebugStringW)(const char16_t* text);   // OutputDebugStringW, UTF-16
  void (*outputDebugStringA)(const char* text);       // OutputDebugStringA
};

// The table in use. Tests replace entries and put the defaults back.
KernelApi& Api();
// The table that Api() starts with.
KernelApi DefaultApi();

}  // namespace qz::kernel
