#include "steam/session.h"

#include <new>

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
