// The registry: the Stat records of the 39 statistics, reached by name and by
// achievement id.
#include "steam/stat_registry.h"

#include <memory>
#include <new>

#include "steam/achievement_table.h"

namespace qz::steam {
namespace {

// The record the name map holds for `definition`, made when there is none;
// null when memory runs out.
Stat* AddRecord(StatsByName& byName, const StatDefinition& definition) {
  try {
    std::unique_ptr<Stat> made(new (std::nothrow) Stat{definition.name, 0, 0.0, definition.type});
    if (made == nullptr) return nullptr;
    const auto [entry, inserted] = byName.emplace(definition.name, made.get());
    if (inserted) made.release();
    // The record the map holds, so an id never points at a discarded one.
    return entry->second;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool AddId(StatsByAchievementId& byId, int32_t id, Stat* record) {
  try {
    byId.emplace(id, record);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace

void AddStatRecords(StatsByName& byName, StatsByAchievementId& byId) {
  Stat* record = nullptr;
  for (std::size_t row = 0; row < kAchievementCount; ++row) {
    const AchievementRow& achievement = kAchievementRows[row];
    // The rows come stat by stat: a stat's first row makes its record.
    if (row == 0 || achievement.stat != kAchievementRows[row - 1].stat)
      record = AddRecord(byName, kStatDefinitions[achievement.stat]);
    // A stat left out has its rows skipped like those of any id without a
    // stat; an id that cannot be added leaves the stat's further ids out too.
    if (record != nullptr && !AddId(byId, achievement.id, record)) record = nullptr;
  }
}

Stat* FindStat(const StatsByName& byName, const char* name) {
  const auto found = byName.find(name);
  return found == byName.end() ? nullptr : found->second;
}

Stat* FindStat(const StatsByAchievementId& byId, int32_t id) {
  const auto found = byId.find(id);
  return found == byId.end() ? nullptr : found->second;
}

}  // namespace qz::steam
