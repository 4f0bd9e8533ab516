// The stand-in's control interface; see stand_in_control.h.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "sim/account_file.h"
#include "sim/callback_dispatch.h"
#include "sim/stand_in_control.h"
#include "sim/stand_in_model.h"

using qz::sim::StandInModel;

namespace {

std::vector<bool> Results(const int32_t* results, int32_t count) {
  std::vector<bool> answers;
  for (int32_t i = 0; results && i < count; ++i) answers.push_back(results[i] != 0);
  return answers;
}

std::string Name(const char* text) { return text ? text : ""; }

}  // namespace

#define CONTROL_EXPORT extern "C" __cdecl

CONTROL_EXPORT void QZSim_SetStartSucceeds(int32_t succeeds) { StandInModel().SetStartSucceeds(succeeds != 0); }
CONTROL_EXPORT void QZSim_SetLoggedOn(int32_t loggedOn) { StandInModel().SetLoggedOn(loggedOn != 0); }
CONTROL_EXPORT void QZSim_SetSteamId(uint64_t steamId) { StandInModel().SetSteamId(steamId); }
CONTROL_EXPORT void QZSim_SetAppId(uint32_t appId) { StandInModel().SetAppId(appId); }
CONTROL_EXPORT void QZSim_SetStatInt(const char* name, int32_t value) { StandInModel().SetStat(Name(name), value); }
CONTROL_EXPORT void QZSim_SetStatFloat(const char* name, float value) { StandInModel().SetStat(Name(name), value); }
CONTROL_EXPORT void QZSim_SetStatReadFails(const char* name, int32_t fails) {
  StandInModel().SetStatReadFails(Name(name), fails != 0);
}
CONTROL_EXPORT void QZSim_SetAchievement(const char* apiName, int32_t achieved) {
  StandInModel().SetAchievement(Name(apiName), achieved != 0);
}
CONTROL_EXPORT void QZSim_SetDisplayAttribute(const char* apiName, const char* key, const char* text) {
  StandInModel().SetDisplayAttribute(Name(apiName), Name(key), Name(text));
}
CONTROL_EXPORT void QZSim_SetRequestCurrentStatsResults(const int32_t* results, int32_t count) {
  StandInModel().SetRequestCurrentStatsResults(Results(results, count));
}
CONTROL_EXPORT void QZSim_SetStoreStatsResults(const int32_t* results, int32_t count) {
  StandInModel().SetStoreStatsResults(Results(results, count));
}
CONTROL_EXPORT void QZSim_SetStatsReceivedResult(int32_t result) {
  StandInModel().SetStatsReceivedResult(static_cast<EResult>(result));
}
CONTROL_EXPORT void QZSim_SetStatsStoredResult(int32_t result) {
  StandInModel().SetStatsStoredResult(static_cast<EResult>(result));
}
CONTROL_EXPORT void QZSim_SetTicket(const uint8_t* bytes, int32_t count) {
  StandInModel().SetTicket(bytes && count > 0 ? std::vector<uint8_t>(bytes, bytes + count) : std::vector<uint8_t>());
}
CONTROL_EXPORT void QZSim_SetTicketResponse(int32_t result, int32_t afterPumps) {
  StandInModel().SetTicketResponse(static_cast<EResult>(result), afterPumps);
}
CONTROL_EXPORT void QZSim_SetStoreAuthUrlCall(uint64_t call) { StandInModel().SetStoreAuthUrlCall(call); }
CONTROL_EXPORT void QZSim_SetHttpRequestHandle(uint32_t handle) { StandInModel().SetHttpRequestHandle(handle); }
CONTROL_EXPORT void QZSim_QueueEvent(int32_t callbackId, const void* data, int32_t size, int32_t onPump) {
  if (data && size > 0) StandInModel().QueueRaw(callbackId, data, static_cast<std::size_t>(size), onPump);
}

CONTROL_EXPORT int32_t QZSim_CallLog(char* buffer, int32_t capacity) {
  std::string log;
  for (const std::string& line : StandInModel().CallLines()) log += line + "\n";
  if (buffer && capacity > 0) {
    std::size_t n = std::min(log.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, log.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<int32_t>(log.size());
}

CONTROL_EXPORT void QZSim_ClearCalls() { StandInModel().ClearCalls(); }
CONTROL_EXPORT int32_t QZSim_AccountFileInUse() { return qz::sim::AccountFileInUse() ? 1 : 0; }
CONTROL_EXPORT int32_t QZSim_Running() { return StandInModel().Running() ? 1 : 0; }
CONTROL_EXPORT int32_t QZSim_StatInt(const char* name) { return StandInModel().StatInt(Name(name)); }
CONTROL_EXPORT float QZSim_StatFloat(const char* name) { return StandInModel().StatFloat(Name(name)); }
CONTROL_EXPORT int32_t QZSim_Achieved(const char* apiName) { return StandInModel().Achieved(Name(apiName)) ? 1 : 0; }

CONTROL_EXPORT int32_t QZSim_RegistrationCount() { return static_cast<int32_t>(StandInModel().Registrations().size()); }

CONTROL_EXPORT int32_t QZSim_Registration(int32_t index, QZSimRegistration* out) {
  const auto& registrations = StandInModel().Registrations();
  if (!out || index < 0 || static_cast<std::size_t>(index) >= registrations.size()) return 0;
  const auto& r = registrations[index];
  out->callbackIdArgument = r.callbackId;
  out->sizeBytes = r.sizeBytes;
  out->flags = qz::sim::CallbackFlags(r.object);
  out->callbackIdField = qz::sim::CallbackIdField(r.object);
  return 1;
}
