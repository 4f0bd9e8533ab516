#pragma once
// The game's statistics and achievements, fixed in the library. One table,
// kStatDefinitions, says everything: the 39 statistics in the order the
// registry is built, the type of each, and the achievements each decides with
// their platform keys and thresholds. Achievement ids are the rows' positions
// in that walk, 1 to 59; the achievement table and the thresholds are derived
// from it.
#include <array>
#include <cstddef>
#include <cstdint>

#include "steam/stat_registry.h"

namespace qz::steam {

inline constexpr std::size_t kStatCount = 39;
inline constexpr std::size_t kAchievementCount = 59;
inline constexpr std::size_t kMostAchievementsPerStat = 5;

struct AchievementDefinition {
  const char* apiName = nullptr;  // null: no further achievement for this stat
  Threshold threshold = 0;
};

struct StatDefinition {
  const char* name;
  StatType type;
  AchievementDefinition achievements[kMostAchievementsPerStat];
};

extern const StatDefinition kStatDefinitions[kStatCount];

// The threshold of each row of the achievement table (achievement id - 1).
extern const std::array<Threshold, kAchievementCount> kAchievementThresholds;

// The unlock threshold of achievement `id`, or null for an id outside 1..59.
inline const Threshold* ThresholdOfAchievement(int32_t id) {
  if (id < 1 || id > static_cast<int32_t>(kAchievementCount)) return nullptr;
  return &kAchievementThresholds[static_cast<std::size_t>(id - 1)];
}

// The rows the game's achievements are tracked in, in id order. Static and
// shared by every session of the process; filled with ids, keys, empty texts
// and cleared flags when the library loads.
extern std::array<Achievement, kAchievementCount> achievementTable;

}  // namespace qz::steam
