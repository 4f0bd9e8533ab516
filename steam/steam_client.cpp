#include "steam/steam_client.h"

#include "steam/callback_registry.h"
#include "steam/stats_request_stand_in.h"

using qz::steam::SteamFlat;

namespace {

// Loads steam_api.dll if it is not loaded yet, and registers the objects that
// were waiting for it. A loaded table has every function the wrappers below
// call (LoadSteamApi refuses any other), so they call without checking.
bool Bind() {
  if (!qz::steam::LoadSteamApi()) return false;
  qz::steam::RegisterAwaitingCallbacks();
  return true;
}

}  // namespace

bool SteamAPI_Init() {
  if (!Bind()) return false;
  const qz::steam::SteamFlatApi& t = SteamFlat();
  SteamErrMsg message = {};
  if (t.InitFlat) return t.InitFlat(&message) == k_ESteamAPIInitResult_OK;
  if (t.InternalInit) return t.InternalInit(nullptr, &message) == k_ESteamAPIInitResult_OK;
  return t.Init();
}

// The pump and shutdown may come before any DLL was loaded: then they do nothing.
void SteamAPI_RunCallbacks() {
  if (auto run = SteamFlat().RunCallbacks) run();
  qz::steam::DeliverDueStatsAnswer();
}

void SteamAPI_Shutdown() {
  qz::steam::DropStatsAnswer();
  if (auto shutdown = SteamFlat().Shutdown) shutdown();
}

void SteamAPI_RegisterCallback(CCallbackBase* callback, int callbackId) {
  qz::steam::RememberCallback(callback, callbackId);
  if (Bind()) {
    SteamFlat().RegisterCallback(callback, callbackId);
  } else {
    qz::steam::AwaitLoad(callback, callbackId);
  }
}

// The accessors answer null while no DLL is loaded.
ISteamUser* SteamUser() {
  auto get = SteamFlat().SteamUser;
  return get ? get() : nullptr;
}

ISteamUserStats* SteamUserStats() {
  auto get = SteamFlat().SteamUserStats;
  return get ? get() : nullptr;
}

ISteamFriends* SteamFriends() {
  auto get = SteamFlat().SteamFriends;
  return get ? get() : nullptr;
}

ISteamUtils* SteamUtils() {
  auto get = SteamFlat().SteamUtils;
  return get ? get() : nullptr;
}

ISteamHTTP* SteamHTTP() {
  auto get = SteamFlat().SteamHTTP;
  return get ? get() : nullptr;
}

// --- ISteamUser ---

bool ISteamUser::BLoggedOn() { return SteamFlat().User_BLoggedOn(this); }

CSteamID ISteamUser::GetSteamID() { return CSteamID(SteamFlat().User_GetSteamID(this)); }

HAuthTicket ISteamUser::GetAuthSessionTicket(void* ticket, int capacity, uint32_t* length) {
  return SteamFlat().User_GetAuthSessionTicket(this, ticket, capacity, length, nullptr);
}

void ISteamUser::EndAuthSession(CSteamID steamId) { SteamFlat().User_EndAuthSession(this, steamId.ConvertToUint64()); }

SteamAPICall_t ISteamUser::RequestStoreAuthURL(const char* redirectUrl) {
  return SteamFlat().User_RequestStoreAuthURL(this, redirectUrl);
}

// --- ISteamUserStats ---

bool ISteamUserStats::RequestCurrentStats() {
  if (auto f = SteamFlat().Stats_RequestCurrentStats) return f(this);
  // From 1.61 on the client has synchronised the statistics before the game
  // started; answer as the older releases would once the request completes.
  ISteamUtils* utils = SteamUtils();
  ISteamUser* user = SteamUser();
  const AppId_t appId = utils ? utils->GetAppID() : 0;
  const CSteamID steamId = user ? user->GetSteamID() : CSteamID();
  qz::steam::QueueStatsAnswer(appId, steamId);
  return true;
}

bool ISteamUserStats::GetStat(const char* name, int32_t* value) {
  return SteamFlat().Stats_GetStatInt32(this, name, value);
}

bool ISteamUserStats::GetStat(const char* name, float* value) {
  return SteamFlat().Stats_GetStatFloat(this, name, value);
}

bool ISteamUserStats::SetStat(const char* name, int32_t value) {
  return SteamFlat().Stats_SetStatInt32(this, name, value);
}

bool ISteamUserStats::SetStat(const char* name, float value) {
  return SteamFlat().Stats_SetStatFloat(this, name, value);
}

bool ISteamUserStats::GetAchievement(const char* name, bool* achieved) {
  return SteamFlat().Stats_GetAchievement(this, name, achieved);
}

bool ISteamUserStats::SetAchievement(const char* name) { return SteamFlat().Stats_SetAchievement(this, name); }

const char* ISteamUserStats::GetAchievementDisplayAttribute(const char* name, const char* key) {
  const char* text = SteamFlat().Stats_GetAchievementDisplayAttribute(this, name, key);
  return text ? text : "";
}

bool ISteamUserStats::StoreStats() { return SteamFlat().Stats_StoreStats(this); }

bool ISteamUserStats::ResetAllStats(bool achievementsToo) {
  return SteamFlat().Stats_ResetAllStats(this, achievementsToo);
}

// --- ISteamFriends, ISteamUtils, ISteamHTTP ---

void ISteamFriends::ActivateGameOverlay(const char* dialog) {
  SteamFlat().Friends_ActivateGameOverlay(this, dialog);
}

void ISteamFriends::ActivateGameOverlayToWebPage(const char* url) {
  SteamFlat().Friends_ActivateGameOverlayToWebPage(this, url, 0);
}

AppId_t ISteamUtils::GetAppID() { return SteamFlat().Utils_GetAppID(this); }

HTTPRequestHandle ISteamHTTP::CreateHTTPRequest(EHTTPMethod method, const char* url) {
  return SteamFlat().HTTP_CreateHTTPRequest(this, method, url);
}
