// The real DLL on the stand-in platform, built against the 1.48+ stand-in,
// against the 1.61+ one, which has no RequestCurrentStats and relies on the
// binding's own answer, and against the 1.32-1.36 one with its plain
// accessors and older stat export names.
//
// The road of one statistic: statistics received, one raised through the
// export, and on the next tick the achievement it earns, every statistic
// written in byte order of names, one store.
//
// The session's six callback objects as steam_api.dll sees them: registered
// under their ids at the first QZSteam_Init, answering their event sizes
// through vtable slot 2 and receiving events through slot 1, all reached the
// MSVC way (raw offsets, __thiscall through the vtable) by the stand-in. The
// micro-transaction case shows a 64-bit order id reaching the game's cdecl
// function whole as two 32-bit stack words, which the native tests cannot.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "export_call.h"
#include "stand_in.h"
#include "steam/steam_types.h"
#include "tests/unit/steam/golden_tables.h"

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

class StatRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    standIn.SetAppId(480);
    standIn.SetSteamId(76561197960287930ull);
    standIn.SetStatInt("VERSION", 1);  // the one-time reset is behind this player
    standIn.SetStatInt("KILL_ENEMY", 9);
    standIn.SetStatFloat("RUN", 12.5f);
    ASSERT_NE(LoadQZSteam(), nullptr);
    ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);
  }
  StandIn standIn;
};

TEST_F(StatRoad, ARaisedStatUnlocksItsAchievementAndIsStoredWithAllOthers) {
  CallExport("QZSteam_RunCallbacks");  // asks
  CallExport("QZSteam_RunCallbacks");  // receives
  ASSERT_EQ(standIn.CallsStartingWith(kStats + kGetInt + "KILL_ENEMY,ptr)").size(), 1u) << "statistics received";
  EXPECT_EQ(standIn.CallsStartingWith(kStats + "RequestCurrentStats").size(), kRequestsToThePlatform);

  standIn.ClearCalls();
  CallExport("QZSteam_IncreaseStatValue", {1, Arg("KILL_ENEMY")});
  EXPECT_TRUE(standIn.CallsStartingWith(kStats).empty()) << "nothing reaches the platform before the tick";

  CallExport("QZSteam_RunCallbacks");
  std::vector<std::string> expected{kStats + "SetAchievement(KILL_ENEMY_10)"};
  for (const std::string& name : qz::test::GoldenStatsByteOrder()) {
    const std::string value = name == "KILL_ENEMY" ? "10" : name == "RUN" ? "12.5" : "0";
    expected.push_back(kStats + (name == "RUN" ? kSetFloat : kSetInt) + name + "," + value + ")");
  }
  expected.push_back(kStats + "StoreStats()");
  EXPECT_EQ(standIn.CallsStartingWith(kStats), expected);
  EXPECT_EQ(standIn.StatInt("KILL_ENEMY"), 10);
  EXPECT_TRUE(standIn.Achieved("KILL_ENEMY_10"));

  standIn.ClearCalls();
  CallExport("QZSteam_RunCallbacks");  // delivers the store's outcome: OK
  CallExport("QZSteam_RunCallbacks");
  EXPECT_TRUE(standIn.CallsStartingWith(kStats).empty()) << "stored once, nothing pending";
}

using CallbackLayout = StatRoad;

TEST_F(CallbackLayout, SixObjectsRegisteredInOrderWithTheirIdsAndSizes) {
  const struct {
    int32_t id, size;
  } expected[] = {{331, 1}, {152, 24}, {163, 8}, {1101, 24}, {1102, 16}, {1103, 152}};
  std::vector<QZSimRegistration> seen = standIn.Registrations();
  ASSERT_EQ(seen.size(), 6u);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].callbackIdArgument, expected[i].id) << "registration " << i;
    EXPECT_EQ(seen[i].sizeBytes, expected[i].size) << "slot 2 of registration " << i;
    EXPECT_EQ(seen[i].flags, 1) << "registered flag at offset 4, registration " << i;
    EXPECT_EQ(seen[i].callbackIdField, expected[i].id) << "id at offset 8, registration " << i;
  }
}

std::vector<std::pair<uint64_t, int32_t>> g_microTxns;
void __cdecl OnMicroTxn(uint64_t orderId, int32_t authorized) { g_microTxns.emplace_back(orderId, authorized); }

TEST_F(CallbackLayout, MicroTransactionResultsReachTheGameInDeliveryOrder) {
  ASSERT_EQ(CallExport("QZSteam_SetMicroTxnCallback", {Arg(reinterpret_cast<void*>(&OnMicroTxn))}).low(), 1u);
  MicroTxnAuthorizationResponse_t first{480, 0x0123456789ABCDEFull, 1};
  MicroTxnAuthorizationResponse_t second{480, 42, 0};
  standIn.QueueEvent(MicroTxnAuthorizationResponse_t::k_iCallback, &first, sizeof first);
  standIn.QueueEvent(MicroTxnAuthorizationResponse_t::k_iCallback, &second, sizeof second);
  CallExport("QZSteam_RunCallbacks");
  EXPECT_EQ(g_microTxns, (std::vector<std::pair<uint64_t, int32_t>>{{0x0123456789ABCDEFull, 1}, {42, 0}}));
}

}  // namespace
