// The native stand-in of the Windows seam: the C library's allocation and a
// "%ws" that passes ASCII through. Tests replace what they exercise.
#include <cstdlib>
#include <cstring>

#include "inspect/win_seam.h"

namespace qz::win {
namespace {

// Expands the one "%ws" of `format`; other characters are copied. Code units
// above 0x7F, which only a real locale could convert, become '?'.
void FormatWideAscii(char* out, std::size_t capacity, const char* format, const char16_t* text) {
  if (capacity == 0) return;
  std::size_t n = 0;
  auto put = [&](char c) {
    if (n + 1 < capacity) out[n++] = c;
  };
  for (const char* f = format; *f != '\0'; ++f) {
    if (f[0] == '%' && f[1] == 'w' && f[2] == 's') {
      for (const char16_t* t = text; t != nullptr && *t != 0; ++t) put(*t < 0x80 ? static_cast<char>(*t) : '?');
      f += 2;
    } else {
      put(*f);
    }
  }
  out[n] = '\0';
}

}  // namespace

WinApi DefaultApi() {
  WinApi api{};
  api.allocate = [](std::size_t bytes) { return std::malloc(bytes); };
  api.release = [](void* block) { std::free(block); };
  api.formatWide = &FormatWideAscii;
  return api;
}

WinApi& Api() {
  static WinApi api = DefaultApi();
  return api;
}

}  // namespace qz::win
