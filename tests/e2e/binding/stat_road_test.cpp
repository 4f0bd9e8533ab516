// The road of one statistic through the real DLL and the stand-in platform:
// statistics received, one raised through the export, and on the next tick
// the achievement it earns, every statistic written in byte order of names,
// one store.
// Built against the 1.48+ stand-in, against the 1.61+ one, which has no
// RequestCurrentStats and relies on the binding's own answer, and against the
// 1.32-1.36 one with its plain accessors and older stat export names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export_call.h"
#include "stand_in.h"
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

}  // namespace
