// Shows the inspection exports on this machine: the demo's own modules, its
// executable's path and profile, the unsigned processes, and the signature
// check of a signed and an unsigned file.
#include <cstdio>
#include <cstring>
#include <string>

#include "demo/demo.h"

namespace {

std::wstring DemoFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

}  // namespace

void RunInspectionDemo(HMODULE qzsteam) {
  using Report = char*(__cdecl*)(unsigned int);
  using Verify = bool(__cdecl*)(const wchar_t*);
  auto moduleProfile = Export<Report>(qzsteam, "GetModuleProfile");
  auto exePath = Export<Report>(qzsteam, "GetExePath");
  auto verify = Export<Verify>(qzsteam, "VerifyEmbeddedSignature");
  auto profile = Export<Report>(qzsteam, "VerifyProcessProfile");
  auto unsignedProcesses = Export<char*(__cdecl*)()>(qzsteam, "QZS_glosdi");
  if (moduleProfile == nullptr || exePath == nullptr || verify == nullptr || profile == nullptr ||
      unsignedProcesses == nullptr) {
    std::printf("the inspection exports are missing\n");
    return;
  }
  std::printf("\nMachine inspection of the demo's own process\n");
  const char* modules = moduleProfile(0);
  std::printf("GetModuleProfile(0): %.300s%s\n", modules, std::strlen(modules) > 300 ? "..." : "");
  std::printf("GetExePath(0): %s\n", exePath(0));
  std::fflush(stdout);
  const char* verdict = profile(0);
  std::fflush(stdout);
  std::printf("VerifyProcessProfile(0): %s\n", verdict);
  std::fflush(stdout);
  const char* processes = unsignedProcesses();
  std::fflush(stdout);
  std::printf("QZS_glosdi(): %.300s%s\n", processes, std::strlen(processes) > 300 ? "..." : "");
  // signing\ holds copies of a small program, signed at build time with a
  // throwaway certificate and left unsigned.
  for (const wchar_t* file : {L"signing\\signed.exe", L"signing\\unsigned.exe"}) {
    const std::wstring path = DemoFolder() + L"\\" + file;
    std::fflush(stdout);  // the library prints its own line on the same stream
    const bool passed = verify(path.c_str());
    std::fflush(stdout);
    std::printf("VerifyEmbeddedSignature(%ls): %s\n", path.c_str(), passed ? "true" : "false");
  }
}
