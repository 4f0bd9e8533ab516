#pragma once
// The Windows seam of the inspection exports: every platform call they make
// goes through this table, so that the report rules and every failure path run
// natively against fakes. The Windows implementation only forwards; the native
// defaults are portable stand-ins (allocation, an ASCII "%ws") or report the
// platform as absent.
#include <cstddef>

namespace qz::win {

struct WinApi {
  // The report block: malloc and free of the C runtime.
  void* (*allocate)(std::size_t bytes);
  void (*release)(void* block);
  // The C runtime's sprintf of one UTF-16 text with a "%ws" format (in the
  // runtime's current locale), writing at most `capacity` bytes into `out`,
  // terminator included, and always leaving `out` terminated.
  void (*formatWide)(char* out, std::size_t capacity, const char* format, const char16_t* text);
};

// The table in use. Tests replace entries and put the defaults back.
WinApi& Api();
// The table that Api() starts with.
WinApi DefaultApi();

}  // namespace qz::win
