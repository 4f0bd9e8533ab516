#include "steam/session/session.h"

#include <new>

#include "platform/win_seam.h"
#include "steam/binding/steam_client.h"
#include "steam/session/start_diagnostics.h"

using qz::steam::kNoUserLine;
using qz::steam::ReportLoadFailure;
using qz::steam::ReportStartFailure;

namespace {

QZ_Steam* g_session = nullptr;

}  // namespace

QZ_Steam::QZ_Steam() {
  overlayActivatedCallback_.Bind(this, &QZ_Steam::OnGameOverlayActivated);
  microTxnResponseCallback_.Bind(this, &QZ_Steam::OnMicroTxnAuthorizationResponse);
  ticketResponseCallback_.Bind(this, &QZ_Steam::OnGetAuthSessionTicketResponse);
  statsReceivedCallback_.Bind(this, &QZ_Steam::OnUserStatsReceived);
  statsStoredCallback_.Bind(this, &QZ_Steam::OnUserStatsStored);
  achievementStoredCallback_.Bind(this, &QZ_Steam::OnUserAchievementStored);
}

// Once steam_api.dll is bound, and before its first start: once per process,
// in declaration order. Never unregistered, since the object is never
// destroyed. From here on steam_api.dll holds the objects' addresses, and
// their code is this library's: so the library pins itself, and a host's
// FreeLibrary leaves it mapped (a later LoadLibrary gets the same module and
// this same session). Unregistering at unload instead would call
// steam_api.dll under the loader lock.
void QZ_Steam::RegisterCallbacksOnce() {
  if (callbacksRegistered_) return;
  callbacksRegistered_ = true;
  SteamAPI_RegisterCallback(&overlayActivatedCallback_, GameOverlayActivated_t::k_iCallback);
  SteamAPI_RegisterCallback(&microTxnResponseCallback_, MicroTxnAuthorizationResponse_t::k_iCallback);
  SteamAPI_RegisterCallback(&ticketResponseCallback_, GetAuthSessionTicketResponse_t::k_iCallback);
  SteamAPI_RegisterCallback(&statsReceivedCallback_, UserStatsReceived_t::k_iCallback);
  SteamAPI_RegisterCallback(&statsStoredCallback_, UserStatsStored_t::k_iCallback);
  SteamAPI_RegisterCallback(&achievementStoredCallback_, UserAchievementStored_t::k_iCallback);
  qz::win::Api().pinOwnModule();
}

bool QZ_Steam::Initialize() {
  if (!qz::steam::LoadSteamApi()) {
    ReportLoadFailure(qz::steam::LastLoadFailure());
    return false;
  }
  RegisterCallbacksOnce();
  const SteamStart start = SteamAPI_Start();
  if (!start.started) {
    ReportStartFailure(start);
    return false;
  }
  ResetForStart();
  started_ = true;
  // Without a logged-on user the session still counts as started (so that
  // QZSteam_Shutdown ends it) but has no user and no stats interface: its
  // statistics are never asked for, and nothing held is touched.
  if (SteamUser() == nullptr || !SteamUser()->BLoggedOn()) {
    qz::win::Api().outputDebugStringA(kNoUserLine);
    return true;
  }
  steamId_ = SteamUser()->GetSteamID();
  userInterface_ = SteamUser();
  statsInterface_ = SteamUserStats();
  ISteamUtils* utils = SteamUtils();
  gameId_ = CGameID(utils != nullptr ? utils->GetAppID() : 0);
  // Another player's values must never be stored into this player's account.
  if (heldPlayer_.ConvertToUint64() != 0 && heldPlayer_.ConvertToUint64() != steamId_.ConvertToUint64())
    DropHeldStats();
  return true;
}

void QZ_Steam::ResetForStart() {
  statsInterface_ = nullptr;
  userInterface_ = nullptr;
  steamId_ = CSteamID();
  gameId_ = CGameID();
  statsRequested_ = false;
  statsReceived_ = false;
  ticket_.Reset();
}

void QZ_Steam::DropHeldStats() {
  heldPlayer_ = CSteamID();
  stats_ = {};
  achievements_ = {};
  storePending_ = false;
}

void QZ_Steam::Shutdown() {
  if (!started_) return;
  if (HoldsPlayersStats()) StoreStatsIfPending();
  if (steamId_.GetAccountID() != 0) {
    if (ISteamUser* const user = SteamUser()) user->EndAuthSession(steamId_);
  }
  SteamAPI_Shutdown();
  started_ = false;
  statsInterface_ = nullptr;
  userInterface_ = nullptr;
}

bool QZ_Steam::HoldsPlayersStats() const {
  return heldPlayer_.ConvertToUint64() != 0 && heldPlayer_.ConvertToUint64() == steamId_.ConvertToUint64();
}

Stat* QZ_Steam::UpdatableStat(const char* name) {
  if (name == nullptr || !HoldsPlayersStats()) return nullptr;
  const std::size_t stat = qz::steam::StatIndexOf(name);
  return stat < stats_.size() ? &stats_[stat] : nullptr;
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
