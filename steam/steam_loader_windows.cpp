// The runtime binding: steam_api.dll is loaded on the first start (never
// imported), and the table is filled with whichever of the equivalent exports
// the DLL's SDK release has.
#include <windows.h>

#include <initializer_list>

#include "steam/steam_flat.h"

namespace qz::steam {
namespace {

HMODULE g_module = nullptr;

// The first of `names` that the DLL exports, as a pointer of the entry's type.
template <class Entry>
void Resolve(HMODULE module, Entry& entry, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (FARPROC address = GetProcAddress(module, name)) {
      entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(address));
      return;
    }
  }
  entry = nullptr;
}

void ResolveAll(HMODULE m, SteamFlatApi& t) {
  Resolve(m, t.InitFlat, {"SteamAPI_InitFlat"});
  Resolve(m, t.InternalInit, {"SteamInternal_SteamAPI_Init"});
  Resolve(m, t.Init, {"SteamAPI_Init"});
  Resolve(m, t.RunCallbacks, {"SteamAPI_RunCallbacks"});
  Resolve(m, t.Shutdown, {"SteamAPI_Shutdown"});
  Resolve(m, t.RegisterCallback, {"SteamAPI_RegisterCallback"});
  Resolve(m, t.UnregisterCallback, {"SteamAPI_UnregisterCallback"});

  // 1.48+ export one versioned accessor per interface; 1.32-1.36 the plain
  // ones; 1.37-1.47 neither, which leaves the table incomplete.
  Resolve(m, t.SteamUser,
          {"SteamAPI_SteamUser_v023", "SteamAPI_SteamUser_v022", "SteamAPI_SteamUser_v021", "SteamAPI_SteamUser_v020",
           "SteamUser"});
  Resolve(m, t.SteamUserStats,
          {"SteamAPI_SteamUserStats_v013", "SteamAPI_SteamUserStats_v012", "SteamAPI_SteamUserStats_v011",
           "SteamUserStats"});
  Resolve(m, t.SteamFriends, {"SteamAPI_SteamFriends_v018", "SteamAPI_SteamFriends_v017", "SteamFriends"});
  Resolve(m, t.SteamUtils,
          {"SteamAPI_SteamUtils_v011", "SteamAPI_SteamUtils_v010", "SteamAPI_SteamUtils_v009", "SteamUtils"});
  Resolve(m, t.SteamHTTP, {"SteamAPI_SteamHTTP_v003", "SteamHTTP"});

  Resolve(m, t.User_BLoggedOn, {"SteamAPI_ISteamUser_BLoggedOn"});
  Resolve(m, t.User_GetSteamID, {"SteamAPI_ISteamUser_GetSteamID"});
  Resolve(m, t.User_GetAuthSessionTicket, {"SteamAPI_ISteamUser_GetAuthSessionTicket"});
  Resolve(m, t.User_EndAuthSession, {"SteamAPI_ISteamUser_EndAuthSession"});
  Resolve(m, t.User_RequestStoreAuthURL, {"SteamAPI_ISteamUser_RequestStoreAuthURL"});

  // Before 1.48 the overloads were told apart by a suffix: int32 first, float second.
  Resolve(m, t.Stats_RequestCurrentStats, {"SteamAPI_ISteamUserStats_RequestCurrentStats"});
  Resolve(m, t.Stats_GetStatInt32, {"SteamAPI_ISteamUserStats_GetStatInt32", "SteamAPI_ISteamUserStats_GetStat"});
  Resolve(m, t.Stats_GetStatFloat, {"SteamAPI_ISteamUserStats_GetStatFloat", "SteamAPI_ISteamUserStats_GetStat0"});
  Resolve(m, t.Stats_SetStatInt32, {"SteamAPI_ISteamUserStats_SetStatInt32", "SteamAPI_ISteamUserStats_SetStat"});
  Resolve(m, t.Stats_SetStatFloat, {"SteamAPI_ISteamUserStats_SetStatFloat", "SteamAPI_ISteamUserStats_SetStat0"});
  Resolve(m, t.Stats_GetAchievement, {"SteamAPI_ISteamUserStats_GetAchievement"});
  Resolve(m, t.Stats_SetAchievement, {"SteamAPI_ISteamUserStats_SetAchievement"});
  Resolve(m, t.Stats_GetAchievementDisplayAttribute, {"SteamAPI_ISteamUserStats_GetAchievementDisplayAttribute"});
  Resolve(m, t.Stats_StoreStats, {"SteamAPI_ISteamUserStats_StoreStats"});
  Resolve(m, t.Stats_ResetAllStats, {"SteamAPI_ISteamUserStats_ResetAllStats"});

  Resolve(m, t.Friends_ActivateGameOverlay, {"SteamAPI_ISteamFriends_ActivateGameOverlay"});
  Resolve(m, t.Friends_ActivateGameOverlayToWebPage, {"SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage"});
  Resolve(m, t.Utils_GetAppID, {"SteamAPI_ISteamUtils_GetAppID"});
  Resolve(m, t.HTTP_CreateHTTPRequest, {"SteamAPI_ISteamHTTP_CreateHTTPRequest"});
}

}  // namespace

bool LoadSteamApi() {
  if (g_module) return true;
  // By name, so the loader searches the game's folder first.
  HMODULE module = LoadLibraryW(L"steam_api.dll");
  if (!module) return false;
  SteamFlatApi table{};
  ResolveAll(module, table);
  if (!HasRequiredFunctions(table)) {
    FreeLibrary(module);
    return false;
  }
  SteamFlat() = table;
  g_module = module;
  return true;
}

}  // namespace qz::steam
