// Events and requests against the stand-in steam_api.dll: a micro-transaction
// result reaching the game's function, the overlay opened and closed, a ticket
// fetched with pumping and printed as hex, and the pass-through requests.
#include <cstdint>
#include <cstdio>
#include <string>

#include "demo/demo.h"
#include "sim/stand_in_client.h"

namespace {

// The stand-in's calls since the last look, printed when they are interface calls.
void PrintInterfaceCalls(qz::sim::StandInClient& platform) {
  size_t pumps = 0, statistics = 0;
  for (const std::string& call : platform.TakeCalls()) {
    if (call.rfind("SteamAPI_RunCallbacks", 0) == 0) ++pumps;
    if (call.rfind("SteamAPI_ISteamUserStats_", 0) == 0) ++statistics;
    if (call.rfind("SteamAPI_ISteamUser_", 0) == 0 || call.rfind("SteamAPI_ISteamFriends_", 0) == 0)
      std::printf("    %s\n", call.c_str());
  }
  if (pumps > 0)
    std::printf("    %zu pumps of SteamAPI_RunCallbacks, in which the statistics cycle made %zu calls\n", pumps,
                statistics);
}

void __cdecl OnMicroTxn(uint64_t orderId, int32_t authorized) {
  std::printf("    the game's function received order %llu, authorised %d\n",
              static_cast<unsigned long long>(orderId), authorized);
}

// The platform's event records, as steam_api.dll delivers them (pack 8).
struct MicroTxnRecord {
  uint32_t appId;
  uint32_t padding;
  uint64_t orderId;
  uint8_t authorized;
  uint8_t rest[7];
};
static_assert(sizeof(MicroTxnRecord) == 24, "MicroTxnAuthorizationResponse_t");

}  // namespace

void RunSteamRequestsDemo(HMODULE qzsteam) {
  std::printf("\nAuthentication ticket and overlay page against the simulated platform\n");
  qz::sim::StandInClient platform;
  if (!platform.Usable()) {
    std::printf("  no stand-in steam_api.dll next to the demo\n");
    return;
  }
  auto init = Export<int32_t(__cdecl*)()>(qzsteam, "QZSteam_Init");
  auto ticket = Export<char*(__cdecl*)(int32_t)>(qzsteam, "QZSteam_GetAuthTicket");
  auto openUrl = Export<void(__cdecl*)(const char*)>(qzsteam, "QZSteam_OpenURL");
  auto shutdown = Export<void(__cdecl*)()>(qzsteam, "QZSteam_Shutdown");
  auto pump = Export<void(__cdecl*)()>(qzsteam, "QZSteam_RunCallbacks");
  auto setMicroTxn = Export<int32_t(__cdecl*)(void(__cdecl*)(uint64_t, int32_t))>(qzsteam, "QZSteam_SetMicroTxnCallback");
  auto overlayActive = Export<int32_t(__cdecl*)()>(qzsteam, "QZSteam_IsOverlayActive");
  auto openOverlay = Export<void(__cdecl*)(const char*)>(qzsteam, "QZSteam_OpenOverlay");
  auto httpRequest = Export<uint32_t(__cdecl*)(int32_t, const char*)>(qzsteam, "QZSteam_CreateHTTPRequest");
  auto appId = Export<uint32_t(__cdecl*)()>(qzsteam, "QZSteam_Test");
  if (!init || !ticket || !openUrl || !shutdown || !pump || !setMicroTxn || !overlayActive || !openOverlay ||
      !httpRequest || !appId) {
    std::printf("  QZSteam.dll lacks the ticket or pass-through exports\n");
    return;
  }

  platform.SetTicket({0x14, 0x00, 0x00, 0x00, 0x9C, 0x5E, 0xA1, 0x3B, 0x0F, 0x80, 0xFF, 0x2A});
  platform.SetTicketResponse(k_EResultOK, 3);
  std::printf("  QZSteam_Init answered %d\n", init());
  platform.ClearCalls();

  std::printf("  QZSteam_SetMicroTxnCallback answered %d; the platform sends an authorised order, then a tick\n",
              setMicroTxn(&OnMicroTxn));
  const MicroTxnRecord order{480, 0, 9001, 1, {}};
  platform.QueueEvent(152, &order, sizeof order, 1);
  pump();
  for (const uint8_t active : {uint8_t{1}, uint8_t{0}}) {
    platform.QueueEvent(331, &active, 1, 1);
    pump();
    std::printf("  overlay %s: QZSteam_IsOverlayActive answers %d\n", active ? "opened" : "closed", overlayActive());
  }
  platform.ClearCalls();

  const char* answer = ticket(1);
  std::printf("  QZSteam_GetAuthTicket(1) answered \"%s\" (response on the third pump)\n", answer);
  PrintInterfaceCalls(platform);

  openUrl("https://example.org/news");
  openOverlay("achievements");
  std::printf("  QZSteam_OpenURL(\"https://example.org/news\"), QZSteam_OpenOverlay(\"achievements\"):\n");
  PrintInterfaceCalls(platform);
  std::printf("  QZSteam_CreateHTTPRequest(1, \"https://example.org/api\") answered handle %u\n",
              httpRequest(1, "https://example.org/api"));
  std::printf("  QZSteam_Test answered application id %u\n", appId());
  shutdown();
}
