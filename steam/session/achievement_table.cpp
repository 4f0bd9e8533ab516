#include "steam/session/achievement_table.h"

namespace qz::steam {

constexpr StatDefinition kStatDefinitions[kStatCount] = {
    {"ACHIEVE_LEVEL", StatType::Int,
     {{"ACHIEVE_LEVEL_5", 5}, {"ACHIEVE_LEVEL_10", 10}, {"ACHIEVE_LEVEL_25", 25}, {"ACHIEVE_LEVEL_50", 50},
      {"ACHIEVE_LEVEL_60", 60}}},
    {"KILL_ENEMY", StatType::Int,
     {{"KILL_ENEMY_10", 10}, {"KILL_ENEMY_100", 100}, {"KILL_ENEMY_500", 500}, {"KILL_ENEMY_2500", 2500},
      {"KILL_ENEMY_10000", 10000}}},
    {"KILL_ENEMY_AR", StatType::Int, {{"KILL_ENEMY_AR_100", 100}}},
    {"KILL_ENEMY_SMG", StatType::Int, {{"KILL_ENEMY_SMG_100", 100}}},
    {"KILL_ENEMY_SR", StatType::Int, {{"KILL_ENEMY_SR_100", 100}}},
    {"KILL_ENEMY_S", StatType::Int, {{"KILL_ENEMY_S_100", 100}}},
    {"KILL_ENEMY_P", StatType::Int, {{"KILL_ENEMY_P_100", 100}}},
    {"KILL_ENEMY_MW", StatType::Int, {{"KILL_ENEMY_MW_100", 100}}},
    {"KILL_ENEMY_G", StatType::Int, {{"KILL_ENEMY_G_100", 100}}},
    {"WIN_MATCH", StatType::Int,
     {{"WIN_MATCH_1", 1}, {"WIN_MATCH_10", 10}, {"WIN_MATCH_50", 50}, {"WIN_MATCH_250", 250},
      {"WIN_MATCH_1000", 1000}}},
    {"WIN_CLAN", StatType::Int, {{"WIN_CLAN_1", 1}, {"WIN_CLAN_10", 10}, {"WIN_CLAN_50", 50}, {"WIN_CLAN_250", 250}}},
    {"WIN_SABOTAGE", StatType::Int, {{"WIN_SABOTAGE_5", 5}, {"WIN_SABOTAGE_100", 100}}},
    {"WIN_WANTED", StatType::Int, {{"WIN_WANTED_5", 5}, {"WIN_WANTED_100", 100}}},
    {"WIN_FFA", StatType::Int, {{"WIN_FFA_5", 5}, {"WIN_FFA_100", 100}}},
    {"WIN_TDM", StatType::Int, {{"WIN_TDM_5", 5}, {"WIN_TDM_100", 100}}},
    {"WIN_CTF", StatType::Int, {{"WIN_CTF_5", 5}, {"WIN_CTF_100", 100}}},
    {"MASS_KILL", StatType::Int, {{"MASS_KILL_10", 10}}},
    {"SHOOT_BULLETS", StatType::Int, {{"SHOOT_BULLETS_1000000", 1000000}}},
    // Forty million, not forty thousand, whatever the key says.
    {"RUN", StatType::Float, {{"RUN_40000", Threshold::FloatAtLeast(40000000.0)}}},
    {"SNOWBALL_WIN", StatType::Int, {{"SNOWBALL_WIN_1", 1}}},
    {"SNOWBALL_KILL", StatType::Int, {{"SNOWBALL_KILL_10", 10}}},
    {"STONY_SNOWBALL_KILL", StatType::Int, {{"STONY_SNOWBALL_KILL_10", 10}}},
    {"DYNAMITE_SNOWBALL_KILL", StatType::Int, {{"DYNAMITE_SNOWBALL_KILL_10", 10}}},
    {"FINISH_DAILY_MC", StatType::Int, {{"FINISH_DAILY_MC_1", 1}}},
    {"FINISH_WEEKLY_MC", StatType::Int, {{"FINISH_WEEKLY_MC_1", 1}}},
    {"FINISH_MONTHLY_MC", StatType::Int, {{"FINISH_MONTHLY_MC_1", 1}}},
    {"FINISH_SPECIAL_MC", StatType::Int, {{"FINISH_SPECIAL_MC_1", 1}}},
    {"UPGRADE_WEAPON", StatType::Int, {{"UPGRADE_WEAPON_1", 1}}},
    {"TRANSFER_WEAPON", StatType::Int, {{"TRANSFER_WEAPON_1", 1}}},
    {"GIFT_WEAPON", StatType::Int, {{"GIFT_WEAPON_1", 1}}},
    {"MOST_VAL_PLAYER", StatType::Int, {{"MOST_VAL_PLAYER_1", 1}}},
    {"WIN_ROUNDS_SABOTAGE", StatType::Int, {{"WIN_ROUNDS_SABOTAGE_1000", 1000}}},
    {"DEFUSE_PLANT_SABOTAGE", StatType::Int, {{"DEFUSE_PLANT_SABOTAGE_100", 100}}},
    {"COLLECT_GOLD_WANTED", StatType::Int, {{"COLLECT_GOLD_WANTED_50000", 50000}}},
    {"SCORE_FLAG_CTF", StatType::Int, {{"SCORE_FLAG_CTF_250", 250}}},
    {"CARRY_FLAG_CTF", StatType::Int, {{"CARRY_FLAG_CTF_50", 50}}},
    // The platform key has no underscore before the 5; the stat has one.
    {"UPGRADE_WEAPON_LVL_5", StatType::Int, {{"UPGRADE_WEAPON_LVL5", 1}}},
    {"FINISH_AK", StatType::Int, {{"FINISH_AK_1", 1}}},
    {"KILL_ENEMY_EB", StatType::Int, {{"KILL_ENEMY_EB_1", 1}}},
};

namespace {

using Rows = std::array<AchievementRow, kAchievementCount>;
using NameOrder = std::array<std::size_t, kStatCount>;

// The one walk of the definitions. A definition with more achievements than
// kAchievementCount fails to compile (the write past the end is no constant
// expression); one with fewer leaves the last row without a key.
constexpr Rows MakeRows() {
  Rows rows{};
  std::size_t row = 0;
  for (std::size_t stat = 0; stat < kStatCount; ++stat) {
    for (const AchievementDefinition& achievement : kStatDefinitions[stat].achievements) {
      if (achievement.apiName == nullptr) continue;
      rows[row] = {static_cast<int32_t>(row + 1), achievement.apiName, stat, achievement.threshold};
      ++row;
    }
  }
  return rows;
}

// Plain byte order, as std::string compares: byte by byte as unsigned
// values, a text before the longer texts it begins.
constexpr int CompareNames(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x != y || x == 0) return x < y ? -1 : x > y ? 1 : 0;
  }
}

constexpr NameOrder MakeNameOrder() {
  NameOrder order{};
  for (std::size_t stat = 0; stat < kStatCount; ++stat) {
    std::size_t at = stat;
    for (; at > 0 && CompareNames(kStatDefinitions[stat].name, kStatDefinitions[order[at - 1]].name) < 0; --at)
      order[at] = order[at - 1];
    order[at] = stat;
  }
  return order;
}

// Binary search of `order` for the statistic named `name`.
constexpr std::size_t Find(const NameOrder& order, const char* name) {
  std::size_t low = 0, high = kStatCount;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const int comparison = CompareNames(name, kStatDefinitions[order[middle]].name);
    if (comparison == 0) return order[middle];
    if (comparison < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return kStatCount;
}

// Strictly ascending names (so no name is there twice), each found at its own index.
constexpr bool EveryNameOnceAndFound(const NameOrder& order) {
  for (std::size_t position = 1; position < kStatCount; ++position)
    if (CompareNames(kStatDefinitions[order[position - 1]].name, kStatDefinitions[order[position]].name) >= 0)
      return false;
  for (std::size_t stat = 0; stat < kStatCount; ++stat)
    if (Find(order, kStatDefinitions[stat].name) != stat) return false;
  return true;
}

}  // namespace

constexpr Rows kAchievementRows = MakeRows();
static_assert(kAchievementRows.back().apiName != nullptr, "every achievement has one row");

constexpr NameOrder kStatsInNameOrder = MakeNameOrder();
static_assert(EveryNameOnceAndFound(kStatsInNameOrder), "the statistics' names are distinct and found");

std::size_t StatIndexOf(const char* name) { return Find(kStatsInNameOrder, name); }

}  // namespace qz::steam
