#include "steam/session/session.h"

#include <new>

#include "platform/win_seam.h"
#include "steam/binding/steam_client.h"
#include "steam/session/achievement_table.h"
#include "steam/session/start_diagnostics.h"

using qz::steam::kNoUserLine;
using qz::steam::ReportLoadFailure;
using qz::steam::ReportStartFailure;

namespace {

QZ_Steam* g_session = nullptr;

}  // namespace

QZ_Steam::QZ_Steam() {
  overlayActivatedCallback.Bind(this, &QZ_Steam::OnGameOverlayActivated);
  microTxnResponseCallback.Bind(this, &QZ_Steam::OnMicroTxnAuthorizationResponse);
  ticketResponseCallback.Bind(this, &QZ_Steam::OnGetAuthSessionTicketResponse);
  statsReceivedCallback.Bind(this, &QZ_Steam::OnUserStatsReceived);
  statsStoredCallback.Bind(this, &QZ_Steam::OnUserStatsStored);
  achievementStoredCallback.Bind(this, &QZ_Steam::OnUserAchievementStored);
}

// Once steam_api.dll is bound, and before its first start: once per process,
// in declaration order. Never unregistered, since the object is never destroyed.
void QZ_Steam::RegisterCallbacksOnce() {
  if (callbacksRegistered_) return;
  callbacksRegistered_ = true;
  SteamAPI_RegisterCallback(&overlayActivatedCallback, GameOverlayActivated_t::k_iCallback);
  SteamAPI_RegisterCallback(&microTxnResponseCallback, MicroTxnAuthorizationResponse_t::k_iCallback);
  SteamAPI_RegisterCallback(&ticketResponseCallback, GetAuthSessionTicketResponse_t::k_iCallback);
  SteamAPI_RegisterCallback(&statsReceivedCallback, UserStatsReceived_t::k_iCallback);
  SteamAPI_RegisterCallback(&statsStoredCallback, UserStatsStored_t::k_iCallback);
  SteamAPI_RegisterCallback(&achievementStoredCallback, UserAchievementStored_t::k_iCallback);
}

bool QZ_Steam::Initialize() {
  if (!qz::steam::LoadSteamApi()) {
    ReportLoadFailure(qz::steam::LastLoadFailure());
    initialized = false;
    return false;
  }
  RegisterCallbacksOnce();
  const SteamStart start = SteamAPI_Start();
  if (!start.started) {
    ReportStartFailure(start);
    initialized = false;
    return false;
  }
  // Without a logged-on user the session still counts as started (so that
  // QZSteam_Shutdown ends it) but keeps no user data and no stats interface,
  // so its statistics are never asked for.
  if (SteamUser() == nullptr || !SteamUser()->BLoggedOn()) {
    qz::win::Api().outputDebugStringA(kNoUserLine);
    initialized = true;
    return true;
  }
  steamId = SteamUser()->GetSteamID();
  userInterface = SteamUser();
  statsInterface = SteamUserStats();
  statsRequested = false;
  ISteamUtils* utils = SteamUtils();
  gameId = CGameID(utils != nullptr ? utils->GetAppID() : 0);
  initialized = true;
  return true;
}

Stat* QZ_Steam::FindStatByName(const char* name) {
  const std::size_t stat = qz::steam::StatIndexOf(name);
  return stat < stats.size() ? &stats[stat] : nullptr;
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
