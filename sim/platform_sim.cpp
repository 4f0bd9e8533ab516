// The simulator in-process: the Steam seam's table filled with functions that
// forward to one PlatformModel, as steam_api.dll's exports would.
#include "sim/platform_sim.h"

#include "steam/steam_flat.h"

namespace qz::sim {
namespace {

std::recursive_mutex& Mutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

PlatformModel& Model() {
  static PlatformModel model;
  return model;
}

template <class Handle>
Handle* Get(const char* exportName, Interface which) {
  return static_cast<Handle*>(Platform()->Accessor(exportName, which));
}

void FillTable(steam::SteamFlatApi& t, bool withRequestCurrentStats) {
  t = steam::SteamFlatApi{};
  t.InitFlat = [](SteamErrMsg* error) { return Platform()->InitFlat(error); };
  t.InternalInit = [](const char* versions, SteamErrMsg* error) { return Platform()->InternalInit(versions, error); };
  t.Init = [] { return Platform()->Init(); };
  t.RunCallbacks = [] { Platform()->RunCallbacks(); };
  t.Shutdown = [] { Platform()->Shutdown(); };
  t.RegisterCallback = [](CCallbackBase* callback, int id) { Platform()->RegisterCallback(callback, id); };

  t.SteamUser = [] { return Get<ISteamUser>("SteamAPI_SteamUser_v023", Interface::User); };
  t.SteamUserStats = [] { return Get<ISteamUserStats>("SteamAPI_SteamUserStats_v012", Interface::UserStats); };
  t.SteamFriends = [] { return Get<ISteamFriends>("SteamAPI_SteamFriends_v017", Interface::Friends); };
  t.SteamUtils = [] { return Get<ISteamUtils>("SteamAPI_SteamUtils_v010", Interface::Utils); };
  t.SteamHTTP = [] { return Get<ISteamHTTP>("SteamAPI_SteamHTTP_v003", Interface::HTTP); };

  t.User_BLoggedOn = [](ISteamUser*) { return Platform()->BLoggedOn(); };
  t.User_GetSteamID = [](ISteamUser*) { return Platform()->GetSteamID(); };
  t.User_GetAuthSessionTicket = [](ISteamUser*, void* ticket, int capacity, uint32_t* length, const void* identity) {
    return Platform()->GetAuthSessionTicket(ticket, capacity, length, identity);
  };
  t.User_EndAuthSession = [](ISteamUser*, uint64_t id) { Platform()->EndAuthSession(id); };
  t.User_RequestStoreAuthURL = [](ISteamUser*, const char* url) { return Platform()->RequestStoreAuthURL(url); };

  if (withRequestCurrentStats) t.Stats_RequestCurrentStats = [](ISteamUserStats*) { return Platform()->RequestCurrentStats(); };
  t.Stats_GetStatInt32 = [](ISteamUserStats*, const char* n, int32_t* v) { return Platform()->GetStatInt32(n, v); };
  t.Stats_GetStatFloat = [](ISteamUserStats*, const char* n, float* v) { return Platform()->GetStatFloat(n, v); };
  t.Stats_SetStatInt32 = [](ISteamUserStats*, const char* n, int32_t v) { return Platform()->SetStatInt32(n, v); };
  t.Stats_SetStatFloat = [](ISteamUserStats*, const char* n, float v) { return Platform()->SetStatFloat(n, v); };
  t.Stats_GetAchievement = [](ISteamUserStats*, const char* n, bool* a) { return Platform()->GetAchievement(n, a); };
  t.Stats_SetAchievement = [](ISteamUserStats*, const char* n) { return Platform()->SetAchievementFlat(n); };
  t.Stats_GetAchievementDisplayAttribute = [](ISteamUserStats*, const char* n, const char* key) {
    return Platform()->GetAchievementDisplayAttribute(n, key);
  };
  t.Stats_StoreStats = [](ISteamUserStats*) { return Platform()->StoreStats(); };
  t.Stats_ResetAllStats = [](ISteamUserStats*, bool all) { return Platform()->ResetAllStats(all); };

  t.Friends_ActivateGameOverlay = [](ISteamFriends*, const char* dialog) { Platform()->ActivateGameOverlay(dialog); };
  t.Friends_ActivateGameOverlayToWebPage = [](ISteamFriends*, const char* url, int mode) {
    Platform()->ActivateGameOverlayToWebPage(url, mode);
  };
  t.Utils_GetAppID = [](ISteamUtils*) { return Platform()->GetAppID(); };
  t.HTTP_CreateHTTPRequest = [](ISteamHTTP*, EHTTPMethod method, const char* url) {
    return Platform()->CreateHTTPRequest(method, url);
  };
}

}  // namespace

LockedModel::LockedModel() : lock_(Mutex()) {}
PlatformModel* LockedModel::operator->() const { return &Model(); }
PlatformModel& LockedModel::operator*() const { return Model(); }

void Install(bool withRequestCurrentStats) { FillTable(steam::SteamFlat(), withRequestCurrentStats); }

void Reset() {
  LockedModel model;
  const std::vector<ModelRegistration> kept = model->Registrations();
  *model = PlatformModel();
  for (const ModelRegistration& r : kept) model->RegisterCallback(r.object, r.callbackId);
  model->ClearCalls();
}

}  // namespace qz::sim
