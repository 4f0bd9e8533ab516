// The native stand-in of the Windows seam: the C library's allocation, a
// "%ws" that passes ASCII through, and a platform without Toolhelp, processes,
// trust provider or WOW64. Tests replace what they exercise.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "inspect/win_seam.h"

namespace qz::win {
namespace {

// Expands the one "%ws" of `format`; other characters are copied. Code units
// above 0x7F, which only a real locale could convert, become '?'.
std::size_t FormatWideAscii(char* out, std::size_t capacity, const char* format, const char16_t* text) {
  if (capacity == 0) return 0;
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
  return n;
}

void PrintAscii(const char16_t* line) {
  for (const char16_t* c = line; *c != 0; ++c) std::fputc(*c < 0x80 ? static_cast<int>(*c) : '?', stdout);
}

// Without a code page, each byte stands for the code unit of the same value.
std::size_t WidenLatin1(const char* bytes, std::size_t count, char16_t* out, std::size_t capacity) {
  const std::size_t n = count < capacity ? count : capacity;
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
  return n;
}

}  // namespace

WinApi DefaultApi() {
  WinApi api{};
  api.allocate = [](std::size_t bytes) { return std::calloc(1, bytes); };
  api.release = [](void* block) { std::free(block); };
  api.formatWide = &FormatWideAscii;
  api.createToolhelpSnapshot = [](uint32_t, uint32_t) { return InvalidHandle(); };
  api.module32First = [](Handle, ModuleRecord*) { return false; };
  api.module32Next = [](Handle, ModuleRecord*) { return false; };
  api.process32First = [](Handle, ProcessRecord*) { return false; };
  api.process32Next = [](Handle, ProcessRecord*) { return false; };
  api.openProcess = [](uint32_t, bool, uint32_t) -> Handle { return nullptr; };
  api.getModuleFileNameEx = [](Handle, Handle, char16_t*, uint32_t) -> uint32_t { return 0; };
  api.closeHandle = [](Handle) { return true; };
  // TRUST_E_PROVIDER_UNKNOWN: there is no trust provider here.
  api.winVerifyTrust = [](Handle, Guid*, TrustData*) { return static_cast<int32_t>(0x800B0001u); };
  api.getLastError = []() -> uint32_t { return 0; };
  api.printLine = &PrintAscii;
  api.getModuleHandleA = [](const char*) -> Handle { return nullptr; };
  api.getProcAddress = [](Handle, const char*) -> void* { return nullptr; };
  api.callWow64DisableFsRedirection = [](void*, void**) { return false; };
  api.ansiToWide = &WidenLatin1;
  return api;
}

WinApi& Api() {
  static WinApi api = DefaultApi();
  return api;
}

}  // namespace qz::win
