// The ticket and a pass-through, against the stand-in steam_api.dll: a ticket
// fetched with pumping and printed as hex, an overlay web page opened.
#include <cstdint>
#include <cstdio>
#include <string>

#include "demo/demo.h"

namespace {

// The stand-in's calls since the last look, printed when they are interface calls.
void PrintInterfaceCalls(HMODULE platform) {
  size_t pumps = 0, statistics = 0;
  for (const std::string& call : TakeStandInCalls(platform)) {
    if (call.rfind("SteamAPI_RunCallbacks", 0) == 0) ++pumps;
    if (call.rfind("SteamAPI_ISteamUserStats_", 0) == 0) ++statistics;
    if (call.rfind("SteamAPI_ISteamUser_", 0) == 0 || call.rfind("SteamAPI_ISteamFriends_", 0) == 0)
      std::printf("    %s\n", call.c_str());
  }
  if (pumps > 0)
    std::printf("    %zu pumps of SteamAPI_RunCallbacks, in which the statistics cycle made %zu calls\n", pumps,
                statistics);
}

}  // namespace

void RunSteamRequestsDemo(HMODULE qzsteam) {
  std::printf("\nAuthentication ticket and overlay page against the simulated platform\n");
  HMODULE platform = GetModuleHandleW(L"steam_api.dll");
  if (platform == nullptr || GetProcAddress(platform, "QZSim_SetTicket") == nullptr) {
    std::printf("  no stand-in steam_api.dll next to the demo\n");
    return;
  }
  auto init = Export<int32_t(__cdecl*)()>(qzsteam, "QZSteam_Init");
  auto ticket = Export<char*(__cdecl*)(int32_t)>(qzsteam, "QZSteam_GetAuthTicket");
  auto openUrl = Export<void(__cdecl*)(const char*)>(qzsteam, "QZSteam_OpenURL");
  auto shutdown = Export<void(__cdecl*)()>(qzsteam, "QZSteam_Shutdown");
  if (!init || !ticket || !openUrl || !shutdown) {
    std::printf("  QZSteam.dll lacks the ticket or pass-through exports\n");
    return;
  }

  const uint8_t bytes[] = {0x14, 0x00, 0x00, 0x00, 0x9C, 0x5E, 0xA1, 0x3B, 0x0F, 0x80, 0xFF, 0x2A};
  Export<void(__cdecl*)(const uint8_t*, int32_t)>(platform, "QZSim_SetTicket")(bytes, sizeof bytes);
  Export<void(__cdecl*)(int32_t, int32_t)>(platform, "QZSim_SetTicketResponse")(1, 3);
  std::printf("  QZSteam_Init answered %d\n", init());
  Export<void(__cdecl*)()>(platform, "QZSim_ClearCalls")();

  const char* answer = ticket(1);
  std::printf("  QZSteam_GetAuthTicket(1) answered \"%s\" (response on the third pump)\n", answer);
  PrintInterfaceCalls(platform);

  openUrl("https://example.org/news");
  std::printf("  QZSteam_OpenURL(\"https://example.org/news\"):\n");
  PrintInterfaceCalls(platform);
  shutdown();
}
