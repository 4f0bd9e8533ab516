#pragma once
// The platform calls as the session code makes them, reading like the SDK:
// SteamUserStats()->GetStat(name, &value). Each forwards to the Steam seam
// (steam_flat.h) with the interface handle as first argument, and adapts to
// the DLL's release where releases differ (start function, where the
// interfaces come from, the NULL identity of the ticket call, the mode of the
// web page call, RequestCurrentStats on 1.61+). Before a successful start the
// accessors give null.
#include <cstdint>

#include "steam/binding/steam_callback.h"
#include "steam/binding/steam_flat.h"
#include "steam/binding/steam_types.h"

// What starting the platform library gave: the start function the DLL has,
// its answer (an ESteamAPIInitResult, or 1/0 for SteamAPI_Init's bool) and the
// message it wrote.
struct SteamStart {
  bool started;
  const char* function;
  int32_t result;
  SteamErrMsg message;
};

// Loads steam_api.dll on first use, then starts it through the newest start
// function it has. Not started when the DLL cannot be bound (function null).
SteamStart SteamAPI_Start();
// SteamAPI_Start().started.
bool SteamAPI_Init();
// Delivers the events that have arrived to the registered callback objects.
void SteamAPI_RunCallbacks();
void SteamAPI_Shutdown();
// Registers a callback object under its event id with the bound DLL (the
// session does so once per process, once the DLL is bound); does nothing
// while no DLL is bound.
void SteamAPI_RegisterCallback(CCallbackBase* callback, int callbackId);

ISteamUser* SteamUser();
ISteamUserStats* SteamUserStats();
ISteamFriends* SteamFriends();
ISteamUtils* SteamUtils();
ISteamHTTP* SteamHTTP();

class ISteamUser {
 public:
  ISteamUser() = delete;
  bool BLoggedOn();
  CSteamID GetSteamID();
  // Passes a NULL identity, which releases that read one take as "any peer".
  HAuthTicket GetAuthSessionTicket(void* ticket, int capacity, uint32_t* length);
  void EndAuthSession(CSteamID steamId);
  SteamAPICall_t RequestStoreAuthURL(const char* redirectUrl);
};

class ISteamUserStats {
 public:
  ISteamUserStats() = delete;
  // Where the DLL has no RequestCurrentStats (1.61+, the client synchronises
  // statistics itself), answers true and delivers a UserStatsReceived_t with
  // k_EResultOK to the object registered for it on the next pump.
  bool RequestCurrentStats();
  bool GetStat(const char* name, int32_t* value);
  bool GetStat(const char* name, float* value);
  bool SetStat(const char* name, int32_t value);
  bool SetStat(const char* name, float value);
  bool GetAchievement(const char* name, bool* achieved);
  bool SetAchievement(const char* name);
  const char* GetAchievementDisplayAttribute(const char* name, const char* key);
  bool StoreStats();
  bool ResetAllStats(bool achievementsToo);
};

class ISteamFriends {
 public:
  ISteamFriends() = delete;
  void ActivateGameOverlay(const char* dialog);
  // Passes mode 0 (the default browser mode) to releases that read a mode.
  void ActivateGameOverlayToWebPage(const char* url);
};

class ISteamUtils {
 public:
  ISteamUtils() = delete;
  AppId_t GetAppID();
};

class ISteamHTTP {
 public:
  ISteamHTTP() = delete;
  HTTPRequestHandle CreateHTTPRequest(EHTTPMethod method, const char* url);
};
