// The statistics cycle end to end against the simulated platform: request,
// reception, updates, unlocks, stores and their outcomes.
#include <cmath>
#include <cstdint>
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

// Writing every stat in byte order: `changed` with `value`, the others 0.
Strings WritesOfEveryStat(const std::string& changed, const std::string& value) {
  Strings writes;
  for (const std::string& name : GoldenStatsByteOrder())
    writes.push_back((name == "RUN" ? "SetStatFloat(" : "SetStatInt32(") + name + "," + (name == changed ? value : "0") + ")");
  return writes;
}

Strings operator+(Strings head, const Strings& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
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
  for (const std::string& name : GoldenStatsByteOrder())
    reception.push_back((name == "RUN" ? "GetStatFloat(" : "GetStatInt32(") + name + ",ptr)");
  EXPECT_EQ(Trace(), reception + Strings{"GetStatInt32(VERSION,ptr)"});
  EXPECT_EQ(DebugLines(), Strings{"W:Received stats and achievements from Steam\n"});
  EXPECT_STREQ(Row(6).name, "Ten down");
  EXPECT_EQ(Session().FindStatByName("KILL_ENEMY")->intValue, 9);
  Forget();

  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
  EXPECT_TRUE(Trace().empty()) << "an update stays local";
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "SetAchievement(KILL_ENEMY_10)"} + WritesOfEveryStat("KILL_ENEMY", "10") +
                      Strings{"StoreStats()"}));
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
  const std::string unlock = "SetAchievement(" + std::string(row.apiName) + ")";
  for (bool atThreshold : {false, true}) {
    Forget();
    if (row.onFloat) {
      const float at = static_cast<float>(row.threshold);
      QZSteam_SetStatValueFloat(atThreshold ? at : std::nextafter(at, 0.0f), row.stat);
    } else {
      QZSteam_SetStatValue(static_cast<int32_t>(row.threshold) - (atThreshold ? 0 : 1), row.stat);
    }
    Tick();
    EXPECT_EQ(Row(row.id).achieved, atThreshold);
    EXPECT_EQ(CountCalls(unlock), atThreshold ? 1 : 0);
  }
  for (const GoldenAchievement& other : kGoldenAchievements)
    EXPECT_EQ(Row(other.id).achieved, other.stat == std::string(row.stat) && other.threshold <= row.threshold)
        << other.apiName;
  EXPECT_EQ(CountCalls("StoreStats("), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryAchievement, ThresholdRow, ::testing::ValuesIn(kGoldenAchievements),
                         [](const auto& info) { return std::string(info.param.apiName); });

TEST_F(StatsCycle, EveryStatFarAboveUnlocksEveryRowInIdOrderThenStoresOnce) {
  StartWithStatsReceived();
  for (const std::string& name : GoldenStatsByteOrder()) QZSteam_SetStatValue(INT32_MAX, name.c_str());
  QZSteam_SetStatValueFloat(std::numeric_limits<float>::infinity(), "RUN");
  Tick();
  Strings expected{"RunCallbacks()"};
  for (const GoldenAchievement& row : kGoldenAchievements) expected.push_back("SetAchievement(" + std::string(row.apiName) + ")");
  const Strings trace = Trace();
  ASSERT_EQ(trace.size(), 1 + 59 + 39 + 1u);
  EXPECT_EQ(Strings(trace.begin(), trace.begin() + 60), expected);
  EXPECT_EQ(trace.back(), "StoreStats()");
  Forget();
  Tick(2);
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()"})) << "unlocked rows are not evaluated again";
}

TEST_F(StatsCycle, RunIsAFloatStat) {
  StartWithStatsReceived();
  QZSteam_SetStatValue(40000000, "RUN");
  QZSteam_SetStatValueFloat(std::nanf(""), "RUN");
  Tick();
  EXPECT_FALSE(Row(39).achieved) << "intValue is not RUN's value, and NaN reaches nothing";
  // Near 40000000 a float steps by 4: each 1.9 alone would be rounded away.
  QZSteam_SetStatValueFloat(39999996.0f, "RUN");
  for (int i = 0; i < 3; ++i) QZSteam_IncreaseStatValueFloat(1.9f, "RUN");
  Tick();
  EXPECT_TRUE(Row(39).achieved);
  EXPECT_EQ(Sim().StatFloat("RUN"), 40000000.0f) << "stored as the nearest float";
  EXPECT_EQ(Session().FindStatByName("RUN")->intValue, 40000000) << "changed, never exchanged";
}

TEST_F(StatsCycle, UpdatesArithmeticAndWhatIsIgnored) {
  ASSERT_EQ(QZSteam_Init(), 1);
  QZSteam_SetStatValue(5, "KILL_ENEMY");  // before the reception: dropped
  Tick(2);
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
  Tick(5);
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

// Receptions count only for this game (480), store outcomes for any.
TEST_F(StatsCycle, MessagesOfTheReceptionAndOfTheStoreOutcome) {
  const struct {
    bool reception;
    uint64_t gameId;
    EResult result;
    Strings lines;
  } cases[] = {
      {true, 480, k_EResultOK, {"W:Received stats and achievements from Steam\n"}},
      {true, 480, k_EResultFail, {"W:RequestStats - failed, 2\n"}},
      {true, 480, static_cast<EResult>(-7), {"W:RequestStats - failed, -7\n"}},
      {true, 481, k_EResultOK, {}},
      {true, 0, k_EResultFail, {}},
      {false, 480, k_EResultOK, {}},
      {false, 480, k_EResultFail, {"A:StoreStats - failed, 2\n"}},
      {false, 481, k_EResultFail, {"A:StoreStats - failed, 2\n"}},
      {false, 480, k_EResultTimeout, {"A:StoreStats - failed, 16\n"}},
      {false, 480, k_EResultInvalidParam,
       {"W:StoreStats - some failed to validate\n", "W:Received stats and achievements from Steam\n"}},
  };
  StartWithStatsReceived();
  for (const auto& c : cases) {
    c.reception ? Sim().QueueEvent(UserStatsReceived_t{c.gameId, c.result, {}})
                : Sim().QueueEvent(UserStatsStored_t{c.gameId, c.result});
    Tick();
    EXPECT_EQ(DebugLines(), c.lines) << c.reception << " " << c.gameId << " " << c.result;
    Forget();
  }
}

TEST_F(StatsCycle, AFailedReceptionIsNotAskedForAgain) {
  Sim().SetStatsReceivedResult(k_EResultFail);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick(4);
  EXPECT_EQ(CountCalls("RequestCurrentStats("), 1);
  EXPECT_EQ(DebugLines(), Strings{"W:RequestStats - failed, 2\n"});
  EXPECT_FALSE(Session().statsValid);
}

TEST_F(StatsCycle, InvalidParamReadsTheStatsTwiceAndTheRowsOnce) {
  StartWithStatsReceived();
  QZSteam_SetStatValue(50, "WIN_CLAN");
  Sim().SetStat("WIN_CLAN", 12);
  Sim().QueueEvent(UserStatsStored_t{999, k_EResultInvalidParam});
  Tick();
  EXPECT_EQ(CountCalls("GetStatInt32(WIN_CLAN,"), 2);
  EXPECT_EQ(CountCalls("GetStatFloat(RUN,"), 2);
  EXPECT_EQ(CountCalls("GetAchievement("), 59);
  EXPECT_EQ(CountCalls("GetStatInt32(VERSION,"), 1);
  EXPECT_EQ(Session().FindStatByName("WIN_CLAN")->intValue, 12) << "the platform's value wins";
  EXPECT_TRUE(Row(24).achieved) << "12 reaches WIN_CLAN_10 in the same tick";
  EXPECT_FALSE(Row(25).achieved);
}

// A store due at shutdown is made before the session ends. Nothing else
// reaches an ended session: the request due before the first tick and the
// unlock are made after the next start.
TEST_F(StatsCycle, ShutdownStoresWhatIsDueAndThenNothingReachesTheEndedSession) {
  ASSERT_EQ(QZSteam_Init(), 1);
  QZSteam_Shutdown();
  Forget();
  Tick();
  EXPECT_EQ(Trace(), Strings{"RunCallbacks()"}) << "the request waits";
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick(2);
  ASSERT_EQ(CountCalls("RequestCurrentStats("), 1);
  ASSERT_TRUE(Session().statsValid);

  QZSteam_SetStatValue(1, "FINISH_AK");
  QZSteam_UpdateServer();
  Forget();
  QZSteam_Shutdown();
  EXPECT_EQ(Trace(), (WritesOfEveryStat("FINISH_AK", "1") +
                      Strings{"StoreStats()", "User.EndAuthSession(76561197960287930)", "Shutdown()"}));
  Forget();
  Tick(2);
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()"}));
  EXPECT_FALSE(Row(58).achieved);
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RequestCurrentStats()", "SetAchievement(FINISH_AK_1)"} +
                      WritesOfEveryStat("FINISH_AK", "1") + Strings{"StoreStats()"}));
}

TEST_F(StatsCycle, NotLoggedOnTheCycleNeverAsks) {
  Sim().SetLoggedOn(false);
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();
  Tick();
  QZSteam_UpdateServer();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()"}));
  EXPECT_TRUE(Session().statsRequested);
}

}  // namespace
}  // namespace qz::test
