#pragma once
// The Steam seam: the flat C functions of steam_api.dll that the library uses,
// as one table of function pointers. On Windows the runtime binding fills it
// from the loaded DLL (whichever of the equivalent exports the DLL's SDK
// release has); natively the platform simulator fills it. Nothing else in the
// library calls the platform: the wrappers of steam_client.h forward to it,
// and callback_registry.h registers through it the objects that waited for
// the load.
#include <cstdint>

#include "platform/export.h"
#include "steam/steam_callback.h"
#include "steam/steam_types.h"

// Interface handles of steam_api.dll. They are never constructed or
// dereferenced by the library; steam_client.h gives them member functions that
// forward to the table with the handle as first argument.
class ISteamUser;
class ISteamUserStats;
class ISteamFriends;
class ISteamUtils;
class ISteamHTTP;

namespace qz::steam {

struct SteamFlatApi {
  // Start, in order of preference: 1.59+, 1.58a+, up to 1.57. Null where absent.
  ESteamAPIInitResult(QZ_CDECL* InitFlat)(SteamErrMsg* error);
  ESteamAPIInitResult(QZ_CDECL* InternalInit)(const char* interfaceVersions, SteamErrMsg* error);
  bool(QZ_CDECL* Init)();
  void(QZ_CDECL* RunCallbacks)();
  void(QZ_CDECL* Shutdown)();
  void(QZ_CDECL* RegisterCallback)(CCallbackBase* callback, int callbackId);

  // Interface accessors: the versioned SteamAPI_SteamUser_v0NN (1.48+) or the
  // plain SteamUser (1.32-1.36); null before a successful start.
  ISteamUser*(QZ_CDECL* SteamUser)();
  ISteamUserStats*(QZ_CDECL* SteamUserStats)();
  ISteamFriends*(QZ_CDECL* SteamFriends)();
  ISteamUtils*(QZ_CDECL* SteamUtils)();
  ISteamHTTP*(QZ_CDECL* SteamHTTP)();

  // SteamAPI_ISteamUser_*
  bool(QZ_CDECL* User_BLoggedOn)(ISteamUser* self);
  uint64_t(QZ_CDECL* User_GetSteamID)(ISteamUser* self);
  HAuthTicket(QZ_CDECL* User_GetAuthSessionTicket)(ISteamUser* self, void* ticket, int capacity, uint32_t* length,
                                                    const void* identity);
  void(QZ_CDECL* User_EndAuthSession)(ISteamUser* self, uint64_t steamId);
  SteamAPICall_t(QZ_CDECL* User_RequestStoreAuthURL)(ISteamUser* self, const char* redirectUrl);

  // SteamAPI_ISteamUserStats_* (the int32/float pair is GetStat/GetStat0 and
  // SetStat/SetStat0 before 1.48; RequestCurrentStats is absent from 1.61 on)
  bool(QZ_CDECL* Stats_RequestCurrentStats)(ISteamUserStats* self);
  bool(QZ_CDECL* Stats_GetStatInt32)(ISteamUserStats* self, const char* name, int32_t* value);
  bool(QZ_CDECL* Stats_GetStatFloat)(ISteamUserStats* self, const char* name, float* value);
  bool(QZ_CDECL* Stats_SetStatInt32)(ISteamUserStats* self, const char* name, int32_t value);
  bool(QZ_CDECL* Stats_SetStatFloat)(ISteamUserStats* self, const char* name, float value);
  bool(QZ_CDECL* Stats_GetAchievement)(ISteamUserStats* self, const char* name, bool* achieved);
  bool(QZ_CDECL* Stats_SetAchievement)(ISteamUserStats* self, const char* name);
  const char*(QZ_CDECL* Stats_GetAchievementDisplayAttribute)(ISteamUserStats* self, const char* name,
                                                               const char* key);
  bool(QZ_CDECL* Stats_StoreStats)(ISteamUserStats* self);
  bool(QZ_CDECL* Stats_ResetAllStats)(ISteamUserStats* self, bool achievementsToo);

  // SteamAPI_ISteamFriends_* (the web page call takes a mode from 1.43 on: always 0)
  void(QZ_CDECL* Friends_ActivateGameOverlay)(ISteamFriends* self, const char* dialog);
  void(QZ_CDECL* Friends_ActivateGameOverlayToWebPage)(ISteamFriends* self, const char* url, int mode);

  // SteamAPI_ISteamUtils_GetAppID, SteamAPI_ISteamHTTP_CreateHTTPRequest
  uint32_t(QZ_CDECL* Utils_GetAppID)(ISteamUtils* self);
  HTTPRequestHandle(QZ_CDECL* HTTP_CreateHTTPRequest)(ISteamHTTP* self, EHTTPMethod method, const char* url);
};

// The table in use; all entries null until the binding (or the simulator) fills it.
SteamFlatApi& SteamFlat();

// Binds steam_api.dll on first use: on Windows loads it and fills the table,
// natively reports whether the simulator has filled it. True when the start
// functions, the pump, registration and the accessors are all present; a
// missing DLL or export gives false and leaves the table empty.
bool LoadSteamApi();

// True when `table` has everything the library needs: a start function, the
// pump, shutdown, registration, the five accessors and every interface method
// except RequestCurrentStats (absent from 1.61 on; the wrapper stands in).
bool HasRequiredFunctions(const SteamFlatApi& table);

}  // namespace qz::steam
