#include "steam/session/achievement_table.h"

namespace qz::steam {

// The table as the build made it from its JSON source: kStatDefinitions,
// kAchievementRows and kStatsInNameOrder.
#include "statistics_table.inc"

namespace {

using Rows = std::array<AchievementRow, kAchievementCount>;
using NameOrder = std::array<std::size_t, kStatCount>;

// Plain byte order, as std::string compares: byte by byte as unsigned
// values, a text before the longer texts it begins.
constexpr int CompareNames(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x != y || x == 0) return x < y ? -1 : x > y ? 1 : 0;
  }
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
  for (std::size_t position = 0; position < kStatCount; ++position)
    if (order[position] >= kStatCount) return false;
  for (std::size_t position = 1; position < kStatCount; ++position)
    if (CompareNames(kStatDefinitions[order[position - 1]].name, kStatDefinitions[order[position]].name) >= 0)
      return false;
  for (std::size_t stat = 0; stat < kStatCount; ++stat)
    if (Find(order, kStatDefinitions[stat].name) != stat) return false;
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
static_assert(EveryNameOnceAndFound(kStatsInNameOrder), "the statistics' names are distinct and found");

std::size_t StatIndexOf(const char* name) { return Find(kStatsInNameOrder, name); }

}  // namespace qz::steam
