// The real DLL on a stand-in steam_api.dll of each kind the binding tells
// apart: 1.48+, 1.61+ (no RequestCurrentStats: the binding answers itself)
// and 1.32-1.36 (plain accessors, older stat export names). One session shows
// the six callback objects as steam_api.dll sees them the MSVC way (raw
// offsets, __thiscall through the vtable: registered under their ids, sizes
// from slot 2, events through slot 1), micro-transaction results reaching the
// game's cdecl function with the whole 64-bit order id, the statistics
// received, and one raised into its achievement and stored with all others.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "export_call.h"
#include "sim/stand_in_control.h"
#include "steam/steam_types.h"

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

// A control export of the stand-in steam_api.dll in the program's folder.
template <class F>
F StandIn(const char* name) {
  HMODULE module = LoadLibraryW((ProgramFolder() + L"\\steam_api.dll").c_str());
  FARPROC address = module ? GetProcAddress(module, name) : nullptr;
  EXPECT_NE(address, nullptr) << name;
  return reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

// The stand-in's log entries of ISteamUserStats methods starting with `method`.
std::vector<std::string> StatsCalls(const std::string& method) {
  auto log = StandIn<int32_t(__cdecl*)(char*, int32_t)>("QZSim_CallLog");
  std::string text(static_cast<std::size_t>(log(nullptr, 0)) + 1, '\0');
  log(text.data(), static_cast<int32_t>(text.size()));
  std::istringstream lines(text.c_str());
  std::vector<std::string> calls;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(kStats + method, 0) == 0) calls.push_back(line);
  return calls;
}

std::vector<std::pair<uint64_t, int32_t>> g_microTxns;
void __cdecl OnMicroTxn(uint64_t orderId, int32_t authorized) { g_microTxns.emplace_back(orderId, authorized); }

TEST(StandInPlatform, CallbackObjectsMicroTransactionsAndTheRoadOfOneStatistic) {
  auto setInt = StandIn<void(__cdecl*)(const char*, int32_t)>("QZSim_SetStatInt");
  setInt("VERSION", 1);  // the one-time reset is behind this player
  setInt("KILL_ENEMY", 9);
  StandIn<void(__cdecl*)(const char*, float)>("QZSim_SetStatFloat")("RUN", 12.5f);
  ASSERT_NE(LoadQZSteam(), nullptr);
  ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);

  const int32_t expected[][2] = {{331, 1}, {152, 24}, {163, 8}, {1101, 24}, {1102, 16}, {1103, 152}};  // id, size
  ASSERT_EQ(StandIn<int32_t(__cdecl*)()>("QZSim_RegistrationCount")(), 6);
  auto registration = StandIn<int32_t(__cdecl*)(int32_t, QZSimRegistration*)>("QZSim_Registration");
  for (int32_t i = 0; i < 6; ++i) {
    QZSimRegistration r{};
    registration(i, &r);
    EXPECT_EQ(std::make_tuple(r.callbackIdArgument, r.sizeBytes, r.flags, r.callbackIdField),
              std::make_tuple(expected[i][0], expected[i][1], 1, expected[i][0]))
        << "registration " << i << ": id argument, slot 2's size, flags at offset 4, id at offset 8";
  }

  ASSERT_EQ(CallExport("QZSteam_SetMicroTxnCallback", {Arg(reinterpret_cast<void*>(&OnMicroTxn))}).low(), 1u);
  const MicroTxnAuthorizationResponse_t txns[] = {{480, 0x0123456789ABCDEFull, 1}, {480, 42, 0}};
  auto queue = StandIn<void(__cdecl*)(int32_t, const void*, int32_t, int32_t)>("QZSim_QueueEvent");
  for (const auto& txn : txns) queue(MicroTxnAuthorizationResponse_t::k_iCallback, &txn, sizeof txn, 1);
  CallExport("QZSteam_RunCallbacks");  // delivers them and asks for the statistics
  EXPECT_EQ(g_microTxns, (std::vector<std::pair<uint64_t, int32_t>>{{0x0123456789ABCDEFull, 1}, {42, 0}}));
  CallExport("QZSteam_RunCallbacks");  // receives the statistics
  ASSERT_EQ(StatsCalls(kGetInt + "KILL_ENEMY,ptr)").size(), 1u) << "statistics received";
  EXPECT_EQ(StatsCalls("RequestCurrentStats").size(), kRequestsToThePlatform);

  StandIn<void(__cdecl*)()>("QZSim_ClearCalls")();
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
