#pragma once
// The typed client of the stand-in steam_api.dll's control exports (QZSim_*,
// cdecl, undecorated; control_exports.cpp), through which the demo and the
// Windows tests script the simulated platform and read what it saw. Each
// method calls the export of its own name; what the platform does with it is
// told in platform_model.h. (The C host of the public header looks a few of
// them up itself, since C cannot use this class.)
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/stand_in_control.h"
#include "steam/steam_types.h"

namespace qz::sim {

class StandInClient {
 public:
  // Loads the stand-in from `path` and looks up its control exports once. The
  // DLL stays loaded for the rest of the process, as the library running on
  // it expects.
  explicit StandInClient(const std::wstring& path = L"steam_api.dll");
  // The DLL was loaded and has every control export; nothing else may be
  // called otherwise.
  bool Usable() const { return usable_; }

  // --- The platform as the caller scripts it ---
  void SetStartSucceeds(bool succeeds) { x_.SetStartSucceeds(succeeds); }
  void SetLoggedOn(bool loggedOn) { x_.SetLoggedOn(loggedOn); }
  void SetSteamId(uint64_t steamId) { x_.SetSteamId(steamId); }
  void SetAppId(AppId_t appId) { x_.SetAppId(appId); }
  void SetStatInt(const char* name, int32_t value) { x_.SetStatInt(name, value); }
  void SetStatFloat(const char* name, float value) { x_.SetStatFloat(name, value); }
  void SetStatReadFails(const char* name, bool fails) { x_.SetStatReadFails(name, fails); }
  void SetAchievement(const char* apiName, bool achieved) { x_.SetAchievement(apiName, achieved); }
  void SetDisplayAttribute(const char* apiName, const char* key, const char* text) {
    x_.SetDisplayAttribute(apiName, key, text);
  }
  void SetRequestCurrentStatsResults(const std::vector<bool>& results);
  void SetStoreStatsResults(const std::vector<bool>& results);
  void SetStatsReceivedResult(EResult result) { x_.SetStatsReceivedResult(result); }
  void SetStatsStoredResult(EResult result) { x_.SetStatsStoredResult(result); }
  void SetTicket(const std::vector<uint8_t>& bytes) { x_.SetTicket(bytes.data(), static_cast<int32_t>(bytes.size())); }
  void SetTicketResponse(EResult result, int32_t afterPumps) { x_.SetTicketResponse(result, afterPumps); }
  void SetStoreAuthUrlCall(SteamAPICall_t call) { x_.SetStoreAuthUrlCall(call); }
  void SetHttpRequestHandle(HTTPRequestHandle handle) { x_.SetHttpRequestHandle(handle); }
  // An event record of `size` bytes for the objects registered under
  // `callbackId`, delivered by the `onPump`-th next pump (1 = the next one).
  void QueueRaw(int32_t callbackId, const void* data, int32_t size, int32_t onPump = 1) {
    x_.QueueEvent(callbackId, data, size, onPump);
  }
  template <class T>
  void QueueEvent(const T& event, int32_t onPump = 1) {
    QueueRaw(T::k_iCallback, &event, static_cast<int32_t>(sizeof event), onPump);
  }

  // --- What the platform saw ---
  // The calls since the log was last emptied whose function name starts with
  // `prefix` ("" for all), in order, as "Function(arguments)".
  std::vector<std::string> Calls(const std::string& prefix = "") const;
  // Every call since the log was last emptied, and the log emptied.
  std::vector<std::string> TakeCalls();
  void ClearCalls() { x_.ClearCalls(); }
  bool Running() const { return x_.Running() != 0; }  // started and not shut down
  bool AccountFileInUse() const { return x_.AccountFileInUse() != 0; }  // steam_sim_account.json was read
  int32_t StatInt(const char* name) const { return x_.StatInt(name); }
  float StatFloat(const char* name) const { return x_.StatFloat(name); }
  bool Achieved(const char* apiName) const { return x_.Achieved(apiName) != 0; }
  // The registered callback objects, in the order of their registration.
  std::vector<QZSimRegistration> Registrations() const;

 private:
  // The exports, each under its name without "QZSim_".
  struct Exports {
    void(__cdecl* SetStartSucceeds)(int32_t);
    void(__cdecl* SetLoggedOn)(int32_t);
    void(__cdecl* SetSteamId)(uint64_t);
    void(__cdecl* SetAppId)(uint32_t);
    void(__cdecl* SetStatInt)(const char*, int32_t);
    void(__cdecl* SetStatFloat)(const char*, float);
    void(__cdecl* SetStatReadFails)(const char*, int32_t);
    void(__cdecl* SetAchievement)(const char*, int32_t);
    void(__cdecl* SetDisplayAttribute)(const char* apiName, const char* key, const char* text);
    void(__cdecl* SetRequestCurrentStatsResults)(const int32_t* results, int32_t count);
    void(__cdecl* SetStoreStatsResults)(const int32_t* results, int32_t count);
    void(__cdecl* SetStatsReceivedResult)(int32_t);
    void(__cdecl* SetStatsStoredResult)(int32_t);
    void(__cdecl* SetTicket)(const uint8_t* bytes, int32_t count);
    void(__cdecl* SetTicketResponse)(int32_t result, int32_t afterPumps);
    void(__cdecl* SetStoreAuthUrlCall)(uint64_t);
    void(__cdecl* SetHttpRequestHandle)(uint32_t);
    void(__cdecl* QueueEvent)(int32_t callbackId, const void* data, int32_t size, int32_t onPump);
    // The log as lines "Function(arguments)\n", cut to capacity - 1 and
    // terminated; answers the whole log's length.
    int32_t(__cdecl* CallLog)(char* buffer, int32_t capacity);
    void(__cdecl* ClearCalls)();
    int32_t(__cdecl* Running)();
    int32_t(__cdecl* AccountFileInUse)();
    int32_t(__cdecl* StatInt)(const char*);
    float(__cdecl* StatFloat)(const char*);
    int32_t(__cdecl* Achieved)(const char*);
    int32_t(__cdecl* RegistrationCount)();
    // 1, or 0 past the end.
    int32_t(__cdecl* Registration)(int32_t index, QZSimRegistration* out);
  };

  Exports x_{};
  bool usable_ = false;
};

}  // namespace qz::sim
