// The statistics cycle end to end against the simulated platform: request,
// reception, updates, unlocks, stores and their outcomes.
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "steam/achievement_table.h"
#include "tests/unit/steam/golden_tables.h"
#include "tests/unit/steam/session_test_support.h"

namespace qz::test {
namespace {

using Strings = std::vector<std::string>;
using StatsCycle = SessionTest;

// Reading every stat in byte order, as the reception does.
Strings ReadsOfEveryStat() {
  Strings reads;
  for (const char* name : kGoldenStatsByteOrder)
    reads.push_back(std::string(name == std::string("RUN") ? "GetStatFloat(" : "GetStatInt32(") + name + ",ptr)");
  return reads;
}

// Writing every stat in byte order with the values the test names (0 otherwise).
Strings WritesOfEveryStat(const std::string& changed = "", const std::string& value = "") {
  Strings writes;
  for (const char* name : kGoldenStatsByteOrder) {
    const std::string v = name == changed ? value : "0";
    writes.push_back(std::string(name == std::string("RUN") ? "SetStatFloat(" : "SetStatInt32(") + name + "," + v + ")");
  }
  return writes;
}

Strings Concat(std::initializer_list<Strings> parts) {
  Strings all;
  for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Achievement& Row(int32_t id) { return steam::achievementTable[static_cast<std::size_t>(id - 1)]; }

TEST_F(StatsCycle, TheRoadOfOneStatistic) {
  Sim().SetStat("KILL_ENEMY", 9);
  Sim().SetDisplayAttribute("KILL_ENEMY_10", "name", "Ten down");
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();

  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RequestCurrentStats()"}));
  Forget();

  Tick();
  Strings reception{"RunCallbacks()"};
  for (const GoldenAchievement& row : kGoldenAchievements) {
    const std::string name = row.apiName;
    reception.insert(reception.end(), {"GetAchievement(" + name + ",ptr)",
                                       "GetAchievementDisplayAttribute(" + name + ",name)",
                                       "GetAchievementDisplayAttribute(" + name + ",desc)"});
  }
  EXPECT_EQ(Trace(), Concat({reception, ReadsOfEveryStat(), {"GetStatInt32(VERSION,ptr)"}}));
  EXPECT_EQ(DebugLines(), Strings{"W:Received stats and achievements from Steam\n"});
  EXPECT_STREQ(Row(6).name, "Ten down");
  EXPECT_EQ(Session().FindStatByName("KILL_ENEMY")->intValue, 9);
  Forget();

  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
  EXPECT_TRUE(Trace().empty()) << "an update stays local";
  Tick();
  EXPECT_EQ(Trace(), Concat({{"RunCallbacks()", "SetAchievement(KILL_ENEMY_10)"}, WritesOfEveryStat("KILL_ENEMY", "10"),
                             {"StoreStats()"}}));
  EXPECT_FALSE(Session().storePending);
  Forget();

  Tick();  // the store's outcome, k_EResultOK
  EXPECT_EQ(Trace(), Strings{"RunCallbacks()"});
  EXPECT_TRUE(DebugLines().empty());
  EXPECT_EQ(Sim().StatInt("KILL_ENEMY"), 10);
  EXPECT_TRUE(Sim().Achieved("KILL_ENEMY_10"));
}

class ThresholdRow : public StatsCycle, public ::testing::WithParamInterface<GoldenAchievement> {};

// One below the threshold unlocks nothing; the threshold itself unlocks the
// row, together with the rows of the same stat whose thresholds it passes.
TEST_P(ThresholdRow, UnlocksAtTheThresholdNotBelow) {
  const GoldenAchievement& row = GetParam();
  StartWithStatsReceived();
  auto set = [&](double value) {
    if (row.onFloat) {
      QZSteam_SetStatValueFloat(static_cast<float>(value), row.stat);
    } else {
      QZSteam_SetStatValue(static_cast<int32_t>(value), row.stat);
    }
  };
  const double below = row.onFloat ? std::nextafter(static_cast<float>(row.threshold), 0.0f) : row.threshold - 1;
  set(below);
  Tick();
  EXPECT_FALSE(Row(row.id).achieved);
  EXPECT_EQ(CountCalls("SetAchievement(" + std::string(row.apiName) + ")"), 0);
  Forget();

  set(row.threshold);
  Tick();
  EXPECT_TRUE(Row(row.id).achieved);
  EXPECT_EQ(CountCalls("SetAchievement(" + std::string(row.apiName) + ")"), 1);
  for (const GoldenAchievement& other : kGoldenAchievements)
    EXPECT_EQ(Row(other.id).achieved, other.stat == std::string(row.stat) && other.threshold <= row.threshold)
        << other.apiName;
  EXPECT_EQ(CountCalls("StoreStats("), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryAchievement, ThresholdRow, ::testing::ValuesIn(kGoldenAchievements),
                         [](const auto& info) { return std::string(info.param.apiName); });

TEST_F(StatsCycle, EveryStatFarAboveUnlocksEveryRowInIdOrderThenStoresOnce) {
  StartWithStatsReceived();
  for (const char* name : kGoldenStatsByteOrder) QZSteam_SetStatValue(std::numeric_limits<int32_t>::max(), name);
  QZSteam_SetStatValueFloat(std::numeric_limits<float>::infinity(), "RUN");
  Tick();
  Strings expected{"RunCallbacks()"};
  for (const GoldenAchievement& row : kGoldenAchievements) expected.push_back("SetAchievement(" + std::string(row.apiName) + ")");
  const Strings trace = Trace();
  ASSERT_EQ(trace.size(), 1 + 59 + 39 + 1u);
  EXPECT_EQ(Strings(trace.begin(), trace.begin() + 60), expected);
  EXPECT_EQ(trace.back(), "StoreStats()");
  Forget();
  Tick();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()"})) << "unlocked rows are not evaluated again";
}

TEST_F(StatsCycle, RunIsAFloatStat) {
  StartWithStatsReceived();
  QZSteam_SetStatValue(40000000, "RUN");
  QZSteam_SetStatValueFloat(std::nanf(""), "RUN");
  Tick();
  EXPECT_FALSE(Row(39).achieved) << "intValue is not RUN's value, and NaN reaches nothing";
  QZSteam_SetStatValueFloat(39999000.0f, "RUN");
  QZSteam_IncreaseStatValueFloat(1000.5f, "RUN");
  Tick();
  EXPECT_TRUE(Row(39).achieved);
  EXPECT_EQ(CountCalls("SetStatFloat(RUN,4e+07)"), 1);
  EXPECT_EQ(CountCalls("SetStatInt32(RUN"), 0);
  EXPECT_EQ(Session().FindStatByName("RUN")->intValue, 40000000) << "changed, never exchanged";
}

TEST_F(StatsCycle, UpdatesArithmeticAndWhatIsIgnored) {
  ASSERT_EQ(QZSteam_Init(), 1);
  QZSteam_SetStatValue(5, "KILL_ENEMY");  // before the reception: dropped
  Tick();
  Tick();
  Stat* kills = Session().FindStatByName("KILL_ENEMY");
  EXPECT_EQ(kills->intValue, 0);
  QZSteam_IncreaseStatValue(3, "KILL_ENEMY");
  QZSteam_IncreaseStatValue(3, "KILL_ENEMY");
  QZSteam_IncreaseStatValue(-2, "KILL_ENEMY");
  EXPECT_EQ(kills->intValue, 4);
  QZSteam_SetStatValue(std::numeric_limits<int32_t>::max(), "KILL_ENEMY");
  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
  EXPECT_EQ(kills->intValue, std::numeric_limits<int32_t>::min()) << "wraps at 32 bits";
  QZSteam_SetStatValueFloat(2.5f, "KILL_ENEMY");
  EXPECT_EQ(kills->floatValue, 2.5f);
  EXPECT_EQ(kills->intValue, std::numeric_limits<int32_t>::min());
  for (const char* ignored : {"kill_enemy", "NOT_A_STAT", static_cast<const char*>(nullptr)}) {
    QZSteam_SetStatValue(7, ignored);
    QZSteam_IncreaseStatValue(7, ignored);
    QZSteam_SetStatValueFloat(7, ignored);
    QZSteam_IncreaseStatValueFloat(7, ignored);
  }
  EXPECT_EQ(kills->intValue, std::numeric_limits<int32_t>::min());
}

TEST_F(StatsCycle, ARefusedRequestIsAskedAgainOnEveryTick) {
  Sim().SetRequestCurrentStatsResults({false, false, true});
  ASSERT_EQ(QZSteam_Init(), 1);
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(CountCalls("RequestCurrentStats("), 3);
  EXPECT_TRUE(Session().statsValid);
}

TEST_F(StatsCycle, ARefusedStoreIsRepeatedWithEveryStatUntilAccepted) {
  StartWithStatsReceived();
  Sim().SetStoreStatsResults({false, false, true});
  QZSteam_UpdateServer();
  for (int tick = 1; tick <= 4; ++tick) {
    Forget();
    Tick();
    const bool stores = tick <= 3;
    EXPECT_EQ(CountCalls("StoreStats("), stores ? 1 : 0) << tick;
    EXPECT_EQ(CountCalls("SetStat"), stores ? 39 : 0) << tick;
    EXPECT_EQ(Session().storePending, tick < 3) << tick;
  }
}

TEST_F(StatsCycle, MessagesOfTheReceptionAndOfTheStoreOutcome) {
  struct Case {
    bool reception;
    EResult result;
    Strings lines;
  };
  const Case cases[] = {
      {true, k_EResultOK, {"W:Received stats and achievements from Steam\n"}},
      {true, k_EResultFail, {"W:RequestStats - failed, 2\n"}},
      {true, static_cast<EResult>(-7), {"W:RequestStats - failed, -7\n"}},
      {false, k_EResultOK, {}},
      {false, k_EResultFail, {"A:StoreStats - failed, 2\n"}},
      {false, k_EResultTimeout, {"A:StoreStats - failed, 16\n"}},
      {false, k_EResultInvalidParam,
       {"W:StoreStats - some failed to validate\n", "W:Received stats and achievements from Steam\n"}},
  };
  StartWithStatsReceived();
  for (const Case& c : cases) {
    if (c.reception) {
      Sim().QueueEvent(Received(c.result));
    } else {
      Sim().QueueEvent(Stored(c.result));
    }
    Tick();
    EXPECT_EQ(DebugLines(), c.lines) << c.reception << " " << c.result;
    Forget();
  }
}

TEST_F(StatsCycle, AFailedReceptionIsNotAskedForAgain) {
  Sim().SetStatsReceivedResult(k_EResultFail);
  ASSERT_EQ(QZSteam_Init(), 1);
  for (int i = 0; i < 4; ++i) Tick();
  EXPECT_EQ(CountCalls("RequestCurrentStats("), 1);
  EXPECT_EQ(DebugLines(), Strings{"W:RequestStats - failed, 2\n"});
  EXPECT_FALSE(Session().statsValid);
}

TEST_F(StatsCycle, OnlyReceptionsOfThisGameCountButEveryStoreOutcomeDoes) {
  StartWithStatsReceived();
  Sim().QueueEvent(Received(k_EResultOK, 481));
  Sim().QueueEvent(Received(k_EResultFail, 0));
  Sim().QueueEvent(Stored(k_EResultFail, 481));
  Tick();
  EXPECT_EQ(Trace(), Strings{"RunCallbacks()"});
  EXPECT_EQ(DebugLines(), Strings{"A:StoreStats - failed, 2\n"});
}

TEST_F(StatsCycle, InvalidParamReadsTheStatsTwiceAndTheRowsOnce) {
  StartWithStatsReceived();
  QZSteam_SetStatValue(50, "WIN_CLAN");
  Sim().SetStat("WIN_CLAN", 12);
  Sim().QueueEvent(Stored(k_EResultInvalidParam, 999));
  Tick();
  EXPECT_EQ(CountCalls("GetStatInt32(WIN_CLAN,"), 2);
  EXPECT_EQ(CountCalls("GetStatFloat(RUN,"), 2);
  EXPECT_EQ(CountCalls("GetAchievement("), 59);
  EXPECT_EQ(CountCalls("GetStatInt32(VERSION,"), 1);
  EXPECT_EQ(Session().FindStatByName("WIN_CLAN")->intValue, 12) << "the platform's value wins";
  EXPECT_TRUE(Row(24).achieved) << "12 reaches WIN_CLAN_10 in the same tick";
  EXPECT_FALSE(Row(25).achieved);
}

TEST_F(StatsCycle, AfterShutdownNothingReachesTheEndedSessionUntilTheNextStart) {
  StartWithStatsReceived();
  QZSteam_SetStatValue(1, "FINISH_AK");
  QZSteam_UpdateServer();
  QZSteam_Shutdown();
  Forget();
  Tick();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()"}));
  EXPECT_FALSE(Row(58).achieved);
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();
  Tick();
  EXPECT_EQ(Trace(), Concat({{"RunCallbacks()", "RequestCurrentStats()", "SetAchievement(FINISH_AK_1)"},
                             WritesOfEveryStat("FINISH_AK", "1"), {"StoreStats()"}}));
}

TEST_F(StatsCycle, AShutdownBeforeTheFirstTickDefersTheRequest) {
  ASSERT_EQ(QZSteam_Init(), 1);
  QZSteam_Shutdown();
  Forget();
  Tick();
  EXPECT_EQ(CountCalls("RequestCurrentStats("), 0);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick();
  EXPECT_EQ(CountCalls("RequestCurrentStats("), 1);
}

TEST_F(StatsCycle, ReleasesWithoutRequestCurrentStatsStillReceive) {
  Sim().Install(false);
  Sim().SetStat("KILL_ENEMY", 10);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick();
  Tick();
  EXPECT_TRUE(Session().statsValid);
  EXPECT_EQ(CountCalls("RequestCurrentStats("), 0);
  EXPECT_TRUE(Row(6).achieved);
  EXPECT_EQ(CountCalls("StoreStats("), 1);
}

TEST_F(StatsCycle, NotLoggedOnTheCycleNeverAsks) {
  Sim().SetLoggedOn(false);
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();
  Tick();
  Tick();
  QZSteam_UpdateServer();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()", "RunCallbacks()"}));
  EXPECT_TRUE(Session().statsRequested);
}

}  // namespace
}  // namespace qz::test
