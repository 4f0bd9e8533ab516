#pragma once
// The simulator's control functions, one row each. Every stand-in DLL
// exports them as QZSim_<Name> (cdecl, undecorated); QZSim.h gives their
// types to a game's own test code, docs/simulator.md says what each does.
// Generated from these rows: the exports, with the check that QZSim.h
// declares each as listed (control_exports.cpp), their .def names
// (sim/CMakeLists.txt) and the typed client (stand_in_client.h).
//
//   X(Name, Return, (C parameters), (arguments), call)
//
// The call is made in the export with `model`, the DLL's PlatformModel, in
// scope; its helpers (Text, Flags, Bytes, ...) are control_exports.cpp's.
#include <cstdint>

struct QZSimRegistration;

#define QZ_SIM_CONTROLS(X)                                                                                        \
  /* --- The platform as the caller scripts it --- */                                                            \
  X(SetStartSucceeds, void, (int32_t succeeds), (succeeds), model.SetStartSucceeds(succeeds != 0))                \
  X(SetLoggedOn, void, (int32_t loggedOn), (loggedOn), model.SetLoggedOn(loggedOn != 0))                           \
  X(SetSteamId, void, (uint64_t steamId), (steamId), model.SetSteamId(steamId))                                    \
  X(SetAppId, void, (uint32_t appId), (appId), model.SetAppId(appId))                                              \
  X(SetStatInt, void, (const char* name, int32_t value), (name, value), model.SetStat(Text(name), value))         \
  X(SetStatFloat, void, (const char* name, float value), (name, value), model.SetStat(Text(name), value))         \
  X(SetStatReadFails, void, (const char* name, int32_t fails), (name, fails),                                      \
    model.SetStatReadFails(Text(name), fails != 0))                                                                \
  X(SetAchievement, void, (const char* apiName, int32_t achieved), (apiName, achieved),                            \
    model.SetAchievement(Text(apiName), achieved != 0))                                                            \
  X(SetDisplayAttribute, void, (const char* apiName, const char* key, const char* text), (apiName, key, text),     \
    model.SetDisplayAttribute(Text(apiName), Text(key), Text(text)))                                               \
  X(SetRequestCurrentStatsResults, void, (const int32_t* results, int32_t count), (results, count),                \
    model.SetRequestCurrentStatsResults(Flags(results, count)))                                                    \
  X(SetStoreStatsResults, void, (const int32_t* results, int32_t count), (results, count),                         \
    model.SetStoreStatsResults(Flags(results, count)))                                                             \
  X(SetStatsReceivedResult, void, (int32_t result), (result), model.SetStatsReceivedResult(EResult(result)))       \
  X(SetStatsStoredResult, void, (int32_t result), (result), model.SetStatsStoredResult(EResult(result)))           \
  X(SetTicket, void, (const uint8_t* bytes, int32_t count), (bytes, count), model.SetTicket(Bytes(bytes, count)))  \
  X(SetTicketResponse, void, (int32_t result, int32_t afterPumps), (result, afterPumps),                           \
    model.SetTicketResponse(EResult(result), afterPumps))                                                          \
  X(SetStoreAuthUrlCall, void, (uint64_t call), (call), model.SetStoreAuthUrlCall(call))                           \
  X(SetHttpRequestHandle, void, (uint32_t handle), (handle), model.SetHttpRequestHandle(handle))                   \
  X(QueueEvent, void, (int32_t callbackId, const void* data, int32_t size, int32_t onPump),                         \
    (callbackId, data, size, onPump), QueueEvent(model, callbackId, data, size, onPump))                           \
  /* --- What the platform saw --- */                                                                            \
  X(CallLog, int32_t, (char* buffer, int32_t capacity), (buffer, capacity), CallLog(model, buffer, capacity))      \
  X(ClearCalls, void, (), (), model.ClearCalls())                                                                  \
  X(Running, int32_t, (), (), model.Running() ? 1 : 0)                                                             \
  X(AccountFileInUse, int32_t, (), (), qz::sim::AccountFileInUse() ? 1 : 0)                                       \
  X(StatInt, int32_t, (const char* name), (name), model.StatInt(Text(name)))                                       \
  X(StatFloat, float, (const char* name), (name), model.StatFloat(Text(name)))                                     \
  X(Achieved, int32_t, (const char* apiName), (apiName), model.Achieved(Text(apiName)) ? 1 : 0)                    \
  X(RegistrationCount, int32_t, (), (), static_cast<int32_t>(model.Registrations().size()))                        \
  X(Registration, int32_t, (int32_t index, QZSimRegistration* out), (index, out), Registration(model, index, out))
