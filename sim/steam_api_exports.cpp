// The stand-in steam_api.dll's flat exports, with the names and cdecl
// signatures of the SDK's 32-bit DLL: the functions the library uses under
// every name some release gives them. steam_api.def lists them all; each
// stand-in build exports those that its real release exports. This file
// must not see the library's own C++ SteamAPI_* wrappers, whose names clash.
#include <cstdint>

#include "sim/account_file.h"
#include "sim/stand_in_model.h"

using qz::sim::Interface;
using qz::sim::StandInModel;

namespace qz::sim {

PlatformModel& StandInModel() {
  static PlatformModel model;
  return model;
}

}  // namespace qz::sim

#define STEAM_EXPORT extern "C" __cdecl

namespace {

// The model, with the account file read in before the first start or registration.
qz::sim::PlatformModel& StartingModel() {
  qz::sim::LoadAccountFileOnce(StandInModel());
  return StandInModel();
}

}  // namespace

STEAM_EXPORT ESteamAPIInitResult SteamAPI_InitFlat(SteamErrMsg* error) { return StartingModel().InitFlat(error); }
STEAM_EXPORT ESteamAPIInitResult SteamInternal_SteamAPI_Init(const char* versions, SteamErrMsg* error) {
  return StartingModel().InternalInit(versions, error);
}
STEAM_EXPORT bool SteamAPI_Init() { return StartingModel().Init(); }
STEAM_EXPORT void SteamAPI_RunCallbacks() { StandInModel().RunCallbacks(); }
STEAM_EXPORT void SteamAPI_Shutdown() { StandInModel().Shutdown(); }
STEAM_EXPORT void SteamAPI_RegisterCallback(void* callback, int id) { StartingModel().RegisterCallback(callback, id); }

// Every versioned accessor of the releases the library binds (each real DLL
// exports one per interface; the .def of each stand-in picks its release's).
#define STEAM_ACCESSOR(name, which) \
  STEAM_EXPORT void* name() { return StandInModel().Accessor(#name, Interface::which); }
STEAM_ACCESSOR(SteamAPI_SteamUser_v020, User)
STEAM_ACCESSOR(SteamAPI_SteamUser_v021, User)
STEAM_ACCESSOR(SteamAPI_SteamUser_v022, User)
STEAM_ACCESSOR(SteamAPI_SteamUser_v023, User)
STEAM_ACCESSOR(SteamAPI_SteamUserStats_v011, UserStats)
STEAM_ACCESSOR(SteamAPI_SteamUserStats_v012, UserStats)
STEAM_ACCESSOR(SteamAPI_SteamUserStats_v013, UserStats)
STEAM_ACCESSOR(SteamAPI_SteamFriends_v017, Friends)
STEAM_ACCESSOR(SteamAPI_SteamFriends_v018, Friends)
STEAM_ACCESSOR(SteamAPI_SteamUtils_v009, Utils)
STEAM_ACCESSOR(SteamAPI_SteamUtils_v010, Utils)
STEAM_ACCESSOR(SteamAPI_SteamUtils_v011, Utils)
STEAM_ACCESSOR(SteamAPI_SteamHTTP_v003, HTTP)

// The plain accessors of 1.32-1.36.
STEAM_EXPORT void* SteamUser() { return StandInModel().Accessor("SteamUser", Interface::User); }
STEAM_EXPORT void* SteamUserStats() { return StandInModel().Accessor("SteamUserStats", Interface::UserStats); }
STEAM_EXPORT void* SteamFriends() { return StandInModel().Accessor("SteamFriends", Interface::Friends); }
STEAM_EXPORT void* SteamUtils() { return StandInModel().Accessor("SteamUtils", Interface::Utils); }
STEAM_EXPORT void* SteamHTTP() { return StandInModel().Accessor("SteamHTTP", Interface::HTTP); }

STEAM_EXPORT bool SteamAPI_ISteamUser_BLoggedOn(void*) { return StandInModel().BLoggedOn(); }
STEAM_EXPORT uint64_t SteamAPI_ISteamUser_GetSteamID(void*) { return StandInModel().GetSteamID(); }
STEAM_EXPORT HAuthTicket SteamAPI_ISteamUser_GetAuthSessionTicket(void*, void* ticket, int capacity, uint32_t* length,
                                                                  const void* identity) {
  return StandInModel().GetAuthSessionTicket(ticket, capacity, length, identity);
}
STEAM_EXPORT void SteamAPI_ISteamUser_EndAuthSession(void*, uint64_t steamId) { StandInModel().EndAuthSession(steamId); }
STEAM_EXPORT SteamAPICall_t SteamAPI_ISteamUser_RequestStoreAuthURL(void*, const char* url) {
  return StandInModel().RequestStoreAuthURL(url);
}

STEAM_EXPORT bool SteamAPI_ISteamUserStats_RequestCurrentStats(void*) { return StandInModel().RequestCurrentStats(); }
STEAM_EXPORT bool SteamAPI_ISteamUserStats_GetStatInt32(void*, const char* name, int32_t* value) {
  return StandInModel().GetStatInt32(name, value);
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_GetStatFloat(void*, const char* name, float* value) {
  return StandInModel().GetStatFloat(name, value);
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_SetStatInt32(void*, const char* name, int32_t value) {
  return StandInModel().SetStatInt32(name, value);
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_SetStatFloat(void*, const char* name, float value) {
  return StandInModel().SetStatFloat(name, value);
}
// The same four under their names before 1.48.
STEAM_EXPORT bool SteamAPI_ISteamUserStats_GetStat(void*, const char* name, int32_t* value) {
  return StandInModel().GetStatInt32(name, value, "SteamAPI_ISteamUserStats_GetStat");
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_GetStat0(void*, const char* name, float* value) {
  return StandInModel().GetStatFloat(name, value, "SteamAPI_ISteamUserStats_GetStat0");
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_SetStat(void*, const char* name, int32_t value) {
  return StandInModel().SetStatInt32(name, value, "SteamAPI_ISteamUserStats_SetStat");
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_SetStat0(void*, const char* name, float value) {
  return StandInModel().SetStatFloat(name, value, "SteamAPI_ISteamUserStats_SetStat0");
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_GetAchievement(void*, const char* name, bool* achieved) {
  return StandInModel().GetAchievement(name, achieved);
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_SetAchievement(void*, const char* name) {
  return StandInModel().SetAchievementFlat(name);
}
STEAM_EXPORT const char* SteamAPI_ISteamUserStats_GetAchievementDisplayAttribute(void*, const char* name,
                                                                                  const char* key) {
  return StandInModel().GetAchievementDisplayAttribute(name, key);
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_StoreStats(void*) {
  const bool accepted = StandInModel().StoreStats();
  if (accepted) qz::sim::SaveAccountFile(StandInModel());
  return accepted;
}
STEAM_EXPORT bool SteamAPI_ISteamUserStats_ResetAllStats(void*, bool achievementsToo) {
  return StandInModel().ResetAllStats(achievementsToo);
}

STEAM_EXPORT void SteamAPI_ISteamFriends_ActivateGameOverlay(void*, const char* dialog) {
  StandInModel().ActivateGameOverlay(dialog);
}
STEAM_EXPORT void SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(void*, const char* url, int mode) {
  StandInModel().ActivateGameOverlayToWebPage(url, mode);
}
STEAM_EXPORT AppId_t SteamAPI_ISteamUtils_GetAppID(void*) { return StandInModel().GetAppID(); }
STEAM_EXPORT HTTPRequestHandle SteamAPI_ISteamHTTP_CreateHTTPRequest(void*, int method, const char* url) {
  return StandInModel().CreateHTTPRequest(method, url);
}
