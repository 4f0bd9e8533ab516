#include "steam/binding/steam_client.h"

#include <type_traits>

#include "steam/binding/stats_request_stand_in.h"

using qz::steam::SteamFlat;

SteamStart SteamAPI_Start() {
  SteamStart start{};
  if (!qz::steam::LoadSteamApi()) return start;
  // A loaded table has every function the wrappers below call (LoadSteamApi
  // refuses any other), so they call without checking.
  const qz::steam::SteamFlatApi& t = SteamFlat();
  if (t.InitFlat) {
    start.function = "SteamAPI_InitFlat";
    start.result = t.InitFlat(&start.message);
    start.started = start.result == k_ESteamAPIInitResult_OK;
  } else if (t.InternalInit) {
    start.function = "SteamInternal_SteamAPI_Init";
    start.result = t.InternalInit(nullptr, &start.message);
    start.started = start.result == k_ESteamAPIInitResult_OK;
  } else {
    start.function = "SteamAPI_Init";
    start.started = t.Init();
    start.result = start.started ? 1 : 0;
  }
  // The message is the DLL's; make sure it ends inside its buffer.
  start.message[sizeof start.message - 1] = '\0';
  return start;
}

bool SteamAPI_Init() { return SteamAPI_Start().started; }

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
  auto registerCallback = SteamFlat().RegisterCallback;
  if (registerCallback == nullptr) return;
  qz::steam::NoteRegistration(callback, callbackId);
  registerCallback(callback, callbackId);
}

namespace {

// On releases without accessors (1.37-1.47) the interfaces come from the
// client, for the user and pipe of the running session; none without one.
template <class Handle, class Getter>
Handle* FromClient(Getter get, const char* version) {
  const qz::steam::SteamFlatApi& t = SteamFlat();
  if (t.SteamClient == nullptr || get == nullptr || version == nullptr) return nullptr;
  ISteamClient* const client = t.SteamClient();
  const HSteamUser user = t.GetHSteamUser();
  const HSteamPipe pipe = t.GetHSteamPipe();
  if (client == nullptr || user == 0 || pipe == 0) return nullptr;
  if constexpr (std::is_same_v<Handle, ISteamUtils>) {
    return get(client, pipe, version);
  } else {
    return get(client, user, pipe, version);
  }
}

}  // namespace

// The accessors answer null while no DLL is loaded or no session runs.
ISteamUser* SteamUser() {
  const qz::steam::SteamFlatApi& t = SteamFlat();
  return t.SteamUser ? t.SteamUser() : FromClient<ISteamUser>(t.Client_GetISteamUser, t.clientVersions.user);
}

ISteamUserStats* SteamUserStats() {
  const qz::steam::SteamFlatApi& t = SteamFlat();
  return t.SteamUserStats ? t.SteamUserStats()
                          : FromClient<ISteamUserStats>(t.Client_GetISteamUserStats, t.clientVersions.userStats);
}

ISteamFriends* SteamFriends() {
  const qz::steam::SteamFlatApi& t = SteamFlat();
  return t.SteamFriends ? t.SteamFriends()
                        : FromClient<ISteamFriends>(t.Client_GetISteamFriends, t.clientVersions.friends);
}

ISteamUtils* SteamUtils() {
  const qz::steam::SteamFlatApi& t = SteamFlat();
  return t.SteamUtils ? t.SteamUtils() : FromClient<ISteamUtils>(t.Client_GetISteamUtils, t.clientVersions.utils);
}

ISteamHTTP* SteamHTTP() {
  const qz::steam::SteamFlatApi& t = SteamFlat();
  return t.SteamHTTP ? t.SteamHTTP() : FromClient<ISteamHTTP>(t.Client_GetISteamHTTP, t.clientVersions.http);
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
  if (auto f = SteamFlat().UserStats_RequestCurrentStats) return f(this);
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
  return SteamFlat().UserStats_GetStatInt32(this, name, value);
}

bool ISteamUserStats::GetStat(const char* name, float* value) {
  return SteamFlat().UserStats_GetStatFloat(this, name, value);
}

bool ISteamUserStats::SetStat(const char* name, int32_t value) {
  return SteamFlat().UserStats_SetStatInt32(this, name, value);
}

bool ISteamUserStats::SetStat(const char* name, float value) {
  return SteamFlat().UserStats_SetStatFloat(this, name, value);
}

bool ISteamUserStats::GetAchievement(const char* name, bool* achieved) {
  return SteamFlat().UserStats_GetAchievement(this, name, achieved);
}

bool ISteamUserStats::SetAchievement(const char* name) { return SteamFlat().UserStats_SetAchievement(this, name); }

const char* ISteamUserStats::GetAchievementDisplayAttribute(const char* name, const char* key) {
  const char* text = SteamFlat().UserStats_GetAchievementDisplayAttribute(this, name, key);
  return text ? text : "";
}

bool ISteamUserStats::StoreStats() { return SteamFlat().UserStats_StoreStats(this); }

bool ISteamUserStats::ResetAllStats(bool achievementsToo) {
  return SteamFlat().UserStats_ResetAllStats(this, achievementsToo);
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
