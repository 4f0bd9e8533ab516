#pragma once
// The game's statistics and achievements, fixed in the library. One table,
// kStatDefinitions, says everything: the 39 statistics in the order the
// library registers them, the type of each, and the achievements each decides
// with their platform keys and thresholds. It is walked at compile time into
// kAchievementRows, one row per achievement in id order (1 to 59), and into
// kStatsInNameOrder, the statistics in the byte order of their names; the
// session's statistics, the unlock checks and its achievement states read them.
#include <array>
#include <cstddef>
#include <cstdint>

// Which of a statistic's two values is its value on the platform.
enum class StatType : int32_t {
  Int = 0,    // GetStat/SetStat int32 with intValue
  Float = 1,  // GetStat/SetStat float with floatValue, exchanged as a float
};

// What unlocks an achievement: the stat's intValue reaching `minInt` (signed
// 32-bit compare), or, where `onFloat`, its (double) floatValue reaching
// `minFloat` (which a NaN never does).
struct Threshold {
  bool onFloat;
  int32_t minInt;
  double minFloat;

  constexpr Threshold() : Threshold(int32_t{0}) {}
  constexpr Threshold(int32_t atLeast) : onFloat(false), minInt(atLeast), minFloat(0.0) {}  // NOLINT: table shorthand
  static constexpr Threshold FloatAtLeast(double atLeast) { return Threshold(true, atLeast); }

  bool ReachedBy(int32_t intValue, double floatValue) const {
    return onFloat ? floatValue >= minFloat : intValue >= minInt;
  }

 private:
  constexpr Threshold(bool, double atLeast) : onFloat(true), minInt(0), minFloat(atLeast) {}
};

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
// come stat by stat, in the order of kStatDefinitions.
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

// The index into kStatDefinitions of the statistic named exactly `name`
// (case-sensitive, the whole text), or kStatCount for any other text.
std::size_t StatIndexOf(const char* name);

}  // namespace qz::steam
