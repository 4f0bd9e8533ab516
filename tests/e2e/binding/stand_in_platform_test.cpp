// The real DLL on a stand-in steam_api.dll of each kind the binding tells
// apart: 1.48+, 1.61+ (no RequestCurrentStats: the binding answers itself)
// and 1.32-1.36 (plain accessors, older stat export names). One session shows
// the six callback objects as steam_api.dll sees them the MSVC way (raw
// offsets, __thiscall through the vtable: registered under their ids, sizes
// from slot 2, events through slot 1), micro-transaction results reaching the
// game's cdecl function with the whole 64-bit order id, the statistics
// received, and one raised into its achievement and stored with all others.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "export_call.h"
#include "sim/stand_in_client.h"

namespace {

#if defined(QZ_STAND_IN_161)
constexpr std::size_t kRequestsToThePlatform = 0;
#else
constexpr std::size_t kRequestsToThePlatform = 1;
#endif
#if defined(QZ_STAND_IN_132)
const std::string kGetInt = "GetStat(", kSetInt = "SetStat(", kSetFloat = "SetStat0(";
#else
const std::string kGetInt = "GetStatInt32(", kSetInt = "SetStatInt32(", kSetFloat = "SetStatFloat(";
#endif
const std::string kStats = "SteamAPI_ISteamUserStats_";

std::vector<std::pair<uint64_t, int32_t>> g_microTxns;
void __cdecl OnMicroTxn(uint64_t orderId, int32_t authorized) { g_microTxns.emplace_back(orderId, authorized); }

TEST(StandInPlatform, CallbackObjectsMicroTransactionsAndTheRoadOfOneStatistic) {
  qz::sim::StandInClient platform(ProgramFolder() + L"\\steam_api.dll");  // the one in the program's folder
  ASSERT_TRUE(platform.Usable()) << "the stand-in with every control export";
  // The stand-in's log entries of ISteamUserStats methods starting with `method`.
  const auto StatsCalls = [&platform](const std::string& method) { return platform.Calls(kStats + method); };
  platform.SetStatInt("VERSION", 1);  // the one-time reset is behind this player
  platform.SetStatInt("KILL_ENEMY", 9);
  platform.SetStatFloat("RUN", 12.5f);
  ASSERT_NE(LoadQZSteam(), nullptr);
  ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);

  const int32_t expected[][2] = {{331, 1}, {152, 24}, {163, 8}, {1101, 24}, {1102, 16}, {1103, 152}};  // id, size
  const std::vector<QZSimRegistration> registrations = platform.Registrations();
  ASSERT_EQ(registrations.size(), 6u);
  for (int32_t i = 0; i < 6; ++i) {
    const QZSimRegistration& r = registrations[i];
    EXPECT_EQ(std::make_tuple(r.callbackIdArgument, r.sizeBytes, r.flags, r.callbackIdField),
              std::make_tuple(expected[i][0], expected[i][1], 1, expected[i][0]))
        << "registration " << i << ": id argument, slot 2's size, flags at offset 4, id at offset 8";
  }

  ASSERT_EQ(CallExport("QZSteam_SetMicroTxnCallback", {Arg(reinterpret_cast<void*>(&OnMicroTxn))}).low(), 1u);
  const MicroTxnAuthorizationResponse_t txns[] = {{480, 0x0123456789ABCDEFull, 1}, {480, 42, 0}};
  for (const auto& txn : txns) platform.QueueEvent(txn);
  CallExport("QZSteam_RunCallbacks");  // delivers them and asks for the statistics
  EXPECT_EQ(g_microTxns, (std::vector<std::pair<uint64_t, int32_t>>{{0x0123456789ABCDEFull, 1}, {42, 0}}));
  CallExport("QZSteam_RunCallbacks");  // receives the statistics
  ASSERT_EQ(StatsCalls(kGetInt + "KILL_ENEMY,ptr)").size(), 1u) << "statistics received";
  EXPECT_EQ(StatsCalls("RequestCurrentStats").size(), kRequestsToThePlatform);

  platform.ClearCalls();
  CallExport("QZSteam_IncreaseStatValue", {1, Arg("KILL_ENEMY")});
  CallExport("QZSteam_RunCallbacks");
  const std::vector<std::string> written = StatsCalls("");
  ASSERT_EQ(written.size(), 41u) << "the achievement, the 39 statistics, the store";
  EXPECT_EQ(written.front(), kStats + "SetAchievement(KILL_ENEMY_10)");
  EXPECT_EQ(StatsCalls(kSetInt).size(), 38u) << "every statistic but RUN as an integer";
  EXPECT_EQ(StatsCalls(kSetInt + "KILL_ENEMY,"), std::vector<std::string>{kStats + kSetInt + "KILL_ENEMY,10)"});
  EXPECT_EQ(StatsCalls(kSetFloat), std::vector<std::string>{kStats + kSetFloat + "RUN,12.5)"});
  EXPECT_EQ(written.back(), kStats + "StoreStats()");
}

}  // namespace
