// The one-time reset behind the platform stat "VERSION": only for an account
// whose "VERSION" reads 0, once, and without losing what the player had.
#include <algorithm>
#include <string>
#include <vector>

#include "steam/achievement_table.h"
#include "tests/unit/steam/session_test_support.h"

namespace qz::test {
namespace {

using Strings = std::vector<std::string>;
const char* const kEarned[] = {"KILL_ENEMY_10", "KILL_ENEMY_100", "RUN_40000"};

// A player with progress on the platform.
class VersionStep : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    Sim().SetStat("KILL_ENEMY", 150);
    Sim().SetStat("RUN", 50000000.0f);
    for (const char* earned : kEarned) Sim().SetAchievement(earned, true);
  }
};

TEST_F(VersionStep, AVersionThatCannotBeReadResetsNothing) {
  Sim().SetStatReadFails("VERSION", true);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick(2);
  Sim().QueueEvent(UserStatsReceived_t{480, k_EResultOK, {}});
  Tick();
  EXPECT_EQ(CountCalls("ResetAllStats("), 0);
  EXPECT_EQ(CountCalls("SetStat"), 0);
  EXPECT_EQ(CountCalls("StoreStats("), 0);
  EXPECT_TRUE(steam::achievementTable[5].achieved);
  EXPECT_EQ(Sim().StatInt("KILL_ENEMY"), 150);
  EXPECT_TRUE(Sim().Achieved("KILL_ENEMY_100"));
}

TEST_F(VersionStep, AVersionOfZeroResetsOnceAndEverythingIsWrittenBack) {
  Sim().SetStat("VERSION", 0);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick();
  Forget();
  Tick();
  const Strings trace = Trace();
  const auto version = std::find(trace.begin(), trace.end(), "GetStatInt32(VERSION,ptr)");
  const Strings expected{"GetStatInt32(VERSION,ptr)", "ResetAllStats(1)", "SetStatInt32(VERSION,1)", "StoreStats()",
                         "SetAchievement(KILL_ENEMY_10)", "SetAchievement(KILL_ENEMY_100)", "SetAchievement(RUN_40000)"};
  ASSERT_GE(trace.end() - version, static_cast<long>(expected.size() + 40));
  EXPECT_EQ(Strings(version, version + static_cast<long>(expected.size())), expected);
  EXPECT_EQ(trace.back(), "StoreStats()");
  EXPECT_EQ(CountCalls("SetStat"), 1 + 39);

  EXPECT_EQ(Sim().StatInt("KILL_ENEMY"), 150);
  EXPECT_EQ(Sim().StatFloat("RUN"), 50000000.0f);
  EXPECT_EQ(Sim().StatInt("VERSION"), 1);
  for (const char* earned : kEarned) EXPECT_TRUE(Sim().Achieved(earned));
  EXPECT_FALSE(Sim().Achieved("KILL_ENEMY_500"));

  Forget();
  Sim().QueueEvent(UserStatsReceived_t{480, k_EResultOK, {}});
  Tick(2);
  EXPECT_EQ(CountCalls("ResetAllStats("), 0) << "VERSION now reads 1";
  EXPECT_EQ(CountCalls("StoreStats("), 0);
}

// Statistics that earn no achievement unlock nothing after the reset, and
// still every one of them is written back in the same tick.
TEST_F(VersionStep, AfterTheResetEveryStatIsWrittenBackAlsoWhenNothingIsEarned) {
  Sim().SetStat("VERSION", 0);
  Sim().SetStat("KILL_ENEMY", 5);
  Sim().SetStat("RUN", 1000.0f);
  for (const char* earned : kEarned) Sim().SetAchievement(earned, false);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick(2);
  EXPECT_EQ(CountCalls("ResetAllStats("), 1);
  EXPECT_EQ(CountCalls("SetAchievement("), 0);
  EXPECT_EQ(CountCalls("SetStat"), 1 + 39);
  EXPECT_EQ(Sim().StatInt("KILL_ENEMY"), 5);
  EXPECT_EQ(Sim().StatFloat("RUN"), 1000.0f);
}

}  // namespace
}  // namespace qz::test
