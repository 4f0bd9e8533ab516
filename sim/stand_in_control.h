#pragma once
// The stand-in steam_api.dll's control exports (cdecl, undecorated), through
// which the Windows tests and the demo script the simulated platform and read
// what it saw. Look them up with GetProcAddress on steam_api.dll.
#include <cstdint>

// A registered callback object as the stand-in sees it through the MSVC layout.
struct QZSimRegistration {
  int32_t callbackIdArgument;  // as passed to SteamAPI_RegisterCallback
  int32_t sizeBytes;           // the object's vtable slot 2, GetCallbackSizeBytes()
  int32_t flags;               // the byte at offset 4, now
  int32_t callbackIdField;     // the int at offset 8, now
};

// void QZSim_SetStartSucceeds(int32_t)         void QZSim_SetLoggedOn(int32_t)
// void QZSim_SetSteamId(uint64_t)              void QZSim_SetAppId(uint32_t)
// void QZSim_SetStatInt(const char*, int32_t)  void QZSim_SetStatFloat(const char*, float)
// void QZSim_SetStatReadFails(const char*, int32_t)
// void QZSim_SetAchievement(const char*, int32_t)
// void QZSim_SetDisplayAttribute(const char* apiName, const char* key, const char* text)
// void QZSim_SetRequestCurrentStatsResults(const int32_t* results, int32_t count)
// void QZSim_SetStoreStatsResults(const int32_t* results, int32_t count)
// void QZSim_SetStatsReceivedResult(int32_t)   void QZSim_SetStatsStoredResult(int32_t)
// void QZSim_SetTicket(const uint8_t* bytes, int32_t count)
// void QZSim_SetTicketResponse(int32_t result, int32_t afterPumps)
// void QZSim_SetStoreAuthUrlCall(uint64_t)     void QZSim_SetHttpRequestHandle(uint32_t)
// void QZSim_QueueEvent(int32_t callbackId, const void* data, int32_t size, int32_t onPump)
// int32_t QZSim_CallLog(char* buffer, int32_t capacity): the log as lines
//   "Function(arguments)\n", cut to capacity - 1 and terminated; answers the
//   whole log's length.
// void QZSim_ClearCalls()                      int32_t QZSim_Running()
// int32_t QZSim_AccountFileInUse(): 1 when steam_sim_account.json was read
// int32_t QZSim_StatInt(const char*)           float QZSim_StatFloat(const char*)
// int32_t QZSim_Achieved(const char*)
// int32_t QZSim_RegistrationCount()
// int32_t QZSim_Registration(int32_t index, QZSimRegistration* out): 1, or 0 past the end
