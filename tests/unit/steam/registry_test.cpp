// The registry and the achievement table against the game's list, and the
// registry as initialisation builds it.
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "steam/achievement_table.h"
#include "tests/unit/steam/golden_tables.h"
#include "tests/unit/steam/session_test_support.h"

namespace qz::test {
namespace {

using steam::achievementTable;
using steam::kStatDefinitions;

// The stat that decides each row, according to the library's one table.
std::vector<const steam::StatDefinition*> StatOfEachRow() {
  std::vector<const steam::StatDefinition*> rows;
  for (const steam::StatDefinition& stat : kStatDefinitions)
    for (const steam::AchievementDefinition& achievement : stat.achievements)
      if (achievement.apiName != nullptr) rows.push_back(&stat);
  return rows;
}

TEST(AchievementTable, EveryRowMatchesTheGameList) {
  ASSERT_EQ(std::size(kGoldenAchievements), achievementTable.size());
  const std::vector<const steam::StatDefinition*> statOfRow = StatOfEachRow();
  ASSERT_EQ(statOfRow.size(), achievementTable.size());
  for (std::size_t row = 0; row < achievementTable.size(); ++row) {
    const GoldenAchievement& golden = kGoldenAchievements[row];
    const Achievement& actual = achievementTable[row];
    SCOPED_TRACE(golden.apiName);
    EXPECT_EQ(actual.id, golden.id);
    EXPECT_STREQ(actual.apiName, golden.apiName);
    EXPECT_STREQ(statOfRow[row]->name, golden.stat);
    EXPECT_EQ(actual.name[0], '\0');
    EXPECT_EQ(actual.desc[0], '\0');
    EXPECT_FALSE(actual.achieved);
    EXPECT_EQ(actual.icon, 0);
    const Threshold* threshold = steam::ThresholdOfAchievement(golden.id);
    ASSERT_NE(threshold, nullptr);
    EXPECT_EQ(threshold->onFloat, golden.onFloat);
    if (golden.onFloat) {
      EXPECT_EQ(threshold->minFloat, static_cast<float>(golden.threshold));
    } else {
      EXPECT_EQ(threshold->minInt, static_cast<int32_t>(golden.threshold));
    }
  }
}

TEST(AchievementTable, TheTwoOddRowsAreAsTheGameHasThem) {
  EXPECT_STREQ(achievementTable[56].apiName, "UPGRADE_WEAPON_LVL5");
  EXPECT_STREQ(StatOfEachRow()[56]->name, "UPGRADE_WEAPON_LVL_5");
  EXPECT_STREQ(achievementTable[38].apiName, "RUN_40000");
  EXPECT_EQ(steam::ThresholdOfAchievement(39)->minFloat, 40000000.0f);
}

TEST(AchievementTable, IdsOutsideTheTableHaveNoThreshold) {
  for (int32_t id : {INT32_MIN, -1, 0, 60, 61, INT32_MAX}) EXPECT_EQ(steam::ThresholdOfAchievement(id), nullptr) << id;
}

TEST(AchievementTable, RunIsTheOnlyFloatStat) {
  ASSERT_EQ(std::size(kStatDefinitions), 39u);
  for (const steam::StatDefinition& stat : kStatDefinitions)
    EXPECT_EQ(stat.type, std::strcmp(stat.name, "RUN") == 0 ? StatType::Float : StatType::Int) << stat.name;
}

using Registry = SessionTest;

TEST_F(Registry, BuiltOnStartWithEveryNameInByteOrderAndEveryId) {
  ASSERT_EQ(QZSteam_Init(), 1);
  std::vector<std::string> names;
  for (const auto& [name, stat] : Session().statsByName) {
    EXPECT_STREQ(stat->name, name.c_str());
    EXPECT_EQ(stat->intValue, 0);
    EXPECT_EQ(stat->floatValue, 0.0f);
    names.push_back(name);
  }
  EXPECT_EQ(names, std::vector<std::string>(std::begin(kGoldenStatsByteOrder), std::end(kGoldenStatsByteOrder)));

  ASSERT_EQ(Session().statsByAchievementId.size(), 59u);
  for (const GoldenAchievement& golden : kGoldenAchievements) {
    Stat* stat = Session().FindStatByAchievementId(golden.id);
    ASSERT_NE(stat, nullptr) << golden.id;
    EXPECT_STREQ(stat->name, golden.stat);
    EXPECT_EQ(stat, Session().FindStatByName(golden.stat)) << "one record behind both maps";
  }
  EXPECT_EQ(Session().FindStatByAchievementId(0), nullptr);
  EXPECT_EQ(Session().FindStatByAchievementId(60), nullptr);
}

TEST_F(Registry, OnlyTheExactNameFindsAStat) {
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_NE(Session().FindStatByName("KILL_ENEMY"), nullptr);
  for (const char* near : {"kill_enemy", "KILL_ENEMY ", " KILL_ENEMY", "KILL_ENEM", "KILL_ENEMY_", "", "VERSION"})
    EXPECT_EQ(Session().FindStatByName(near), nullptr) << '"' << near << '"';
}

TEST_F(Registry, ARepeatedBuildKeepsTheRecordsAndTheirValues) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Stat* level = Session().FindStatByName("ACHIEVE_LEVEL");
  level->intValue = 42;
  QZSteam_Shutdown();
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(Session().statsByName.size(), 39u);
  EXPECT_EQ(Session().statsByAchievementId.size(), 59u);
  EXPECT_EQ(Session().FindStatByName("ACHIEVE_LEVEL"), level);
  for (int32_t id = 1; id <= 5; ++id) EXPECT_EQ(Session().FindStatByAchievementId(id)->intValue, 42);
}

TEST_F(Registry, StaysEmptyWithoutALoggedOnUser) {
  Sim().SetLoggedOn(false);
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_TRUE(Session().statsByName.empty());
  EXPECT_TRUE(Session().statsByAchievementId.empty());
}

}  // namespace
}  // namespace qz::test
