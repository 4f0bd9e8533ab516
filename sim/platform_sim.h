#pragma once
// The Steam platform simulator: a scriptable model of steam_api.dll as the
// library relies on it. Natively, Install() fills the Steam seam with it, so
// the unit tests drive the real session code against it in-process; the same
// model is built as a stand-in steam_api.dll for the Windows tests and the demo.
//
// Every call takes the simulator's lock, so the game's thread may ask for a
// ticket while another thread pumps. The views that return references (Calls,
// Registrations) are read once the other threads are done.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/platform_call.h"
#include "steam/steam_callback.h"
#include "steam/steam_types.h"

namespace qz::sim {

struct Registration {
  CCallbackBase* object;
  int callbackId;
};

class PlatformSim {
 public:
  // The simulator of this process.
  static PlatformSim& Instance();

  // Fills qz::steam::SteamFlat() with the simulator's functions, as a DLL of
  // release 1.48 to 1.60 exports them, or, without RequestCurrentStats, as
  // one of 1.61 and later.
  void Install(bool withRequestCurrentStats = true);

  // Puts the platform back to its starting script, stopped, with an empty
  // call log and event queue. The registrations stay: the library registers
  // once per process.
  void Reset();

  // --- The platform as the test scripts it (all settable before or during a run) ---
  void SetStartSucceeds(bool succeeds);                // default true
  void SetLoggedOn(bool loggedOn);                     // default true
  void SetSteamId(uint64_t steamId);                   // default 76561197960287930
  void SetAppId(AppId_t appId);                        // default 480
  // The player's statistics and achievements on the platform account. A stat
  // that was never set reads as 0 (GetStat succeeds) unless its read fails.
  // SetStat and SetAchievement change the account at once; ResetAllStats
  // zeroes every stat and, when asked, clears every achievement.
  void SetStat(const std::string& name, int32_t value);
  void SetStat(const std::string& name, float value);
  // The stat is not configured for the game: GetStat of this name answers
  // false and writes nothing, and SetStat answers false and changes nothing.
  void SetStatReadFails(const std::string& name, bool fails);
  void SetAchievement(const std::string& apiName, bool achieved);
  // GetAchievementDisplayAttribute(apiName, key) answers this text ("" by default).
  void SetDisplayAttribute(const std::string& apiName, const std::string& key, const std::string& text);
  // Answers of successive calls; the last one repeats. Default: true.
  void SetRequestCurrentStatsResults(std::vector<bool> results);
  void SetStoreStatsResults(std::vector<bool> results);
  // An accepted RequestCurrentStats is answered on the next pump by a
  // UserStatsReceived_t (game id of the app id, the user's id) with this
  // result; an accepted StoreStats by a UserStatsStored_t. Default k_EResultOK.
  void SetStatsReceivedResult(EResult result);
  void SetStatsStoredResult(EResult result);
  // The ticket GetAuthSessionTicket writes (default: 8 bytes 01..08), and its
  // response event: delivered with `result` by the `afterPumps`-th
  // SteamAPI_RunCallbacks after the request (1 = the next one); 0: never.
  // Default: k_EResultOK on the next pump.
  void SetTicket(std::vector<uint8_t> bytes);
  void SetTicketResponse(EResult result, int afterPumps);
  void SetStoreAuthUrlCall(SteamAPICall_t call);       // RequestStoreAuthURL's answer
  void SetHttpRequestHandle(HTTPRequestHandle handle);  // CreateHTTPRequest's answer

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

  // --- What the platform saw ---
  const std::vector<PlatformCall>& Calls() const;
  std::vector<std::string> CallNames() const;
  // Calls of one function only, in order.
  std::vector<PlatformCall> CallsOf(const std::string& function) const;
  // Calls whose function name starts with `prefix` (e.g. an interface's
  // "SteamAPI_ISteamUserStats_"), in order, as "Function(arguments)".
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
  void ClearCalls();
  const std::vector<Registration>& Registrations() const;
  bool Running() const;  // started and not shut down
  int32_t StatInt(const std::string& name) const;
  float StatFloat(const std::string& name) const;
  bool Achieved(const std::string& apiName) const;

 private:
  PlatformSim() = default;
};

}  // namespace qz::sim
