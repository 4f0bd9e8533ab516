// The registry and the achievement table against the game's list, and the
// registry as initialisation builds it.
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "steam/achievement_table.h"
#include "tests/unit/steam/golden_tables.h"
#include "tests/unit/steam/session_test_support.h"

namespace qz::test {
namespace {

using steam::achievementTable;

TEST(AchievementTable, EveryRowMatchesTheGameList) {
  std::vector<const char*> statOfRow;  // according to the library's one table
  for (const steam::StatDefinition& stat : steam::kStatDefinitions)
    for (const steam::AchievementDefinition& achievement : stat.achievements)
      if (achievement.apiName != nullptr) statOfRow.push_back(stat.name);
  ASSERT_EQ(std::size(kGoldenAchievements), achievementTable.size());
  ASSERT_EQ(statOfRow.size(), achievementTable.size());
  for (std::size_t row = 0; row < achievementTable.size(); ++row) {
    const GoldenAchievement& golden = kGoldenAchievements[row];
    const Achievement& actual = achievementTable[row];
    SCOPED_TRACE(golden.apiName);
    EXPECT_EQ(actual.id, golden.id);
    EXPECT_STREQ(actual.apiName, golden.apiName);
    EXPECT_STREQ(statOfRow[row], golden.stat);
    EXPECT_TRUE(actual.name[0] == '\0' && actual.desc[0] == '\0' && !actual.achieved && actual.icon == 0);
    const Threshold* threshold = steam::ThresholdOfAchievement(golden.id);
    ASSERT_NE(threshold, nullptr);
    EXPECT_EQ(threshold->onFloat, golden.onFloat);
    if (golden.onFloat) {
      EXPECT_EQ(threshold->minFloat, static_cast<float>(golden.threshold));
    } else {
      EXPECT_EQ(threshold->minInt, static_cast<int32_t>(golden.threshold));
    }
  }
  // The two odd rows as the game has them: 57's key lacks its stat's last
  // underscore, 39 reads RUN's float value.
  EXPECT_STREQ(achievementTable[56].apiName, "UPGRADE_WEAPON_LVL5");
  EXPECT_STREQ(statOfRow[56], "UPGRADE_WEAPON_LVL_5");
  EXPECT_EQ(steam::ThresholdOfAchievement(39)->minFloat, 40000000.0f);
  for (int32_t id : {INT32_MIN, -1, 0, 60, INT32_MAX}) EXPECT_EQ(steam::ThresholdOfAchievement(id), nullptr) << id;
}

using Registry = SessionTest;

TEST_F(Registry, BuiltOnStartWithEveryNameInByteOrderAndEveryId) {
  ASSERT_EQ(QZSteam_Init(), 1);
  std::vector<std::string> names;
  for (const auto& [name, stat] : Session().statsByName) {
    EXPECT_STREQ(stat->name, name.c_str());
    EXPECT_EQ(stat->type, name == "RUN" ? StatType::Float : StatType::Int) << name;
    EXPECT_TRUE(stat->intValue == 0 && stat->floatValue == 0.0f) << name;
    names.push_back(name);
  }
  EXPECT_EQ(names.size(), 39u);
  EXPECT_EQ(names, GoldenStatsByteOrder());

  ASSERT_EQ(Session().statsByAchievementId.size(), 59u);
  for (const GoldenAchievement& golden : kGoldenAchievements) {
    Stat* stat = Session().FindStatByAchievementId(golden.id);
    ASSERT_NE(stat, nullptr) << golden.id;
    EXPECT_EQ(stat, Session().FindStatByName(golden.stat)) << golden.id << ": one record behind both maps";
  }
  EXPECT_EQ(Session().FindStatByAchievementId(0), nullptr);
  EXPECT_EQ(Session().FindStatByAchievementId(60), nullptr);
  for (const char* near : {"kill_enemy", "KILL_ENEMY ", " KILL_ENEMY", "KILL_ENEM", "KILL_ENEMY_", "", "VERSION"})
    EXPECT_EQ(Session().FindStatByName(near), nullptr) << '"' << near << "\": only the exact name finds a stat";
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

}  // namespace
}  // namespace qz::test
