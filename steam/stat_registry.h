#pragma once
// The statistics registry: one Stat record per player statistic, the
// session's two ordered maps onto those records and the functions that fill
// and search them, and the rows of the achievement table with the threshold
// that unlocks each.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

// Which of a Stat's two values is its value on the platform.
enum class StatType : int32_t {
  Int = 0,    // GetStat/SetStat int32 with intValue
  Float = 1,  // GetStat/SetStat float with floatValue, exchanged as a float
};

struct Stat {
  const char* name;  // a string constant of the library, never copied or freed
  int32_t intValue;
  // Kept in double precision: a game adds small per-frame amounts (distances)
  // to large totals, and in float arithmetic an amount below half a step of
  // the total is lost (at 2^25 a float steps by 4). The platform's float is
  // loaded into it and it is written back rounded to float.
  double floatValue;
  StatType type;
};

// Keyed by an owned copy of the name, in plain byte order. std::less<> lets a
// lookup compare a const char* without building a std::string first.
using StatsByName = std::map<std::string, Stat*, std::less<>>;
// Keyed by achievement id; several ids share one Stat.
using StatsByAchievementId = std::map<int32_t, Stat*>;

struct Achievement {
  int32_t id;
  const char* apiName;  // the achievement's key on the platform
  char name[128];       // display texts, as the platform gives them
  char desc[256];
  bool achieved;
  int32_t icon;
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

  bool ReachedBy(const Stat& stat) const { return onFloat ? stat.floatValue >= minFloat : stat.intValue >= minInt; }

 private:
  constexpr Threshold(bool, double atLeast) : onFloat(true), minInt(0), minFloat(atLeast) {}
};

namespace qz::steam {

// Adds a record for each of the game's statistics to `byName`, and to `byId`
// under the id of every achievement the statistic decides. Inserts and never
// replaces: after a shutdown, a new start finds every name and id present,
// and the records keep their values. Out of memory leaves a statistic (or the
// rest of its ids) out, and throws nothing.
void AddStatRecords(StatsByName& byName, StatsByAchievementId& byId);

// The record of the statistic `name` / of achievement `id`, or null.
Stat* FindStat(const StatsByName& byName, const char* name);
Stat* FindStat(const StatsByAchievementId& byId, int32_t id);

}  // namespace qz::steam
