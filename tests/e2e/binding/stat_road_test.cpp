// The road of one statistic through the real DLL and the stand-in platform:
// statistics received, one raised through the export, and on the next tick
// the achievement it earns, every statistic written in name order, one store.
// Built against the 1.48+ stand-in, against the 1.61+ one, which has no
// RequestCurrentStats and relies on the binding's own answer, and against the
// 1.32-1.36 one with its plain accessors and older stat export names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export_call.h"
#include "stand_in.h"

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

// The stat name of a logged SetStatInt32/SetStatFloat call, or "".
std::string SetStatName(const std::string& call) {
  for (const std::string& kind : {kSetInt, kSetFloat}) {
    std::string head = kStats + kind;
    if (call.compare(0, head.size(), head) == 0) return call.substr(head.size(), call.find(',') - head.size());
  }
  return "";
}

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

  // Ticks until the statistics have been received and loaded (a bounded number).
  void TickUntilStatsReceived() {
    const std::string loaded = kStats + kGetInt + "KILL_ENEMY,ptr)";
    for (int tick = 0; tick < 5; ++tick) {
      CallExport("QZSteam_RunCallbacks");
      for (const std::string& call : standIn.Calls()) {
        if (call == loaded) return;
      }
    }
    FAIL() << "statistics never received";
  }

  StandIn standIn;
};

TEST_F(StatRoad, ARaisedStatUnlocksItsAchievementAndIsStoredWithAllOthers) {
  TickUntilStatsReceived();
  EXPECT_EQ(standIn.CallsStartingWith(kStats + "RequestCurrentStats").size(), kRequestsToThePlatform);

  standIn.ClearCalls();
  CallExport("QZSteam_IncreaseStatValue", {1, Arg("KILL_ENEMY")});
  EXPECT_TRUE(standIn.CallsStartingWith(kStats).empty()) << "nothing reaches the platform before the tick";

  CallExport("QZSteam_RunCallbacks");
  std::vector<std::string> calls = standIn.CallsStartingWith(kStats);
  ASSERT_EQ(calls.size(), 41u);
  EXPECT_EQ(calls.front(), kStats + "SetAchievement(KILL_ENEMY_10)");
  EXPECT_EQ(calls.back(), kStats + "StoreStats()");
  std::string previous;
  for (std::size_t i = 1; i + 1 < calls.size(); ++i) {
    std::string name = SetStatName(calls[i]);
    ASSERT_FALSE(name.empty()) << calls[i];
    EXPECT_LT(previous, name) << "byte order of names";
    previous = name;
    bool isFloat = calls[i].compare(0, kStats.size() + kSetFloat.size(), kStats + kSetFloat) == 0;
    EXPECT_EQ(isFloat, name == "RUN") << calls[i];
  }
  EXPECT_NE(std::find(calls.begin(), calls.end(), kStats + kSetInt + "KILL_ENEMY,10)"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), kStats + kSetFloat + "RUN,12.5)"), calls.end());
  EXPECT_EQ(standIn.StatInt("KILL_ENEMY"), 10);
  EXPECT_TRUE(standIn.Achieved("KILL_ENEMY_10"));

  standIn.ClearCalls();
  CallExport("QZSteam_RunCallbacks");  // delivers the store's outcome: OK
  CallExport("QZSteam_RunCallbacks");
  EXPECT_TRUE(standIn.CallsStartingWith(kStats).empty()) << "stored once, nothing pending";
}

}  // namespace
