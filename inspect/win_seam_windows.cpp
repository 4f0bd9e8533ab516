// The Windows seam, forwarding to the real platform functions.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "inspect/win_seam.h"

namespace qz::win {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is wchar_t on Windows");

void FormatWide(char* out, std::size_t capacity, const char* format, const char16_t* text) {
  if (capacity == 0) return;
  out[0] = '\0';
  // msvcrt's own _snprintf: "%ws" converts in the runtime's current locale
  // (MinGW's C99 printf would not). It leaves no terminator when it cuts.
  _snprintf(out, capacity - 1, format, reinterpret_cast<const wchar_t*>(text));
  out[capacity - 1] = '\0';
}

}  // namespace

WinApi DefaultApi() {
  WinApi api{};
  api.allocate = [](std::size_t bytes) { return std::malloc(bytes); };
  api.release = [](void* block) { std::free(block); };
  api.formatWide = &FormatWide;
  return api;
}

WinApi& Api() {
  static WinApi api = DefaultApi();
  return api;
}

}  // namespace qz::win
