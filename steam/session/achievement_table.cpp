#include "steam/session/achievement_table.h"

namespace qz::steam {

// The table as the build made it from its JSON source: kStatDefinitions,
// kAchievementRows, kStatsInNameOrder and kAchievementsInNameOrder.
#include "statistics_table.inc"

namespace {

using Rows = std::array<AchievementRow, kAchievementCount>;

// Plain byte order, as std::string compares: byte by byte as unsigned
// values, a text before the longer texts it begins.
constexpr int CompareNames(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x != y || x == 0) return x < y ? -1 : x > y ? 1 : 0;
  }
}

// The statistics' and the achievements' names.
constexpr const char* StatName(std::size_t stat) { return kStatDefinitions[stat].name; }
constexpr const char* AchievementName(std::size_t row) { return kAchievementRows[row].apiName; }

// Binary search of `order`, indexes of entries named by `nameOf` in byte
// order of the names, for the entry named `name`; N when there is none.
template <std::size_t N>
constexpr std::size_t Find(const std::array<std::size_t, N>& order, const char* (*nameOf)(std::size_t),
                           const char* name) {
  std::size_t low = 0, high = N;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const int comparison = CompareNames(name, nameOf(order[middle]));
    if (comparison == 0) return order[middle];
    if (comparison < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return N;
}

// Strictly ascending names (so no name is there twice), each found at its own index.
template <std::size_t N>
constexpr bool EveryNameOnceAndFound(const std::array<std::size_t, N>& order, const char* (*nameOf)(std::size_t)) {
  for (std::size_t position = 0; position < N; ++position)
    if (order[position] >= N) return false;
  for (std::size_t position = 1; position < N; ++position)
    if (CompareNames(nameOf(order[position - 1]), nameOf(order[position])) >= 0) return false;
  for (std::size_t entry = 0; entry < N; ++entry)
    if (Find(order, nameOf, nameOf(entry)) != entry) return false;
  return true;
}

// Row `id - 1` is achievement `id`; it names a statistic of the table, and
// its threshold is of the statistic's kind.
constexpr bool RowsInIdOrderOnTheirStats(const Rows& rows) {
  for (std::size_t row = 0; row < kAchievementCount; ++row) {
    if (rows[row].id != static_cast<int32_t>(row + 1) || rows[row].apiName == nullptr || rows[row].stat >= kStatCount)
      return false;
    if (rows[row].threshold.onFloat != (kStatDefinitions[rows[row].stat].type == StatType::Float)) return false;
  }
  return true;
}

}  // namespace

static_assert(kStatCount > 0, "the table has statistics");
static_assert(RowsInIdOrderOnTheirStats(kAchievementRows), "the rows are in id order, each on a statistic of its kind");
static_assert(EveryNameOnceAndFound(kStatsInNameOrder, StatName), "the statistics' names are distinct and found");
static_assert(EveryNameOnceAndFound(kAchievementsInNameOrder, AchievementName),
              "the achievements' names are distinct and found");

std::size_t StatIndexOf(const char* name) {
  return name != nullptr ? Find(kStatsInNameOrder, StatName, name) : kStatCount;
}

std::size_t AchievementIndexOf(const char* name) {
  return name != nullptr ? Find(kAchievementsInNameOrder, AchievementName, name) : kAchievementCount;
}

}  // namespace qz::steam
