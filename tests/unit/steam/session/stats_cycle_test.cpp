// The statistics cycle against the simulated platform: request, reception,
// updates, unlocks, stores and their outcomes, and the one-time reset.
#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <tuple>

#include "steam/session/achievement_table.h"
#include "tests/unit/steam/session/session_test_support.h"

namespace qz::test {
namespace {

using StatsCycle = SessionTest;

// The game's achievements as the game's designers list them, written out here
// independently of the library's table: each stat with its achievements'
// thresholds, in id order. A key is the stat's name, "_" and the
// threshold unless written out as KEY=threshold. RUN is the one Float stat.
struct Golden {
  std::string apiName, stat;
  double threshold;
};

std::vector<Golden> GoldenAchievements() {
  std::istringstream list(
      "ACHIEVE_LEVEL 5 10 25 50 60;KILL_ENEMY 10 100 500 2500 10000;KILL_ENEMY_AR 100;KILL_ENEMY_SMG 100;"
      "KILL_ENEMY_SR 100;KILL_ENEMY_S 100;KILL_ENEMY_P 100;KILL_ENEMY_MW 100;KILL_ENEMY_G 100;"
      "WIN_MATCH 1 10 50 250 1000;WIN_CLAN 1 10 50 250;WIN_SABOTAGE 5 100;WIN_WANTED 5 100;WIN_FFA 5 100;"
      "WIN_TDM 5 100;WIN_CTF 5 100;MASS_KILL 10;SHOOT_BULLETS 1000000;RUN RUN_40000=40000000;SNOWBALL_WIN 1;"
      "SNOWBALL_KILL 10;STONY_SNOWBALL_KILL 10;DYNAMITE_SNOWBALL_KILL 10;FINISH_DAILY_MC 1;FINISH_WEEKLY_MC 1;"
      "FINISH_MONTHLY_MC 1;FINISH_SPECIAL_MC 1;UPGRADE_WEAPON 1;TRANSFER_WEAPON 1;GIFT_WEAPON 1;"
      "MOST_VAL_PLAYER 1;WIN_ROUNDS_SABOTAGE 1000;DEFUSE_PLANT_SABOTAGE 100;COLLECT_GOLD_WANTED 50000;"
      "SCORE_FLAG_CTF 250;CARRY_FLAG_CTF 50;UPGRADE_WEAPON_LVL_5 UPGRADE_WEAPON_LVL5=1;FINISH_AK 1;KILL_ENEMY_EB 1");
  std::vector<Golden> rows;
  for (std::string entry; std::getline(list, entry, ';');) {
    std::istringstream words(entry);
    std::string stat, word;
    for (words >> stat; words >> word;) {
      const std::size_t is = word.find('=');  // npos + 1 is 0: the whole word is the threshold
      const std::string key = is == std::string::npos ? stat + "_" + word : word.substr(0, is);
      rows.push_back({key, stat, std::stod(word.substr(is + 1))});
    }
  }
  return rows;
}

Strings operator+(Strings head, const Strings& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// Every stat read ("Get") or written ("Set": `changed` with `value`, the
// others 0), in plain byte order of the names.
Strings EveryStat(const std::string& verb, const std::string& changed = "", const std::string& value = "") {
  std::set<std::string> names;
  for (const Golden& row : GoldenAchievements()) names.insert(row.stat);
  Strings calls;
  for (const std::string& name : names) {
    const std::string argument = verb == "Get" ? "ptr" : name == changed ? value : "0";
    calls.push_back(verb + (name == "RUN" ? "StatFloat(" : "StatInt32(") + name + "," + argument + ")");
  }
  return calls;
}

// A reception: every row's flag and texts, every stat, then VERSION.
Strings Reception() {
  Strings calls;
  for (const Golden& row : GoldenAchievements())
    calls = calls + Strings{"GetAchievement(" + row.apiName + ",ptr)",
                            "GetAchievementDisplayAttribute(" + row.apiName + ",name)",
                            "GetAchievementDisplayAttribute(" + row.apiName + ",desc)"};
  return calls + EveryStat("Get") + Strings{"GetStatInt32(VERSION,ptr)"};
}

const AchievementState& Row(std::size_t id) { return steam::SessionObject()->AchievementAt(id - 1); }

// What the read-back exports answer, as one text: whether the statistics
// have arrived, KILL_ENEMY, RUN, KILL_ENEMY_10 and its two texts, then the
// answers for names of the other type, null and unknown names and keys. None
// of them calls the platform.
std::string ReadBack() {
  const std::size_t calls = Platform()->CallLines().size();
  std::ostringstream text;
  const char* (*display)(const char*, const char*) = QZSteam_GetAchievementDisplay;
  text << QZSteam_StatsReceived() << " " << QZSteam_GetStatValue("KILL_ENEMY") << " "
       << QZSteam_GetStatValueFloat("RUN") << " " << QZSteam_IsAchieved("KILL_ENEMY_10") << " "
       << display("KILL_ENEMY_10", "name") << "/" << display("KILL_ENEMY_10", "desc") << " | "
       << QZSteam_GetStatValue("RUN") << QZSteam_GetStatValueFloat("KILL_ENEMY") << QZSteam_GetStatValue(nullptr)
       << QZSteam_IsAchieved(nullptr) << QZSteam_IsAchieved("KILL_ENEMY_1")
       << display("KILL_ENEMY_10", "icon") << display("KILL_ENEMY_10", nullptr) << display(nullptr, "name");
  EXPECT_EQ(Platform()->CallLines().size(), calls) << "a read-back called the platform";
  return text.str();
}

TEST_F(StatsCycle, TheRoadOfOneStatistic) {
  Platform()->SetStat("KILL_ENEMY", 9);
  Platform()->SetDisplayAttribute("KILL_ENEMY_10", "name", "Ten down");
  Platform()->SetDisplayAttribute("KILL_ENEMY_10", "desc", "Ten enemies");
  EXPECT_EQ(ReadBack(), "0 0 0 -1 / | 000-1-1") << "no session object";
  Platform()->SetRequestCurrentStatsResults({false, true});
  Platform()->SetStoreStatsResults({false, true});
  Platform()->SetStatReadFails("WIN_CLAN", true);  // not loaded: keeps its starting 0
  ASSERT_EQ(QZSteam_Init(), 1);
  QZSteam_SetStatValue(5, "WIN_CLAN");  // before the reception: dropped
  Forget();
  Tick(2);
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RequestCurrentStats()", "RunCallbacks()", "RequestCurrentStats()"}))
      << "a refused request is made again on the next tick";
  EXPECT_EQ(ReadBack(), "0 0 0 -1 / | 000-1-1") << "before the reception";
  Forget();

  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()"} + Reception()));
  EXPECT_EQ(lines, Strings{"W:Received stats and achievements from Steam\n"});
  EXPECT_EQ(ReadBack(), "1 9 0 0 Ten down/Ten enemies | 000-1-1");
  Forget();

  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");  // local: reaches the platform with the next store
  Tick(2);                                     // the first store is refused: the next tick writes every stat again
  const Strings store = EveryStat("Set", "KILL_ENEMY", "10") + Strings{"StoreStats()"};
  EXPECT_EQ(Trace(),
            (Strings{"RunCallbacks()", "SetAchievement(KILL_ENEMY_10)"} + store + Strings{"RunCallbacks()"} + store));
  QZSteam_SetStatValueFloat(12.5f, "RUN");
  EXPECT_EQ(ReadBack(), "1 10 12.5 1 Ten down/Ten enemies | 000-1-1");
  QZSteam_Shutdown();
  EXPECT_EQ(ReadBack(), "0 10 12.5 -1 Ten down/Ten enemies | 000-1-1") << "after the shutdown: values held, texts kept";
}

// Walking the rows in id order: one below a row's threshold unlocks nothing,
// the threshold unlocks that row alone, under its key, and stores.
TEST_F(StatsCycle, EveryRowUnlocksAtItsThresholdNotBelow) {
  StartWithStatsReceived();
  const std::vector<Golden> golden = GoldenAchievements();
  for (std::size_t id = 1; id <= golden.size(); ++id) {
    const Golden& row = golden[id - 1];
    for (bool at : {false, true}) {
      const float run = static_cast<float>(row.threshold);
      row.stat == "RUN" ? QZSteam_SetStatValueFloat(at ? run : std::nextafter(run, 0.0f), "RUN")
                        : QZSteam_SetStatValue(static_cast<int32_t>(row.threshold) - (at ? 0 : 1), row.stat.c_str());
      Forget();
      Tick();
      const Strings trace = Trace();
      ASSERT_EQ(trace.size(), at ? 1 + 1 + 39 + 1u : 1u) << row.apiName << (at ? " at" : " below");
      EXPECT_TRUE(!at || trace[1] == "SetAchievement(" + row.apiName + ")") << trace[1];
      for (std::size_t other = 1; other <= golden.size(); ++other)
        ASSERT_EQ(Row(other).achieved, other < id || (at && other == id)) << golden[other - 1].apiName;
    }
  }
}

TEST_F(StatsCycle, UpdatesWrapAndRunIsAFloatStatKeptInDoublePrecision) {
  StartWithStatsReceived();
  const Stat& kills = Session().StatAt(steam::StatIndexOf("KILL_ENEMY"));
  QZSteam_SetStatValue(INT32_MAX, "KILL_ENEMY");
  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
  QZSteam_SetStatValueFloat(2.5f, "KILL_ENEMY");
  for (const char* near : {"kill_enemy", "KILL_ENEMY ", "KILL_ENEM"}) QZSteam_SetStatValue(7, near);
  EXPECT_EQ(kills.intValue, INT32_MIN) << "wraps; only the exact name finds a stat";
  EXPECT_EQ(kills.floatValue, 2.5) << "the float exports change any stat's floatValue";

  QZSteam_SetStatValue(40000000, "RUN");
  QZSteam_SetStatValueFloat(std::nanf(""), "RUN");
  Tick();
  EXPECT_FALSE(Row(39).achieved) << "intValue is not RUN's value, and NaN reaches nothing";
  // Small float increments: near 40000000 a float steps by 4, so each 1.9
  // alone would be rounded away.
  QZSteam_SetStatValueFloat(39999996.0f, "RUN");
  for (int i = 0; i < 3; ++i) QZSteam_IncreaseStatValueFloat(1.9f, "RUN");
  Tick();
  EXPECT_TRUE(Row(39).achieved);
  EXPECT_EQ(Platform()->StatFloat("RUN"), 40000000.0f) << "stored as the nearest float";
}

// Receptions count only for this game (480), store outcomes for any. A failed
// reception is not asked for again (a new request would be received, with
// its line, on the next row's tick).
TEST_F(StatsCycle, ReceptionsAndStoreOutcomesWithTheirMessages) {
  const std::tuple<bool, uint64_t, EResult, Strings> cases[] = {
      {true, 480, k_EResultOK, {"W:Received stats and achievements from Steam\n"}},
      {true, 480, static_cast<EResult>(-7), {"W:RequestStats - failed, -7\n"}},
      {true, 481, k_EResultOK, {}},
      {true, 0, k_EResultFail, {}},
      {false, 480, k_EResultOK, {}},
      {false, 481, k_EResultFail, {"A:StoreStats - failed, 2\n"}},
  };
  StartWithStatsReceived();
  for (const auto& [reception, gameId, result, expected] : cases) {
    reception ? Platform()->QueueEvent(UserStatsReceived_t{gameId, result, {}})
              : Platform()->QueueEvent(UserStatsStored_t{gameId, result});
    Tick();
    EXPECT_EQ(lines, expected) << reception << " " << gameId << " " << result;
    Forget();
  }
  // Some values refused by a store, k_EResultInvalidParam from any game: the
  // platform's values are loaded and then received again, rows and all.
  QZSteam_SetStatValue(50, "WIN_CLAN");
  Platform()->SetStat("WIN_CLAN", 12);
  Platform()->QueueEvent(UserStatsStored_t{999, k_EResultInvalidParam});
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()"} + EveryStat("Get") + Reception() +
                      Strings{"SetAchievement(WIN_CLAN_1)", "SetAchievement(WIN_CLAN_10)"} +
                      EveryStat("Set", "WIN_CLAN", "12") + Strings{"StoreStats()"}))
      << "the platform's 12 reaches WIN_CLAN_10 in the same tick";
  EXPECT_EQ(lines,
            (Strings{"W:StoreStats - some failed to validate\n", "W:Received stats and achievements from Steam\n"}));
  QZSteam_SetStatValueFloat(7.5f, "RUN");
  Platform()->SetStatReadFails("RUN", true);
  Platform()->QueueEvent(UserStatsReceived_t{480, k_EResultOK, {}});
  Tick();
  EXPECT_EQ(Session().StatAt(steam::StatIndexOf("RUN")).floatValue, 7.5)
      << "a value the platform does not write is kept";
}

// A failed first reception leaves the statistics unreceived: the game's
// updates are dropped and nothing is unlocked or stored, not even by the exit
// sequence (a store would write the registry's zeros over the player's
// values). A new start asks again, and its reception works as usual.
TEST_F(StatsCycle, AFailedReceptionLeavesTheStatisticsUnreceivedUntilANewStart) {
  Platform()->SetStat("WIN_CLAN", 12);
  Platform()->SetStatsReceivedResult(k_EResultFail);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick(2);
  Forget();
  QZSteam_SetStatValue(10, "KILL_ENEMY");
  QZSteam_UpdateServer();
  Tick();
  EXPECT_EQ(QZSteam_StatsReceived(), 0);
  QZSteam_Shutdown();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "User.EndAuthSession(76561197960287930)", "Shutdown()"}));
  Platform()->SetStatsReceivedResult(k_EResultOK);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick(2);
  QZSteam_SetStatValue(10, "KILL_ENEMY");
  Tick();
  EXPECT_TRUE(Platform()->Achieved("KILL_ENEMY_10"));
  EXPECT_EQ(Platform()->StatInt("WIN_CLAN"), 12);
}

// Statistics lost at exit: the exit sequence QZSteam_UpdateServer then
// QZSteam_Shutdown stores before the session ends, once the statistics have
// been received (before, a store would write zeros over the player's values).
// Nothing else reaches an ended session: the request due before the first
// tick and the unlock are made after the next start as the same player,
// which keeps the values, also what was counted while shut down.
TEST_F(StatsCycle, ShutdownStoresWhatIsDueAndThenNothingReachesTheEndedSession) {
  ASSERT_EQ(QZSteam_Init(), 1);
  QZSteam_UpdateServer();
  Forget();
  QZSteam_Shutdown();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"User.EndAuthSession(76561197960287930)", "Shutdown()", "RunCallbacks()"}))
      << "nothing is stored before the reception, and the request waits";
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RequestCurrentStats()"})) << "the store waits for the reception";
  Tick();
  QZSteam_SetStatValue(1, "FINISH_AK");
  QZSteam_UpdateServer();
  Forget();
  QZSteam_Shutdown();
  const Strings store = EveryStat("Set", "FINISH_AK", "1") + Strings{"StoreStats()"};
  EXPECT_EQ(Trace(), (store + Strings{"User.EndAuthSession(76561197960287930)", "Shutdown()"}));
  Forget();
  Tick(2);
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()"}));
  QZSteam_IncreaseStatValue(1, "FINISH_AK");
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RequestCurrentStats()", "SetAchievement(FINISH_AK_1)"} +
                      EveryStat("Set", "FINISH_AK", "2") + Strings{"StoreStats()"}));
}

// The one-time reset behind "VERSION": only a VERSION the platform holds as 0
// resets, once; every achievement the account held is set again, also one
// its statistic does not reach, and in the same tick every loaded statistic
// is written back, also when it earns no achievement.
struct VersionCase {
  const char* name;
  bool readFails;
  int32_t kills;
  float run;
  Strings earned;  // held on the account before the reset
};
void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.name; }

class VersionStep : public SessionTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionStep, ResetsOnlyAReadableZeroAndWritesEverythingBack) {
  const VersionCase& c = GetParam();
  Platform()->SetStat("VERSION", 0);
  Platform()->SetStatReadFails("VERSION", c.readFails);
  Platform()->SetStat("KILL_ENEMY", c.kills);
  Platform()->SetStat("RUN", c.run);
  for (const std::string& key : c.earned) Platform()->SetAchievement(key, true);
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick();
  Forget();
  Tick();
  Strings expected{"GetStatInt32(VERSION,ptr)"};
  if (!c.readFails) {
    expected = expected + Strings{"ResetAllStats(1)", "SetStatInt32(VERSION,1)", "StoreStats()"};
    for (const std::string& key : c.earned) expected.push_back("SetAchievement(" + key + ")");
  }
  const Strings trace = Trace();
  const Strings rest(std::find(trace.begin(), trace.end(), expected[0]), trace.end());
  ASSERT_EQ(rest.size(), expected.size() + (c.readFails ? 0 : 39 + 1)) << "then every stat and StoreStats";
  EXPECT_EQ(Strings(rest.begin(), rest.begin() + static_cast<long>(expected.size())), expected);
  EXPECT_EQ(Platform()->StatInt("KILL_ENEMY"), c.kills);
  for (const std::string& key : c.earned) EXPECT_TRUE(Platform()->Achieved(key)) << key;
}

const Strings kProgress{"KILL_ENEMY_10", "KILL_ENEMY_100", "RUN_40000"};
INSTANTIATE_TEST_SUITE_P(Account, VersionStep,
                         ::testing::Values(VersionCase{"Unreadable", true, 150, 5e7f, kProgress},
                                           VersionCase{"Zero", false, 150, 5e7f, kProgress},
                                           VersionCase{"ZeroNothingEarned", false, 5, 1000.0f, {}},
                                           VersionCase{"ZeroHeldAboveItsStat", false, 5, 1000.0f, {"WIN_MATCH_1"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qz::test
