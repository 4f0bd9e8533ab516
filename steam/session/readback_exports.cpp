// Reading the session back: whether this start's statistics have arrived,
// a statistic's value, an achievement's state and display texts, as the
// session holds them. Nothing here calls the platform.
#include <cstdint>
#include <cstring>

#include "include/QZSteam.h"
#include "steam/session/achievement_table.h"
#include "steam/session/session.h"

using qz::steam::kAchievementCount;
using qz::steam::kStatCount;

namespace {

// The session, when this start's statistics have arrived and it still runs.
const QZ_Steam* Received() {
  const QZ_Steam* const session = qz::steam::SessionObject();
  return session != nullptr && session->Started() && session->StatsReceived() ? session : nullptr;
}

// The values of the statistic `name` when it is of `type`, or null.
const Stat* HeldStat(const char* name, StatType type) {
  const QZ_Steam* const session = qz::steam::SessionObject();
  const std::size_t stat = qz::steam::StatIndexOf(name);
  if (session == nullptr || stat == kStatCount || qz::steam::kStatDefinitions[stat].type != type) return nullptr;
  return &session->StatAt(stat);
}

}  // namespace

QZ_EXPORT int32_t QZ_CDECL QZSteam_StatsReceived() { return Received() != nullptr ? 1 : 0; }

QZ_EXPORT int32_t QZ_CDECL QZSteam_GetStatValue(const char* name) {
  const Stat* const stat = HeldStat(name, StatType::Int);
  return stat != nullptr ? stat->intValue : 0;
}

// As the next store sends it: rounded to float.
QZ_EXPORT float QZ_CDECL QZSteam_GetStatValueFloat(const char* name) {
  const Stat* const stat = HeldStat(name, StatType::Float);
  return stat != nullptr ? qz::steam::ToPlatformFloat(stat->floatValue) : 0.0f;
}

QZ_EXPORT int32_t QZ_CDECL QZSteam_IsAchieved(const char* name) {
  const QZ_Steam* const session = Received();
  const std::size_t row = qz::steam::AchievementIndexOf(name);
  if (session == nullptr || row == kAchievementCount) return -1;
  return session->AchievementAt(row).achieved ? 1 : 0;
}

QZ_EXPORT const char* QZ_CDECL QZSteam_GetAchievementDisplay(const char* name, const char* key) {
  const QZ_Steam* const session = qz::steam::SessionObject();
  const std::size_t row = qz::steam::AchievementIndexOf(name);
  if (session == nullptr || row == kAchievementCount || key == nullptr) return "";
  const AchievementState& achievement = session->AchievementAt(row);
  if (std::strcmp(key, "name") == 0) return achievement.name;
  if (std::strcmp(key, "desc") == 0) return achievement.desc;
  return "";
}
