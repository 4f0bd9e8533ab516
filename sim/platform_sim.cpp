// The simulator in-process: the Steam seam's table filled with functions that
// forward to one PlatformModel, as steam_api.dll's exports would.
#include "sim/platform_sim.h"

#include <mutex>

#include "sim/platform_model.h"
#include "steam/steam_flat.h"

namespace qz::sim {
namespace {

// The model for the length of one call, with the simulator's lock held. The
// lock is recursive because a pump delivers events to handlers that call the
// platform again on the same thread.
class LockedModel {
 public:
  LockedModel() : lock_(Mutex()) {}
  PlatformModel* operator->() const { return &Instance(); }
  PlatformModel& operator*() const { return Instance(); }

 private:
  static std::recursive_mutex& Mutex() {
    static std::recursive_mutex mutex;
    return mutex;
  }
  static PlatformModel& Instance() {
    static PlatformModel model;
    return model;
  }
  std::lock_guard<std::recursive_mutex> lock_;
};

LockedModel Model() { return {}; }

std::vector<Registration>& RegistrationsView() {
  static std::vector<Registration> view;
  return view;
}

template <class Handle>
Handle* Get(const char* exportName, Interface which) {
  return static_cast<Handle*>(Model()->Accessor(exportName, which));
}

void FillTable(steam::SteamFlatApi& t, bool withRequestCurrentStats) {
  t = steam::SteamFlatApi{};
  t.InitFlat = [](SteamErrMsg* error) { return Model()->InitFlat(error); };
  t.InternalInit = [](const char* versions, SteamErrMsg* error) { return Model()->InternalInit(versions, error); };
  t.Init = [] { return Model()->Init(); };
  t.RunCallbacks = [] { Model()->RunCallbacks(); };
  t.Shutdown = [] { Model()->Shutdown(); };
  t.RegisterCallback = [](CCallbackBase* callback, int id) { Model()->RegisterCallback(callback, id); };

  t.SteamUser = [] { return Get<ISteamUser>("SteamAPI_SteamUser_v023", Interface::User); };
  t.SteamUserStats = [] { return Get<ISteamUserStats>("SteamAPI_SteamUserStats_v012", Interface::UserStats); };
  t.SteamFriends = [] { return Get<ISteamFriends>("SteamAPI_SteamFriends_v017", Interface::Friends); };
  t.SteamUtils = [] { return Get<ISteamUtils>("SteamAPI_SteamUtils_v010", Interface::Utils); };
  t.SteamHTTP = [] { return Get<ISteamHTTP>("SteamAPI_SteamHTTP_v003", Interface::HTTP); };

  t.User_BLoggedOn = [](ISteamUser*) { return Model()->BLoggedOn(); };
  t.User_GetSteamID = [](ISteamUser*) { return Model()->GetSteamID(); };
  t.User_GetAuthSessionTicket = [](ISteamUser*, void* ticket, int capacity, uint32_t* length, const void* identity) {
    return Model()->GetAuthSessionTicket(ticket, capacity, length, identity);
  };
  t.User_EndAuthSession = [](ISteamUser*, uint64_t id) { Model()->EndAuthSession(id); };
  t.User_RequestStoreAuthURL = [](ISteamUser*, const char* url) { return Model()->RequestStoreAuthURL(url); };

  if (withRequestCurrentStats) t.Stats_RequestCurrentStats = [](ISteamUserStats*) { return Model()->RequestCurrentStats(); };
  t.Stats_GetStatInt32 = [](ISteamUserStats*, const char* n, int32_t* v) { return Model()->GetStatInt32(n, v); };
  t.Stats_GetStatFloat = [](ISteamUserStats*, const char* n, float* v) { return Model()->GetStatFloat(n, v); };
  t.Stats_SetStatInt32 = [](ISteamUserStats*, const char* n, int32_t v) { return Model()->SetStatInt32(n, v); };
  t.Stats_SetStatFloat = [](ISteamUserStats*, const char* n, float v) { return Model()->SetStatFloat(n, v); };
  t.Stats_GetAchievement = [](ISteamUserStats*, const char* n, bool* a) { return Model()->GetAchievement(n, a); };
  t.Stats_SetAchievement = [](ISteamUserStats*, const char* n) { return Model()->SetAchievementFlat(n); };
  t.Stats_GetAchievementDisplayAttribute = [](ISteamUserStats*, const char* n, const char* key) {
    return Model()->GetAchievementDisplayAttribute(n, key);
  };
  t.Stats_StoreStats = [](ISteamUserStats*) { return Model()->StoreStats(); };
  t.Stats_ResetAllStats = [](ISteamUserStats*, bool all) { return Model()->ResetAllStats(all); };

  t.Friends_ActivateGameOverlay = [](ISteamFriends*, const char* dialog) { Model()->ActivateGameOverlay(dialog); };
  t.Friends_ActivateGameOverlayToWebPage = [](ISteamFriends*, const char* url, int mode) {
    Model()->ActivateGameOverlayToWebPage(url, mode);
  };
  t.Utils_GetAppID = [](ISteamUtils*) { return Model()->GetAppID(); };
  t.HTTP_CreateHTTPRequest = [](ISteamHTTP*, EHTTPMethod method, const char* url) {
    return Model()->CreateHTTPRequest(method, url);
  };
}

}  // namespace

PlatformSim& PlatformSim::Instance() {
  static PlatformSim sim;
  return sim;
}

void PlatformSim::Install(bool withRequestCurrentStats) { FillTable(steam::SteamFlat(), withRequestCurrentStats); }

void PlatformSim::Reset() {
  LockedModel model;
  const std::vector<ModelRegistration> kept = model->Registrations();
  *model = PlatformModel();
  for (const ModelRegistration& r : kept) model->RegisterCallback(r.object, r.callbackId);
  model->ClearCalls();
}
void PlatformSim::SetStartSucceeds(bool succeeds) { Model()->SetStartSucceeds(succeeds); }
void PlatformSim::SetLoggedOn(bool loggedOn) { Model()->SetLoggedOn(loggedOn); }
void PlatformSim::SetSteamId(uint64_t steamId) { Model()->SetSteamId(steamId); }
void PlatformSim::SetAppId(AppId_t appId) { Model()->SetAppId(appId); }
void PlatformSim::SetStat(const std::string& name, int32_t value) { Model()->SetStat(name, value); }
void PlatformSim::SetStat(const std::string& name, float value) { Model()->SetStat(name, value); }
void PlatformSim::SetStatReadFails(const std::string& name, bool fails) { Model()->SetStatReadFails(name, fails); }
void PlatformSim::SetAchievement(const std::string& apiName, bool achieved) { Model()->SetAchievement(apiName, achieved); }
void PlatformSim::SetDisplayAttribute(const std::string& apiName, const std::string& key, const std::string& text) {
  Model()->SetDisplayAttribute(apiName, key, text);
}
void PlatformSim::SetRequestCurrentStatsResults(std::vector<bool> results) {
  Model()->SetRequestCurrentStatsResults(std::move(results));
}
void PlatformSim::SetStoreStatsResults(std::vector<bool> results) { Model()->SetStoreStatsResults(std::move(results)); }
void PlatformSim::SetStatsReceivedResult(EResult result) { Model()->SetStatsReceivedResult(result); }
void PlatformSim::SetStatsStoredResult(EResult result) { Model()->SetStatsStoredResult(result); }
void PlatformSim::SetTicket(std::vector<uint8_t> bytes) { Model()->SetTicket(std::move(bytes)); }
void PlatformSim::SetTicketResponse(EResult result, int afterPumps) { Model()->SetTicketResponse(result, afterPumps); }
void PlatformSim::SetStoreAuthUrlCall(SteamAPICall_t call) { Model()->SetStoreAuthUrlCall(call); }
void PlatformSim::SetHttpRequestHandle(HTTPRequestHandle handle) { Model()->SetHttpRequestHandle(handle); }
void PlatformSim::QueueRaw(int callbackId, const void* data, std::size_t size, int onPump) {
  Model()->QueueRaw(callbackId, data, size, onPump);
}

const std::vector<PlatformCall>& PlatformSim::Calls() const { return Model()->Calls(); }

std::vector<std::string> PlatformSim::CallNames() const {
  std::vector<std::string> names;
  for (const PlatformCall& call : Model()->Calls()) names.push_back(call.function);
  return names;
}

std::vector<PlatformCall> PlatformSim::CallsOf(const std::string& function) const {
  std::vector<PlatformCall> calls;
  for (const PlatformCall& call : Model()->Calls()) {
    if (call.function == function) calls.push_back(call);
  }
  return calls;
}

std::vector<std::string> PlatformSim::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> calls;
  for (const PlatformCall& call : Model()->Calls()) {
    if (call.function.compare(0, prefix.size(), prefix) == 0) calls.push_back(call.function + "(" + call.arguments + ")");
  }
  return calls;
}

void PlatformSim::ClearCalls() { Model()->ClearCalls(); }

const std::vector<Registration>& PlatformSim::Registrations() const {
  std::vector<Registration>& view = RegistrationsView();
  view.clear();
  for (const ModelRegistration& r : Model()->Registrations()) {
    view.push_back({static_cast<CCallbackBase*>(r.object), r.callbackId});
  }
  return view;
}

bool PlatformSim::Running() const { return Model()->Running(); }
int32_t PlatformSim::StatInt(const std::string& name) const { return Model()->StatInt(name); }
float PlatformSim::StatFloat(const std::string& name) const { return Model()->StatFloat(name); }
bool PlatformSim::Achieved(const std::string& apiName) const { return Model()->Achieved(apiName); }

}  // namespace qz::sim
