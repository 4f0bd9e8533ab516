#pragma once
// The simulated platform itself: the player's account, the session state, the
// event queue and the call log, behind one method per platform function of
// steam/binding/platform_functions.h (its rows name the call each front
// makes).
// Shared by the in-process simulator (platform_sim.h), the stand-in
// steam_api.dll (steam_api_exports.cpp) and the stand-in Steam client behind
// Valve's steam_api.dll (steam_client_front.cpp); each of them only forwards.
// Callback objects are plain addresses here; callback_dispatch.h reaches them.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "steam/binding/platform_functions.h"
#include "steam/binding/steam_types.h"

namespace qz::sim {

using steam::InterfaceId;

// One platform call as steam_api.dll received it: the flat export's name and
// its arguments rendered as text, comma-separated, the interface handle left
// out (e.g. "SteamAPI_ISteamUserStats_SetStatInt32" with "KILL_ENEMY,10";
// floats with "%g"; booleans as 0/1; texts as they are; other pointers as
// "ptr", null pointers as "null").
struct PlatformCall {
  std::string function;
  std::string arguments;
};

// An event that is due, as the platform hands it over.
struct DueEvent {
  int callbackId;
  std::vector<uint8_t> data;
};

struct ModelRegistration {
  void* object;
  int callbackId;  // as passed to SteamAPI_RegisterCallback
  int sizeBytes;   // as the object's GetCallbackSizeBytes() answered at registration
};

// What the game's app defines on the platform: its statistics, each an int
// or a float, and its achievements, by API name.
struct AppDefinitions {
  std::map<std::string, bool> statistics;  // name -> whether it is a float statistic
  std::set<std::string> achievements;
};

class PlatformModel {
 public:
  PlatformModel();

  // --- The platform as the caller scripts it (all settable before or during a run) ---
  void SetStartSucceeds(bool succeeds) { startSucceeds_ = succeeds; }  // default true
  // What a failed start writes into the caller's message buffer.
  void SetStartFailureMessage(std::string message) { startFailure_ = std::move(message); }
  // Without a logged-on user there is no user data: GetSteamID answers 0, a
  // ticket request gets no ticket (handle 0, no bytes, no response) and
  // RequestCurrentStats answers false.
  void SetLoggedOn(bool loggedOn) { loggedOn_ = loggedOn; }             // default true
  void SetSteamId(uint64_t steamId) { steamId_ = steamId; }             // default 76561197960287930
  void SetAppId(AppId_t appId) { appId_ = appId; }                      // default 480
  // The player's statistics and achievements on the platform account. A stat
  // that was never set reads as 0 (GetStat succeeds) unless its read fails.
  // A stat holds an int or a float, whichever was set last; an int stat
  // reads as the float it spells through GetStatFloat.
  // SetStat and SetAchievement change the account at once; ResetAllStats
  // zeroes every stat and, when asked, clears every achievement.
  void SetStat(const std::string& name, int32_t value);
  void SetStat(const std::string& name, float value);
  // The stat is not configured for the game: GetStat of this name answers
  // false and writes nothing, and SetStat answers false and changes nothing.
  void SetStatReadFails(const std::string& name, bool fails);
  void SetAchievement(const std::string& apiName, bool achieved) { achievements_[apiName] = achieved; }
  // The app's definitions. Once set, a statistics or achievement call for a
  // name they lack answers false (a display text: "") and tells the observer
  // "refused: <name> is not defined by the app", as the platform refuses it.
  // Unset (the default), every name is accepted.
  void SetAppDefinitions(AppDefinitions definitions) { definitions_ = std::move(definitions); }
  // GetAchievementDisplayAttribute(apiName, key) answers this text ("" by default).
  void SetDisplayAttribute(const std::string& apiName, const std::string& key, const std::string& text);
  // Answers of successive calls; the last one repeats. Default: true.
  void SetRequestCurrentStatsResults(std::vector<bool> results) { requestResults_ = std::move(results); }
  void SetStoreStatsResults(std::vector<bool> results) { storeResults_ = std::move(results); }
  // An accepted RequestCurrentStats is answered on the next pump by a
  // UserStatsReceived_t (game id of the app id, the user's id) with this
  // result; an accepted StoreStats by a UserStatsStored_t. Default k_EResultOK.
  void SetStatsReceivedResult(EResult result) { receivedResult_ = result; }
  void SetStatsStoredResult(EResult result) { storedResult_ = result; }
  // The ticket GetAuthSessionTicket writes (default: 8 bytes 01..08), and its
  // response event: delivered with `result` by the `afterPumps`-th
  // SteamAPI_RunCallbacks after the request (1 = the next one); 0: never.
  // Default: k_EResultOK on the next pump.
  void SetTicket(std::vector<uint8_t> bytes) { ticket_ = std::move(bytes); }
  void SetTicketResponse(EResult result, int afterPumps);
  void SetStoreAuthUrlCall(SteamAPICall_t call) { storeAuthUrlCall_ = call; }        // RequestStoreAuthURL's answer
  void SetHttpRequestHandle(HTTPRequestHandle handle) { httpRequestHandle_ = handle; }  // CreateHTTPRequest's answer
  // Queues an event for the objects registered under its id, delivered by the
  // `onPump`-th next SteamAPI_RunCallbacks (1 = the next one), through
  // vtable slot 1, Run(void*). Events of one pump arrive in queue order.
  // Only pumps of a started platform count and deliver; shutdown drops the
  // events still queued.
  template <class T>
  void QueueEvent(const T& event, int onPump = 1) {
    QueueRaw(T::k_iCallback, &event, sizeof event, onPump);
  }
  void QueueRaw(int callbackId, const void* data, std::size_t size, int onPump);
  // Queues the event for the next pump after the first later call of
  // `function` (a flat function's name, e.g. "SteamAPI_ISteamFriends_ActivateGameOverlay");
  // every event queued for one function comes after that same call.
  void QueueAfterCall(const std::string& function, int callbackId, const void* data, std::size_t size);

  // --- What the platform saw ---
  // Told of every call, as "Function(arguments)", and of every delivered
  // event, as "event <id> delivered to <n> objects"; unset, nothing is told.
  std::function<void(const std::string& line)> observer;
  // Told after every StoreStats the platform accepted.
  std::function<void()> storeAccepted;
  // The record of calls keeps the latest kCallRecordBound: the log file (when
  // there is one) is the whole record, and a game may run for hours.
  static constexpr std::size_t kCallRecordBound = 10000;
  const std::deque<PlatformCall>& Calls() const { return calls_; }
  // The calls whose function name starts with `prefix` (e.g. an interface's
  // "SteamAPI_ISteamUserStats_"; "" for all), in order, as "Function(arguments)".
  std::vector<std::string> CallLines(const std::string& prefix = "") const;
  const std::map<std::string, int32_t>& IntStats() const { return intStats_; }
  const std::map<std::string, float>& FloatStats() const { return floatStats_; }
  const std::map<std::string, bool>& Achievements() const { return achievements_; }
  void ClearCalls() { calls_.clear(); }
  // Callback objects in the order of their registration.
  const std::vector<ModelRegistration>& Registrations() const { return registrations_; }
  bool Running() const { return running_; }  // started and not shut down
  bool StartSucceeds() const { return startSucceeds_; }
  int32_t StatInt(const std::string& name) const;
  float StatFloat(const std::string& name) const;
  bool Achieved(const std::string& apiName) const;

  // --- The flat functions (interface handles left out) ---
  ESteamAPIInitResult InitFlat(SteamErrMsg* error);
  ESteamAPIInitResult InternalInit(const char* interfaceVersions, SteamErrMsg* error);
  bool Init();
  // A pump: delivers the due events to the registered objects.
  void RunCallbacks();
  void Shutdown();
  void RegisterCallback(void* object, int callbackId);
  // The interface handles of the running platform, or null.
  template <class Handle>
  Handle* Accessor(InterfaceId which) {
    return static_cast<Handle*>(AccessorHandle(which));
  }
  // Releases without accessors: the interface of `version` from the client
  // for the running session's user and pipe (see interfaceFor), or null.
  template <class Handle>
  Handle* Interface(HSteamUser user, HSteamPipe pipe, const char* version) {
    return static_cast<Handle*>(InterfaceHandle(user, pipe, version));
  }
  HSteamUser GetHSteamUser() const { return running_ ? kUser : 0; }
  HSteamPipe GetHSteamPipe() const { return running_ ? kPipe : 0; }

  // --- For the fronts ---
  // The start and end of a session, without a log line: the stand-in
  // client's starts and ends are the client's calls, not the library's.
  ESteamAPIInitResult StartSession();
  void EndSession();
  // A pump's own part: counts it (when running) and answers the events due
  // now, in queue order, leaving them to the caller to deliver.
  std::vector<DueEvent> Pump();
  // Where Interface() finds an interface by its version; by default the
  // model's own handle of the interface the version names.
  std::function<void*(const char* version)> interfaceFor;
  // The user and pipe handles of the running session.
  static constexpr HSteamUser kUser = 1;
  static constexpr HSteamPipe kPipe = 1;
  // The interface a version string names, or false for one outside the lists.
  static bool InterfaceOfVersion(const char* version, InterfaceId* which);

  bool BLoggedOn();
  uint64_t GetSteamID();
  HAuthTicket GetAuthSessionTicket(void* ticket, int capacity, uint32_t* length, const void* identity);
  void EndAuthSession(uint64_t steamId);
  SteamAPICall_t RequestStoreAuthURL(const char* redirectUrl);

  bool RequestCurrentStats();
  // Logged under their 1.48+ names whatever name the DLL exports them under.
  bool GetStatInt32(const char* name, int32_t* value);
  bool GetStatFloat(const char* name, float* value);
  bool SetStatInt32(const char* name, int32_t value);
  bool SetStatFloat(const char* name, float value);
  bool GetAchievement(const char* name, bool* achieved);
  bool SetAchievementFlat(const char* name);
  const char* GetAchievementDisplayAttribute(const char* name, const char* key);
  bool StoreStats();
  bool ResetAllStats(bool achievementsToo);

  void ActivateGameOverlay(const char* dialog);
  void ActivateGameOverlayToWebPage(const char* url, int mode);
  AppId_t GetAppID();
  HTTPRequestHandle CreateHTTPRequest(int method, const char* url);

 private:
  struct QueuedEvent {
    int callbackId;
    std::vector<uint8_t> data;
    long long duePump;
    bool scripted;  // queued by the account file or a control, not as the platform's own answer
  };

  void Log(const char* function, std::string arguments);
  ESteamAPIInitResult StartLogged(const char* function, std::string arguments, SteamErrMsg* error);
  void* AccessorHandle(InterfaceId which);
  void* InterfaceHandle(HSteamUser user, HSteamPipe pipe, const char* version);
  bool Configured(const char* name) const;
  // The name is one the app defines (always, without definitions); else false and a line.
  bool Defined(const char* name, bool achievement);
  static bool NextResult(std::vector<bool>& results);
  void Queue(int callbackId, const void* data, std::size_t size, int onPump, bool scripted = false);

  bool startSucceeds_ = true;
  std::string startFailure_ = "no Steam client";
  bool loggedOn_ = true;
  uint64_t steamId_ = 76561197960287930ull;
  AppId_t appId_ = 480;
  std::map<std::string, int32_t> intStats_;
  std::map<std::string, float> floatStats_;
  std::map<std::string, bool> unconfiguredStats_;
  std::map<std::string, bool> achievements_;
  std::map<std::string, std::map<std::string, std::string>> displayAttributes_;
  std::optional<AppDefinitions> definitions_;
  std::vector<bool> requestResults_{true};
  std::vector<bool> storeResults_{true};
  EResult receivedResult_ = k_EResultOK;
  EResult storedResult_ = k_EResultOK;
  std::vector<uint8_t> ticket_;
  EResult ticketResult_ = k_EResultOK;
  int ticketAfterPumps_ = 1;
  HAuthTicket lastTicket_ = 0;
  SteamAPICall_t storeAuthUrlCall_ = 0x1000000000001ull;
  HTTPRequestHandle httpRequestHandle_ = 1;

  bool running_ = false;
  long long pumps_ = 0;  // pumps while running
  std::vector<QueuedEvent> queue_;
  std::vector<ModelRegistration> registrations_;
  std::deque<PlatformCall> calls_;
  struct Trigger {
    std::string function;
    int callbackId;
    std::vector<uint8_t> data;
  };
  std::vector<Trigger> triggers_;
  char handles_[9] = {};  // the interface handles are the addresses of these, by InterfaceId
};

}  // namespace qz::sim
