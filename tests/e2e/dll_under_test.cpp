#include "dll_under_test.h"

#include <gtest/gtest.h>

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}

HMODULE LoadQZSteam() {
  HMODULE module = LoadLibraryW((ProgramFolder() + L"\\QZSteam.dll").c_str());
  EXPECT_NE(module, nullptr) << "LoadLibraryW failed with " << GetLastError();
  return module;
}

const void* QZSteamExport(const char* name) {
  HMODULE module = GetModuleHandleW(L"QZSteam.dll");
  if (!module) module = LoadQZSteam();
  return module ? reinterpret_cast<const void*>(GetProcAddress(module, name)) : nullptr;
}
