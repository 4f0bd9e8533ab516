#pragma once
// The game's statistics and achievements, fixed in the library when it is
// built. Their one source is a JSON file (data/statistics.json, or a team's
// own through QZ_STATISTICS) that the build checks and turns into the arrays
// below (cmake/statistics_table.cmake): kStatDefinitions, the statistics in
// the order of the file, with their types; kAchievementRows, one row per
// achievement in id order (1, 2, ...); and kStatsInNameOrder, the statistics
// in the byte order of their names. The session's statistics, the unlock
// checks and its achievement states read them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "statistics_table_size.h"

// Which of a statistic's two values is its value on the platform.
enum class StatType : int32_t {
  Int = 0,    // GetStat/SetStat int32 with intValue
  Float = 1,  // GetStat/SetStat float with floatValue, exchanged as a float
};

// What unlocks an achievement: the stat's intValue reaching `minInt` (signed
// 32-bit compare), or, where `onFloat`, its floatValue reaching `minFloat`
// (which a NaN never does). A float threshold is held as the platform holds
// the value, in single precision: a value set to exactly the threshold's
// float reaches it (0.7 as a double lies above 0.7f).
struct Threshold {
  bool onFloat;
  int32_t minInt;
  float minFloat;

  constexpr Threshold() : Threshold(int32_t{0}) {}
  constexpr Threshold(int32_t atLeast) : onFloat(false), minInt(atLeast), minFloat(0.0f) {}  // NOLINT: table shorthand
  static constexpr Threshold FloatAtLeast(double atLeast) { return Threshold(true, static_cast<float>(atLeast)); }

  bool ReachedBy(int32_t intValue, double floatValue) const {
    return onFloat ? floatValue >= minFloat : intValue >= minInt;
  }

 private:
  constexpr Threshold(bool, float atLeast) : onFloat(true), minInt(0), minFloat(atLeast) {}
};

namespace qz::steam {

// A Float stat's value as the platform takes it: the nearest float, and an
// infinity beyond the float range (as float arithmetic would have given; the
// plain conversion is undefined there).
inline float ToPlatformFloat(double value) {
  constexpr float kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::infinity();
  if (value < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace qz::steam

namespace qz::steam {

// kStatCount and kAchievementCount come with the table (statistics_table_size.h).

struct StatDefinition {
  const char* name;  // the statistic's API name on the platform
  StatType type;
};

extern const StatDefinition kStatDefinitions[kStatCount];

// One achievement: its id, its platform key, the stat that decides it (an
// index into kStatDefinitions) and the threshold that unlocks it.
struct AchievementRow {
  int32_t id;
  const char* apiName;
  std::size_t stat;
  Threshold threshold;
};

// Row `id - 1` is achievement `id`.
extern const std::array<AchievementRow, kAchievementCount> kAchievementRows;

// The indexes into kStatDefinitions in the plain byte order of the names: the
// order in which the statistics are read from and written to the platform.
extern const std::array<std::size_t, kStatCount> kStatsInNameOrder;

// The rows of kAchievementRows in the byte order of their keys.
extern const std::array<std::size_t, kAchievementCount> kAchievementsInNameOrder;

// The index into kStatDefinitions of the statistic named exactly `name`
// (case-sensitive, the whole text), or kStatCount for any other text and for
// null.
std::size_t StatIndexOf(const char* name);

// The row of kAchievementRows of the achievement whose key is exactly
// `name`, or kAchievementCount for any other text and for null.
std::size_t AchievementIndexOf(const char* name);

}  // namespace qz::steam
