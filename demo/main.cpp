#include <cstdio>

#include "demo/demo.h"

int main() {
  HMODULE qzsteam = LoadLibraryW(L"QZSteam.dll");
  if (qzsteam == nullptr) {
    std::printf("QZSteam.dll could not be loaded (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("QZSteam.dll loaded\n");
  RunEngineBindingDemo(qzsteam);
  RunSteamSessionDemo(qzsteam);
  RunSteamRequestsDemo(qzsteam);
  RunInspectionDemo(qzsteam);
  return 0;
}
