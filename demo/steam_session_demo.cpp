// A simulated Steam session: the stand-in steam_api.dll next to the demo plays
// the platform, the game's side is played here through QZSteam's exports.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "demo/demo.h"
#include "sim/stand_in_client.h"

namespace {

// The platform calls since the last look, without the pumps and accessors.
std::vector<std::string> NewCalls(qz::sim::StandInClient& platform) {
  std::vector<std::string> calls;
  for (const std::string& call : platform.TakeCalls()) {
    if (call.rfind("SteamAPI_RunCallbacks", 0) == 0 || call.rfind("SteamAPI_Steam", 0) == 0) continue;
    calls.push_back(call);
  }
  return calls;
}

bool Contains(const std::vector<std::string>& calls, const std::string& prefix) {
  for (const std::string& call : calls) {
    if (call.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

// Prints the calls, folding the run of SetStat calls of a store into one line.
void PrintCalls(const std::vector<std::string>& calls) {
  int setStats = 0;
  std::string kill;
  for (const std::string& call : calls) {
    if (call.rfind("SteamAPI_ISteamUserStats_SetStat", 0) == 0) {
      ++setStats;
      if (call.find("(KILL_ENEMY,") != std::string::npos) kill = call;
      continue;
    }
    if (setStats > 0) {
      std::printf("    ... %d SetStat calls, among them %s\n", setStats, kill.c_str());
      setStats = 0;
    }
    std::printf("    %s\n", call.c_str());
  }
}

}  // namespace

void RunSteamSessionDemo(HMODULE qzsteam) {
  std::printf("\nSteam session against the simulated platform\n");
  qz::sim::StandInClient platform;
  if (!platform.Usable()) {
    std::printf("  no stand-in steam_api.dll next to the demo\n");
    return;
  }
  platform.SetAppId(480);
  platform.SetStatInt("VERSION", 1);
  platform.SetStatInt("KILL_ENEMY", 7);
  platform.SetDisplayAttribute("KILL_ENEMY_10", "name", "Ten down");

  auto init = Export<int32_t(__cdecl*)()>(qzsteam, "QZSteam_Init");
  auto pump = Export<void(__cdecl*)()>(qzsteam, "QZSteam_RunCallbacks");
  auto shutdown = Export<void(__cdecl*)()>(qzsteam, "QZSteam_Shutdown");
  auto accountId = Export<uint32_t(__cdecl*)()>(qzsteam, "QZSteam_GetAccID");
  auto raise = Export<void(__cdecl*)(int32_t, const char*)>(qzsteam, "QZSteam_IncreaseStatValue");
  auto updateServer = Export<void(__cdecl*)()>(qzsteam, "QZSteam_UpdateServer");
  // The session read back: no platform call behind any of them.
  auto statsReceived = Export<int32_t(__cdecl*)()>(qzsteam, "QZSteam_StatsReceived");
  auto statValue = Export<int32_t(__cdecl*)(const char*)>(qzsteam, "QZSteam_GetStatValue");
  auto isAchieved = Export<int32_t(__cdecl*)(const char*)>(qzsteam, "QZSteam_IsAchieved");
  auto display = Export<const char*(__cdecl*)(const char*, const char*)>(qzsteam, "QZSteam_GetAchievementDisplay");
  if (!init || !pump || !shutdown || !accountId || !raise || !updateServer || !statsReceived || !statValue ||
      !isAchieved || !display) {
    std::printf("  QZSteam.dll lacks the session exports\n");
    return;
  }

  int32_t started = init();
  std::printf("  QZSteam_Init answered %d, account id %u\n", started, accountId());
  PrintCalls(NewCalls(platform));

  bool received = false;
  for (int tick = 1; tick <= 5 && !received; ++tick) {
    pump();
    std::vector<std::string> calls = NewCalls(platform);
    received = statsReceived() == 1;
    if (received) {
      std::printf("  tick %d: %zu platform calls, statistics and achievements received (on the account KILL_ENEMY is "
                  "%d, KILL_ENEMY_10 %s)\n",
                  tick, calls.size(), platform.StatInt("KILL_ENEMY"),
                  platform.Achieved("KILL_ENEMY_10") ? "unlocked" : "locked");
      std::printf("  QZSteam_StatsReceived answers 1; read back: KILL_ENEMY %d, \"%s\" (KILL_ENEMY_10) %d\n",
                  statValue("KILL_ENEMY"), display("KILL_ENEMY_10", "name"), isAchieved("KILL_ENEMY_10"));
    } else {
      std::printf("  tick %d: %zu platform calls\n", tick, calls.size());
    }
    if (!received) PrintCalls(calls);
  }

  bool unlocked = false;
  for (int kills = 8; kills <= 12 && !unlocked; ++kills) {
    raise(1, "KILL_ENEMY");
    std::printf("  QZSteam_IncreaseStatValue(1, \"KILL_ENEMY\"), then a tick\n");
    pump();
    std::vector<std::string> calls = NewCalls(platform);
    unlocked = Contains(calls, "SteamAPI_ISteamUserStats_SetAchievement(KILL_ENEMY_10)");
    PrintCalls(calls);
  }
  std::printf("  on the account: KILL_ENEMY %d, KILL_ENEMY_10 %s; read back: KILL_ENEMY %d, KILL_ENEMY_10 %d\n",
              platform.StatInt("KILL_ENEMY"), platform.Achieved("KILL_ENEMY_10") ? "unlocked" : "locked",
              statValue("KILL_ENEMY"), isAchieved("KILL_ENEMY_10"));

  pump();
  std::printf("  next tick delivers the store's outcome; %zu platform calls\n", NewCalls(platform).size());
  raise(1, "KILL_ENEMY");
  updateServer();
  shutdown();
  std::printf("  one more kill, then the exit sequence QZSteam_UpdateServer(); QZSteam_Shutdown():\n");
  PrintCalls(NewCalls(platform));
  std::printf("  on the account: KILL_ENEMY %d\n", platform.StatInt("KILL_ENEMY"));
}
