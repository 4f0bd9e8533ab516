#include "steam/steam_client.h"

#include <cstddef>

using qz::steam::SteamFlat;

namespace {

struct Registered {
  CCallbackBase* object;
  int callbackId;
};

// A fixed list: the library registers its six objects once, inside
// QZSteam_Init, where running out of memory must not throw out of the export.
class RegisteredList {
 public:
  void Add(CCallbackBase* object, int callbackId) {
    if (count_ < kCapacity) items_[count_++] = {object, callbackId};
  }
  const Registered* begin() const { return items_; }
  const Registered* end() const { return items_ + count_; }
  std::size_t size() const { return count_; }
  const Registered& operator[](std::size_t i) const { return items_[i]; }
  void Clear() { count_ = 0; }

 private:
  static constexpr std::size_t kCapacity = 32;
  Registered items_[kCapacity] = {};
  std::size_t count_ = 0;
};

// Every object registered through us, for the stand-in answer to
// RequestCurrentStats, which we deliver ourselves.
RegisteredList& AllRegistered() {
  static RegisteredList registered;
  return registered;
}

// Objects registered while steam_api.dll could not be loaded yet.
RegisteredList& AwaitingLoad() {
  static RegisteredList awaiting;
  return awaiting;
}

// The UserStatsReceived_t that stands in for RequestCurrentStats's answer on
// releases without that call, due on the next pump.
bool g_statsAnswerDue = false;
UserStatsReceived_t g_statsAnswer{};

// Loads steam_api.dll if it is not loaded yet, and registers the objects that
// were waiting for it.
bool Bind() {
  if (!qz::steam::LoadSteamApi()) return false;
  RegisteredList& awaiting = AwaitingLoad();
  for (const Registered& r : awaiting) SteamFlat().RegisterCallback(r.object, r.callbackId);
  awaiting.Clear();
  return true;
}

void DeliverStatsAnswer() {
  g_statsAnswerDue = false;
  UserStatsReceived_t event = g_statsAnswer;
  // By index: a handler may register further objects.
  const RegisteredList& registered = AllRegistered();
  for (std::size_t i = 0; i < registered.size(); ++i) {
    if (registered[i].callbackId == UserStatsReceived_t::k_iCallback) registered[i].object->Run(&event);
  }
}

}  // namespace

bool SteamAPI_Init() {
  if (!Bind()) return false;
  const qz::steam::SteamFlatApi& t = SteamFlat();
  SteamErrMsg message = {};
  if (t.InitFlat) return t.InitFlat(&message) == k_ESteamAPIInitResult_OK;
  if (t.InternalInit) return t.InternalInit(nullptr, &message) == k_ESteamAPIInitResult_OK;
  return t.Init && t.Init();
}

void SteamAPI_RunCallbacks() {
  if (auto run = SteamFlat().RunCallbacks) run();
  if (g_statsAnswerDue) DeliverStatsAnswer();
}

void SteamAPI_Shutdown() {
  g_statsAnswerDue = false;  // the answer belonged to the ended session
  if (auto shutdown = SteamFlat().Shutdown) shutdown();
}

void SteamAPI_RegisterCallback(CCallbackBase* callback, int callbackId) {
  AllRegistered().Add(callback, callbackId);
  if (Bind()) {
    SteamFlat().RegisterCallback(callback, callbackId);
  } else {
    AwaitingLoad().Add(callback, callbackId);
  }
}

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

bool ISteamUser::BLoggedOn() {
  auto f = SteamFlat().User_BLoggedOn;
  return f && f(this);
}

CSteamID ISteamUser::GetSteamID() {
  auto f = SteamFlat().User_GetSteamID;
  return CSteamID(f ? f(this) : 0);
}

HAuthTicket ISteamUser::GetAuthSessionTicket(void* ticket, int capacity, uint32_t* length) {
  auto f = SteamFlat().User_GetAuthSessionTicket;
  return f ? f(this, ticket, capacity, length, nullptr) : 0;
}

void ISteamUser::EndAuthSession(CSteamID steamId) {
  if (auto f = SteamFlat().User_EndAuthSession) f(this, steamId.ConvertToUint64());
}

SteamAPICall_t ISteamUser::RequestStoreAuthURL(const char* redirectUrl) {
  auto f = SteamFlat().User_RequestStoreAuthURL;
  return f ? f(this, redirectUrl) : 0;
}

// --- ISteamUserStats ---

bool ISteamUserStats::RequestCurrentStats() {
  if (auto f = SteamFlat().Stats_RequestCurrentStats) return f(this);
  // From 1.61 on the client has synchronised the statistics before the game
  // started; answer as the older releases would once the request completes.
  ISteamUtils* utils = SteamUtils();
  ISteamUser* user = SteamUser();
  g_statsAnswer = UserStatsReceived_t{};
  g_statsAnswer.m_nGameID = CGameID(utils ? utils->GetAppID() : 0).ToUint64();
  g_statsAnswer.m_eResult = k_EResultOK;
  g_statsAnswer.m_steamIDUser = user ? user->GetSteamID() : CSteamID();
  g_statsAnswerDue = true;
  return true;
}

bool ISteamUserStats::GetStat(const char* name, int32_t* value) {
  auto f = SteamFlat().Stats_GetStatInt32;
  return f && f(this, name, value);
}

bool ISteamUserStats::GetStat(const char* name, float* value) {
  auto f = SteamFlat().Stats_GetStatFloat;
  return f && f(this, name, value);
}

bool ISteamUserStats::SetStat(const char* name, int32_t value) {
  auto f = SteamFlat().Stats_SetStatInt32;
  return f && f(this, name, value);
}

bool ISteamUserStats::SetStat(const char* name, float value) {
  auto f = SteamFlat().Stats_SetStatFloat;
  return f && f(this, name, value);
}

bool ISteamUserStats::GetAchievement(const char* name, bool* achieved) {
  auto f = SteamFlat().Stats_GetAchievement;
  return f && f(this, name, achieved);
}

bool ISteamUserStats::SetAchievement(const char* name) {
  auto f = SteamFlat().Stats_SetAchievement;
  return f && f(this, name);
}

const char* ISteamUserStats::GetAchievementDisplayAttribute(const char* name, const char* key) {
  auto f = SteamFlat().Stats_GetAchievementDisplayAttribute;
  const char* text = f ? f(this, name, key) : nullptr;
  return text ? text : "";
}

bool ISteamUserStats::StoreStats() {
  auto f = SteamFlat().Stats_StoreStats;
  return f && f(this);
}

bool ISteamUserStats::ResetAllStats(bool achievementsToo) {
  auto f = SteamFlat().Stats_ResetAllStats;
  return f && f(this, achievementsToo);
}

// --- ISteamFriends, ISteamUtils, ISteamHTTP ---

void ISteamFriends::ActivateGameOverlay(const char* dialog) {
  if (auto f = SteamFlat().Friends_ActivateGameOverlay) f(this, dialog);
}

void ISteamFriends::ActivateGameOverlayToWebPage(const char* url) {
  if (auto f = SteamFlat().Friends_ActivateGameOverlayToWebPage) f(this, url, 0);
}

AppId_t ISteamUtils::GetAppID() {
  auto f = SteamFlat().Utils_GetAppID;
  return f ? f(this) : 0;
}

HTTPRequestHandle ISteamHTTP::CreateHTTPRequest(EHTTPMethod method, const char* url) {
  auto f = SteamFlat().HTTP_CreateHTTPRequest;
  return f ? f(this, method, url) : 0;
}
