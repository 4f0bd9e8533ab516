#include "steam/session.h"

#include <new>

#include "steam/achievement_table.h"
#include "steam/steam_client.h"

namespace {

QZ_Steam* g_session = nullptr;

}  // namespace

QZ_Steam::QZ_Steam() {
  // Registered before the platform library has started, once per process;
  // never unregistered, since the object is never destroyed.
  overlayActivatedCallback.Register(this, &QZ_Steam::OnGameOverlayActivated);
  microTxnResponseCallback.Register(this, &QZ_Steam::OnMicroTxnAuthorizationResponse);
  ticketResponseCallback.Register(this, &QZ_Steam::OnGetAuthSessionTicketResponse);
  statsReceivedCallback.Register(this, &QZ_Steam::OnUserStatsReceived);
  statsStoredCallback.Register(this, &QZ_Steam::OnUserStatsStored);
  achievementStoredCallback.Register(this, &QZ_Steam::OnUserAchievementStored);
}

bool QZ_Steam::Initialize() {
  if (!SteamAPI_Init()) {
    initialized = false;
    return false;
  }
  // Without a logged-on user the session still counts as started (so that
  // QZSteam_Shutdown ends it) but keeps no user data and builds no registry.
  if (SteamUser() == nullptr || !SteamUser()->BLoggedOn()) {
    initialized = true;
    return true;
  }
  steamId = SteamUser()->GetSteamID();
  userInterface = SteamUser();
  statsInterface = SteamUserStats();
  statsRequested = false;
  ISteamUtils* utils = SteamUtils();
  gameId = CGameID(utils != nullptr ? utils->GetAppID() : 0);
  BuildStatRegistry();
  initialized = true;
  return true;
}

void QZ_Steam::BuildStatRegistry() {
  qz::steam::AddStatRecords(statsByName, statsByAchievementId);
  for (std::size_t row = 0; row < qz::steam::kAchievementCount; ++row) {
    const qz::steam::AchievementRow& achievement = qz::steam::kAchievementRows[row];
    const Stat* const stat = FindStatByAchievementId(achievement.id);
    rowChecks_[row] = stat != nullptr ? RowCheck{stat, achievement.threshold} : RowCheck{nullptr, {}};
  }
}

Stat* QZ_Steam::FindStatByName(const char* name) const { return qz::steam::FindStat(statsByName, name); }

Stat* QZ_Steam::FindStatByAchievementId(int32_t id) const {
  return qz::steam::FindStat(statsByAchievementId, id);
}

namespace qz::steam {

QZ_Steam* SessionObject() { return g_session; }

QZ_Steam* SessionObjectOnFirstUse(bool* created) {
  if (created != nullptr) *created = false;
  if (g_session == nullptr) {
    g_session = new (std::nothrow) QZ_Steam;
    if (created != nullptr) *created = g_session != nullptr;
  }
  return g_session;
}

}  // namespace qz::steam
