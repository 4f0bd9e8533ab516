// The statistics cycle: ask the platform once for the player's statistics,
// then on every tick unlock what the statistics have earned and store when a
// store is due; load the statistics when they arrive and react to a store's
// outcome.
#include <cstdio>
#include <cstring>

#include "platform/text.h"
#include "platform/win_seam.h"
#include "steam/binding/steam_client.h"
#include "steam/session/achievement_table.h"
#include "steam/session/session.h"

using qz::steam::kAchievementCount;
using qz::steam::kAchievementRows;
using qz::steam::kStatDefinitions;
using qz::steam::kStatsInNameOrder;
using qz::steam::ToPlatformFloat;

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

void CopyDisplayText(char* destination, std::size_t capacity, const char* text) {
  std::snprintf(destination, capacity, "%s", text != nullptr ? text : "");
}

}  // namespace

void QZ_Steam::RunStatsFrame() {
  if (!statsRequested_) {
    // Without a user (or after the shutdown) there is nothing to ask for.
    statsRequested_ = statsInterface_ == nullptr || userInterface_ == nullptr || statsInterface_->RequestCurrentStats();
  }
  // Only a running session with this player's statistics unlocks and
  // stores; while shut down the unlocks and the pending store wait for the
  // next start as the same player.
  if (statsInterface_ == nullptr || !HoldsPlayersStats()) return;
  for (std::size_t row = 0; row < kAchievementCount; ++row) EvaluateAchievement(*statsInterface_, row);
  StoreStatsIfPending();
}

// A row unlocks when its stat reaches the row's threshold and the row is not
// achieved yet; it counts as achieved whatever SetAchievement answers. The
// tests have no side effects, so the cheaper comes first: an idle tick then
// never reads the (large) achievement states.
void QZ_Steam::EvaluateAchievement(ISteamUserStats& platform, std::size_t row) {
  const qz::steam::AchievementRow& check = kAchievementRows[row];
  const Stat& stat = stats_[check.stat];
  if (!check.threshold.ReachedBy(stat.intValue, stat.floatValue) || achievements_[row].achieved) return;
  achievements_[row].achieved = true;
  platform.SetAchievement(check.apiName);
  storePending_ = true;
}

void QZ_Steam::StoreStatsIfPending() {
  if (!storePending_ || statsInterface_ == nullptr) return;
  ISteamUserStats& platform = *statsInterface_;
  for (const std::size_t index : kStatsInNameOrder) {
    const qz::steam::StatDefinition& definition = kStatDefinitions[index];
    if (definition.type == StatType::Int) {
      platform.SetStat(definition.name, stats_[index].intValue);
    } else if (definition.type == StatType::Float) {
      platform.SetStat(definition.name, ToPlatformFloat(stats_[index].floatValue));
    }
  }
  // A refused store stays pending and is tried again, every stat written
  // again, on the next tick.
  storePending_ = !platform.StoreStats();
}

void QZ_Steam::LoadStatValues(ISteamUserStats& platform) {
  // A value the platform does not write keeps its content. A Float stat is
  // read through a float, which replaces the kept value only when the read
  // succeeds.
  for (const std::size_t index : kStatsInNameOrder) {
    const qz::steam::StatDefinition& definition = kStatDefinitions[index];
    if (definition.type == StatType::Int) {
      platform.GetStat(definition.name, &stats_[index].intValue);
    } else if (definition.type == StatType::Float) {
      float value = 0.0f;
      if (platform.GetStat(definition.name, &value)) stats_[index].floatValue = value;
    }
  }
}

void QZ_Steam::OnUserStatsReceived(UserStatsReceived_t* event) {
  if (event == nullptr || statsInterface_ == nullptr) return;
  if (event->m_nGameID != gameId_.ToUint64()) return;
  if (event->m_eResult != k_EResultOK) {
    // Not asked again in this start: statsRequested_ stays set.
    OutputNumberedLineWide("RequestStats - failed, ", event->m_eResult);
    return;
  }
  TakeReceivedStats(*statsInterface_);
}

// The statistics as the platform holds them: every row's flag and texts, then
// every stat's value, then the "VERSION" step. From now on they are this
// player's: the game's updates count and every tick evaluates the rows.
void QZ_Steam::TakeReceivedStats(ISteamUserStats& platform) {
  qz::win::Api().outputDebugStringW(u"Received stats and achievements from Steam\n");
  heldPlayer_ = steamId_;
  statsReceived_ = true;
  for (std::size_t row = 0; row < kAchievementCount; ++row) {
    const char* const apiName = kAchievementRows[row].apiName;
    AchievementState& achievement = achievements_[row];
    platform.GetAchievement(apiName, &achievement.achieved);
    CopyDisplayText(achievement.name, sizeof achievement.name,
                    platform.GetAchievementDisplayAttribute(apiName, "name"));
    CopyDisplayText(achievement.desc, sizeof achievement.desc,
                    platform.GetAchievementDisplayAttribute(apiName, "desc"));
  }
  LoadStatValues(platform);
  RunVersionStep(platform);
}

// "VERSION" marks an account whose statistics have had their one-time reset.
// Only a "VERSION" that the platform actually holds as 0 asks for the reset; a
// read that fails (the stat is not configured) must not wipe the player's
// data on every reception. After the reset nothing the player had is lost:
// the rows keep the flags loaded just before, every achievement the account
// held is set again at once, and a store is made pending so that the next
// tick writes every loaded statistic back (and unlocks what they earn beyond
// the held achievements).
void QZ_Steam::RunVersionStep(ISteamUserStats& platform) {
  int32_t version = 0;
  if (!platform.GetStat("VERSION", &version) || version != 0) return;
  platform.ResetAllStats(true);
  platform.SetStat("VERSION", int32_t{1});
  platform.StoreStats();
  for (std::size_t row = 0; row < kAchievementCount; ++row)
    if (achievements_[row].achieved) platform.SetAchievement(kAchievementRows[row].apiName);
  storePending_ = true;
}

void QZ_Steam::OnUserStatsStored(UserStatsStored_t* event) {
  if (event == nullptr) return;
  // The game id is not compared: every store outcome is ours.
  switch (event->m_eResult) {
    case k_EResultOK:
      break;
    case k_EResultInvalidParam:
      // Some values were refused: take the platform's values instead, and
      // then everything as from a reception.
      if (statsInterface_ != nullptr) LoadStatValues(*statsInterface_);
      qz::win::Api().outputDebugStringW(u"StoreStats - some failed to validate\n");
      if (statsInterface_ != nullptr) TakeReceivedStats(*statsInterface_);
      break;
    default:
      // Not repeated unless something marks a store again.
      OutputNumberedLine("StoreStats - failed, ", event->m_eResult);
      break;
  }
}
