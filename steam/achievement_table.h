#pragma once
// The game's statistics and achievements, fixed in the library. One table,
// kStatDefinitions, says everything: the 39 statistics in the order the
// registry is built, the type of each, and the achievements each decides with
// their platform keys and thresholds. It is walked once, at compile time, into
// kAchievementRows, one row per achievement in id order (1 to 59); the
// registry, the unlock checks and the achievement table read those rows.
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

// One achievement: its id, its platform key, the stat that decides it (an
// index into kStatDefinitions) and the threshold that unlocks it. The rows
// come stat by stat, in the order of kStatDefinitions, every stat with at
// least one row.
struct AchievementRow {
  int32_t id;
  const char* apiName;
  std::size_t stat;
  Threshold threshold;
};

// Row `id - 1` is achievement `id`.
extern const std::array<AchievementRow, kAchievementCount> kAchievementRows;

// The unlock threshold of achievement `id`, or null for an id outside 1..59.
inline const Threshold* ThresholdOfAchievement(int32_t id) {
  if (id < 1 || id > static_cast<int32_t>(kAchievementCount)) return nullptr;
  return &kAchievementRows[static_cast<std::size_t>(id - 1)].threshold;
}

// The rows the game's achievements are tracked in, in id order. Static and
// shared by every session of the process; filled with ids, keys, empty texts
// and cleared flags when the library loads.
extern std::array<Achievement, kAchievementCount> achievementTable;

}  // namespace qz::steam
