#include "sim/stand_in_paths.h"

#include <windows.h>

#include <algorithm>

namespace qz::sim {
namespace {

// The longest path Windows has, in UTF-16 units.
constexpr DWORD kLongestPath = 32768;

// Asks `fill` (which answers the length it needs, or 0) with a growing buffer.
template <class Fill>
std::wstring Grown(Fill fill) {
  std::wstring text(MAX_PATH, L'\0');
  while (text.size() <= kLongestPath) {
    const DWORD n = fill(text.data(), static_cast<DWORD>(text.size()));
    if (n == 0) return L"";
    if (n < text.size()) return text.substr(0, n);
    text.resize(std::max<std::size_t>(n + 1, text.size() * 2));
  }
  return L"";
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::wstring DllFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&DllFolder), &self)) {
    return L"";
  }
  // GetModuleFileNameW answers the buffer's size (cut) when the name does not fit.
  const std::wstring file = Grown([self](wchar_t* buffer, DWORD size) {
    const DWORD n = GetModuleFileNameW(self, buffer, size);
    return n >= size ? size : n;
  });
  const std::size_t slash = file.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"" : WholePath(file.substr(0, slash + 1));
}

std::wstring WholePath(const std::wstring& path) {
  // Windows does not resolve a path of the long form: resolve its plain form.
  const std::wstring plain = StartsWith(path, L"\\\\?\\UNC\\") ? L"\\\\" + path.substr(8)
                             : StartsWith(path, L"\\\\?\\")      ? path.substr(4)
                                                                  : path;
  std::wstring full = Grown([&plain](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(plain.c_str(), size, buffer, nullptr);
  });
  // Room for a file name after a folder keeps a folder in the plain form only when its files fit too.
  if (full.empty() || full.size() < MAX_PATH - 32) return full;
  return StartsWith(full, L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

std::wstring LinkTarget(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  const std::wstring target = Grown([file](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(file, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  CloseHandle(file);
  return target.empty() ? path : target;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return L"";
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return "";
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n, nullptr, nullptr);
  return narrow;
}

}  // namespace qz::sim
