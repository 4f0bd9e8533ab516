#pragma once
// The game's statistics and achievements as the game's designers list them,
// written out here independently of the library's table so that the two can
// be compared.
#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace qz::test {

struct GoldenAchievement {
  int32_t id;
  const char* apiName;
  const char* stat;
  double threshold;  // on intValue, or on floatValue where onFloat
  bool onFloat;
};

// Test names and messages show the key.
inline void PrintTo(const GoldenAchievement& achievement, std::ostream* out) { *out << achievement.apiName; }

inline constexpr GoldenAchievement kGoldenAchievements[] = {
    {1, "ACHIEVE_LEVEL_5", "ACHIEVE_LEVEL", 5, false}, {2, "ACHIEVE_LEVEL_10", "ACHIEVE_LEVEL", 10, false},
    {3, "ACHIEVE_LEVEL_25", "ACHIEVE_LEVEL", 25, false}, {4, "ACHIEVE_LEVEL_50", "ACHIEVE_LEVEL", 50, false},
    {5, "ACHIEVE_LEVEL_60", "ACHIEVE_LEVEL", 60, false}, {6, "KILL_ENEMY_10", "KILL_ENEMY", 10, false},
    {7, "KILL_ENEMY_100", "KILL_ENEMY", 100, false}, {8, "KILL_ENEMY_500", "KILL_ENEMY", 500, false},
    {9, "KILL_ENEMY_2500", "KILL_ENEMY", 2500, false}, {10, "KILL_ENEMY_10000", "KILL_ENEMY", 10000, false},
    {11, "KILL_ENEMY_AR_100", "KILL_ENEMY_AR", 100, false}, {12, "KILL_ENEMY_SMG_100", "KILL_ENEMY_SMG", 100, false},
    {13, "KILL_ENEMY_SR_100", "KILL_ENEMY_SR", 100, false}, {14, "KILL_ENEMY_S_100", "KILL_ENEMY_S", 100, false},
    {15, "KILL_ENEMY_P_100", "KILL_ENEMY_P", 100, false}, {16, "KILL_ENEMY_MW_100", "KILL_ENEMY_MW", 100, false},
    {17, "KILL_ENEMY_G_100", "KILL_ENEMY_G", 100, false}, {18, "WIN_MATCH_1", "WIN_MATCH", 1, false},
    {19, "WIN_MATCH_10", "WIN_MATCH", 10, false}, {20, "WIN_MATCH_50", "WIN_MATCH", 50, false},
    {21, "WIN_MATCH_250", "WIN_MATCH", 250, false}, {22, "WIN_MATCH_1000", "WIN_MATCH", 1000, false},
    {23, "WIN_CLAN_1", "WIN_CLAN", 1, false}, {24, "WIN_CLAN_10", "WIN_CLAN", 10, false},
    {25, "WIN_CLAN_50", "WIN_CLAN", 50, false}, {26, "WIN_CLAN_250", "WIN_CLAN", 250, false},
    {27, "WIN_SABOTAGE_5", "WIN_SABOTAGE", 5, false}, {28, "WIN_SABOTAGE_100", "WIN_SABOTAGE", 100, false},
    {29, "WIN_WANTED_5", "WIN_WANTED", 5, false}, {30, "WIN_WANTED_100", "WIN_WANTED", 100, false},
    {31, "WIN_FFA_5", "WIN_FFA", 5, false}, {32, "WIN_FFA_100", "WIN_FFA", 100, false},
    {33, "WIN_TDM_5", "WIN_TDM", 5, false}, {34, "WIN_TDM_100", "WIN_TDM", 100, false},
    {35, "WIN_CTF_5", "WIN_CTF", 5, false}, {36, "WIN_CTF_100", "WIN_CTF", 100, false},
    {37, "MASS_KILL_10", "MASS_KILL", 10, false}, {38, "SHOOT_BULLETS_1000000", "SHOOT_BULLETS", 1000000, false},
    {39, "RUN_40000", "RUN", 40000000.0, true}, {40, "SNOWBALL_WIN_1", "SNOWBALL_WIN", 1, false},
    {41, "SNOWBALL_KILL_10", "SNOWBALL_KILL", 10, false}, {42, "STONY_SNOWBALL_KILL_10", "STONY_SNOWBALL_KILL", 10, false},
    {43, "DYNAMITE_SNOWBALL_KILL_10", "DYNAMITE_SNOWBALL_KILL", 10, false}, {44, "FINISH_DAILY_MC_1", "FINISH_DAILY_MC", 1, false},
    {45, "FINISH_WEEKLY_MC_1", "FINISH_WEEKLY_MC", 1, false}, {46, "FINISH_MONTHLY_MC_1", "FINISH_MONTHLY_MC", 1, false},
    {47, "FINISH_SPECIAL_MC_1", "FINISH_SPECIAL_MC", 1, false}, {48, "UPGRADE_WEAPON_1", "UPGRADE_WEAPON", 1, false},
    {49, "TRANSFER_WEAPON_1", "TRANSFER_WEAPON", 1, false}, {50, "GIFT_WEAPON_1", "GIFT_WEAPON", 1, false},
    {51, "MOST_VAL_PLAYER_1", "MOST_VAL_PLAYER", 1, false}, {52, "WIN_ROUNDS_SABOTAGE_1000", "WIN_ROUNDS_SABOTAGE", 1000, false},
    {53, "DEFUSE_PLANT_SABOTAGE_100", "DEFUSE_PLANT_SABOTAGE", 100, false}, {54, "COLLECT_GOLD_WANTED_50000", "COLLECT_GOLD_WANTED", 50000, false},
    {55, "SCORE_FLAG_CTF_250", "SCORE_FLAG_CTF", 250, false}, {56, "CARRY_FLAG_CTF_50", "CARRY_FLAG_CTF", 50, false},
    {57, "UPGRADE_WEAPON_LVL5", "UPGRADE_WEAPON_LVL_5", 1, false}, {58, "FINISH_AK_1", "FINISH_AK", 1, false},
    {59, "KILL_ENEMY_EB_1", "KILL_ENEMY_EB", 1, false},
};

// The 39 statistics in plain byte order of their names: the order in which
// they are read from and written to the platform. "RUN" is the one Float stat.
inline std::vector<std::string> GoldenStatsByteOrder() {
  std::set<std::string> names;
  for (const GoldenAchievement& achievement : kGoldenAchievements) names.insert(achievement.stat);
  return {names.begin(), names.end()};
}

}  // namespace qz::test
