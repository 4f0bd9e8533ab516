// The registry: the Stat records of the 39 statistics, reached by name and by
// achievement id.
#include <memory>
#include <new>

#include "steam/achievement_table.h"
#include "steam/session.h"

using qz::steam::achievementTable;
using qz::steam::AchievementDefinition;
using qz::steam::kAchievementCount;
using qz::steam::kStatDefinitions;
using qz::steam::StatDefinition;

// Inserts and never replaces: after a shutdown, a new start finds every name
// and id present, and the records keep their values.
void QZ_Steam::BuildStatRegistry() {
  int32_t nextId = 1;
  for (const StatDefinition& definition : kStatDefinitions) {
    const int32_t firstId = nextId;
    for (const AchievementDefinition& achievement : definition.achievements)
      if (achievement.apiName != nullptr) ++nextId;

    // Out of memory leaves this stat unregistered: its rows are then skipped
    // like those of any id without a stat, and no exception leaves the export.
    try {
      std::unique_ptr<Stat> made(new (std::nothrow) Stat{definition.name, 0, 0.0, definition.type});
      if (made == nullptr) continue;
      const auto [entry, inserted] = statsByName.emplace(definition.name, made.get());
      if (inserted) made.release();
      // The record the name map holds, so an id never points at a discarded one.
      Stat* const record = entry->second;
      for (int32_t id = firstId; id < nextId; ++id) statsByAchievementId.emplace(id, record);
    } catch (const std::bad_alloc&) {
    }
  }

  for (std::size_t row = 0; row < kAchievementCount; ++row) {
    const int32_t id = achievementTable[row].id;
    const Stat* const stat = FindStatByAchievementId(id);
    const Threshold* const threshold = qz::steam::ThresholdOfAchievement(id);
    rowChecks_[row] = stat != nullptr && threshold != nullptr ? RowCheck{stat, *threshold} : RowCheck{nullptr, {}};
  }
}

Stat* QZ_Steam::FindStatByName(const char* name) const {
  const auto found = statsByName.find(name);
  return found == statsByName.end() ? nullptr : found->second;
}

Stat* QZ_Steam::FindStatByAchievementId(int32_t id) const {
  const auto found = statsByAchievementId.find(id);
  return found == statsByAchievementId.end() ? nullptr : found->second;
}
