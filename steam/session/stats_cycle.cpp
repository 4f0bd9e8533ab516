// The statistics cycle: ask the platform once for the player's statistics,
// then on every tick unlock what the statistics have earned and store when a
// store is due; load the statistics when they arrive and react to a store's
// outcome.
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/text.h"
#include "platform/win_seam.h"
#include "steam/binding/steam_client.h"
#include "steam/session/achievement_table.h"
#include "steam/session/session.h"

using qz::steam::achievementTable;
using qz::steam::kAchievementCount;
using qz::steam::kAchievementRows;
using qz::steam::kStatDefinitions;
using qz::steam::kStatsInNameOrder;

namespace {

// A debugger line with a result's number: `head`, the number in decimal and
// the line's end, narrow and terminated; `line` has room for every head
// below and any number. The wide lines are widened from it (ASCII texts).
constexpr std::size_t kLineSize = 64;

std::size_t NumberedLine(const char* head, EResult result, char (&line)[kLineSize]) {
  std::size_t length = std::strlen(head);
  std::memcpy(line, head, length);
  length += qz::text::WriteDecimal(static_cast<int32_t>(result), line + length);
  line[length++] = '\n';
  line[length] = '\0';
  return length;
}

void OutputNumberedLineWide(const char* head, EResult result) {
  char narrow[kLineSize];
  char16_t wide[kLineSize];
  wide[qz::text::WidenLatin1(narrow, NumberedLine(head, result, narrow), wide, kLineSize - 1)] = u'\0';
  qz::win::Api().outputDebugStringW(wide);
}

void OutputNumberedLine(const char* head, EResult result) {
  char narrow[kLineSize];
  NumberedLine(head, result, narrow);
  qz::win::Api().outputDebugStringA(narrow);
}

// A Float stat's value as the platform takes it: the nearest float, and an
// infinity beyond the float range (as float arithmetic would have given; the
// plain conversion is undefined there).
float ToPlatformFloat(double value) {
  constexpr float kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::infinity();
  if (value < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

void CopyDisplayText(char* destination, std::size_t capacity, const char* text) {
  std::snprintf(destination, capacity, "%s", text != nullptr ? text : "");
}

}  // namespace

void QZ_Steam::RunStatsFrame() {
  if (!statsRequested) {
    if (statsInterface == nullptr || userInterface == nullptr) {
      // Not logged on at the start: there is nothing to ask for.
      statsRequested = true;
      return;
    }
    ISteamUserStats* const platform = LiveStats();
    if (platform == nullptr) return;  // shut down: asked after the next start
    statsRequested = platform->RequestCurrentStats();
  }
  // While shut down, nothing is unlocked or stored: the unlocks and the
  // pending store wait for the next start.
  if (!statsValid || !initialized) return;
  for (std::size_t row = 0; row < kAchievementCount; ++row) EvaluateAchievement(row);
  StoreStatsIfPending();
}

// A row unlocks when its stat reaches the row's threshold and the row is not
// achieved yet. The tests have no side effects, so the cheaper comes first:
// an idle tick then never reads the (large) rows of the achievement table.
void QZ_Steam::EvaluateAchievement(std::size_t row) {
  const qz::steam::AchievementRow& check = kAchievementRows[row];
  const Stat& stat = stats[check.stat];
  if (check.threshold.ReachedBy(stat.intValue, stat.floatValue) && !achievementTable[row].achieved)
    UnlockAchievement(row);
}

void QZ_Steam::UnlockAchievement(std::size_t row) {
  Achievement& achievement = achievementTable[row];
  // Counts as achieved whatever SetAchievement answers.
  achievement.achieved = true;
  achievement.icon = 0;
  if (ISteamUserStats* const platform = LiveStats()) platform->SetAchievement(achievement.apiName);
  storePending = true;
}

void QZ_Steam::StoreStatsIfPending() {
  if (!storePending) return;
  ISteamUserStats* const platform = LiveStats();
  if (platform == nullptr) return;
  for (const std::size_t index : kStatsInNameOrder) {
    const qz::steam::StatDefinition& definition = kStatDefinitions[index];
    if (definition.type == StatType::Int) {
      platform->SetStat(definition.name, stats[index].intValue);
    } else if (definition.type == StatType::Float) {
      platform->SetStat(definition.name, ToPlatformFloat(stats[index].floatValue));
    }
  }
  // A refused store stays pending and is tried again, every stat written
  // again, on the next tick.
  storePending = !platform->StoreStats();
}

void QZ_Steam::LoadStatValues(ISteamUserStats& platform) {
  // A value the platform does not write keeps its content. A Float stat is
  // read through a float, which replaces the kept value only when the read
  // succeeds.
  for (const std::size_t index : kStatsInNameOrder) {
    const qz::steam::StatDefinition& definition = kStatDefinitions[index];
    if (definition.type == StatType::Int) {
      platform.GetStat(definition.name, &stats[index].intValue);
    } else if (definition.type == StatType::Float) {
      float value = 0.0f;
      if (platform.GetStat(definition.name, &value)) stats[index].floatValue = value;
    }
  }
}

void QZ_Steam::OnUserStatsReceived(UserStatsReceived_t* event) {
  ISteamUserStats* const platform = LiveStats();
  if (event == nullptr || platform == nullptr) return;
  if (event->m_nGameID != gameId.ToUint64()) return;
  if (event->m_eResult != k_EResultOK) {
    // Not asked again in this session: statsRequested stays set.
    OutputNumberedLineWide("RequestStats - failed, ", event->m_eResult);
    return;
  }
  TakeReceivedStats(*platform);
}

// The statistics as the platform holds them: every row's flag and texts, then
// every stat's value, then the "VERSION" step. From now on the game's updates
// count and every tick evaluates the rows.
void QZ_Steam::TakeReceivedStats(ISteamUserStats& platform) {
  qz::win::Api().outputDebugStringW(u"Received stats and achievements from Steam\n");
  statsValid = true;
  for (Achievement& achievement : achievementTable) {
    platform.GetAchievement(achievement.apiName, &achievement.achieved);
    CopyDisplayText(achievement.name, sizeof achievement.name,
                    platform.GetAchievementDisplayAttribute(achievement.apiName, "name"));
    CopyDisplayText(achievement.desc, sizeof achievement.desc,
                    platform.GetAchievementDisplayAttribute(achievement.apiName, "desc"));
  }
  LoadStatValues(platform);
  RunVersionStep(platform);
}

// "VERSION" marks an account whose statistics have had their one-time reset.
// Only a "VERSION" that the platform actually holds as 0 asks for the reset; a
// read that fails (the stat is not configured) must not wipe the player's
// data on every reception. After the reset nothing the player had is lost:
// the rows are cleared so that the next tick unlocks again what the loaded
// statistics have earned, and a store is made pending so that the same tick
// writes every loaded statistic back.
void QZ_Steam::RunVersionStep(ISteamUserStats& platform) {
  int32_t version = 0;
  if (!platform.GetStat("VERSION", &version) || version != 0) return;
  platform.ResetAllStats(true);
  platform.SetStat("VERSION", int32_t{1});
  platform.StoreStats();
  for (Achievement& achievement : achievementTable) achievement.achieved = false;
  storePending = true;
}

void QZ_Steam::OnUserStatsStored(UserStatsStored_t* event) {
  if (event == nullptr) return;
  // The game id is not compared: every store outcome is ours.
  switch (event->m_eResult) {
    case k_EResultOK:
      break;
    case k_EResultInvalidParam: {
      // Some values were refused: take the platform's values instead, and
      // then everything as from a reception.
      ISteamUserStats* const platform = LiveStats();
      if (platform != nullptr) LoadStatValues(*platform);
      qz::win::Api().outputDebugStringW(u"StoreStats - some failed to validate\n");
      if (platform != nullptr) TakeReceivedStats(*platform);
      break;
    }
    default:
      // Not repeated unless something marks a store again.
      OutputNumberedLine("StoreStats - failed, ", event->m_eResult);
      break;
  }
}
