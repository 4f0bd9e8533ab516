// Shows the inspection exports on this machine: the demo's own modules, its
// executable's path, and the signature check of the demo's own files.
#include <cstdio>
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
  if (moduleProfile == nullptr || exePath == nullptr || verify == nullptr) {
    std::printf("the inspection exports are missing\n");
    return;
  }
  std::printf("GetModuleProfile(0): %s\n", moduleProfile(0));
  std::printf("GetExePath(0): %s\n", exePath(0));
  for (const wchar_t* file : {L"qzsteam_demo.exe", L"QZSteam.dll"}) {
    const std::wstring path = DemoFolder() + L"\\" + file;
    std::fflush(stdout);  // the library prints its own line on the same stream
    const bool passed = verify(path.c_str());
    std::fflush(stdout);
    std::printf("VerifyEmbeddedSignature(%ls): %s\n", path.c_str(), passed ? "true" : "false");
  }
}
