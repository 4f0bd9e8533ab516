#include "steam/export_binding.h"

#include <initializer_list>

namespace qz::steam {
namespace {

struct Binder {
  ExportLookup lookup;
  void* context;

  template <class Entry>
  void operator()(Entry& entry, std::initializer_list<const char*> names) const {
    for (const char* name : names) {
      if (void* address = lookup(context, name)) {
        entry = reinterpret_cast<Entry>(address);
        return;
      }
    }
    entry = nullptr;
  }
};

}  // namespace

SteamFlatApi BindExports(ExportLookup lookup, void* context) {
  SteamFlatApi t{};
  const Binder bind{lookup, context};
  bind(t.InitFlat, {"SteamAPI_InitFlat"});
  bind(t.InternalInit, {"SteamInternal_SteamAPI_Init"});
  bind(t.Init, {"SteamAPI_Init"});
  bind(t.RunCallbacks, {"SteamAPI_RunCallbacks"});
  bind(t.Shutdown, {"SteamAPI_Shutdown"});
  bind(t.RegisterCallback, {"SteamAPI_RegisterCallback"});

  // 1.48+ export one versioned accessor per interface; 1.32-1.36 the plain
  // ones; 1.37-1.47 neither, which leaves the table incomplete.
  bind(t.SteamUser, {"SteamAPI_SteamUser_v023", "SteamAPI_SteamUser_v022", "SteamAPI_SteamUser_v021",
                     "SteamAPI_SteamUser_v020", "SteamUser"});
  bind(t.SteamUserStats,
       {"SteamAPI_SteamUserStats_v013", "SteamAPI_SteamUserStats_v012", "SteamAPI_SteamUserStats_v011",
        "SteamUserStats"});
  bind(t.SteamFriends, {"SteamAPI_SteamFriends_v018", "SteamAPI_SteamFriends_v017", "SteamFriends"});
  bind(t.SteamUtils,
       {"SteamAPI_SteamUtils_v011", "SteamAPI_SteamUtils_v010", "SteamAPI_SteamUtils_v009", "SteamUtils"});
  bind(t.SteamHTTP, {"SteamAPI_SteamHTTP_v003", "SteamHTTP"});

  bind(t.User_BLoggedOn, {"SteamAPI_ISteamUser_BLoggedOn"});
  bind(t.User_GetSteamID, {"SteamAPI_ISteamUser_GetSteamID"});
  bind(t.User_GetAuthSessionTicket, {"SteamAPI_ISteamUser_GetAuthSessionTicket"});
  bind(t.User_EndAuthSession, {"SteamAPI_ISteamUser_EndAuthSession"});
  bind(t.User_RequestStoreAuthURL, {"SteamAPI_ISteamUser_RequestStoreAuthURL"});

  // Before 1.48 the overloads were told apart by a suffix: int32 first, float second.
  bind(t.Stats_RequestCurrentStats, {"SteamAPI_ISteamUserStats_RequestCurrentStats"});
  bind(t.Stats_GetStatInt32, {"SteamAPI_ISteamUserStats_GetStatInt32", "SteamAPI_ISteamUserStats_GetStat"});
  bind(t.Stats_GetStatFloat, {"SteamAPI_ISteamUserStats_GetStatFloat", "SteamAPI_ISteamUserStats_GetStat0"});
  bind(t.Stats_SetStatInt32, {"SteamAPI_ISteamUserStats_SetStatInt32", "SteamAPI_ISteamUserStats_SetStat"});
  bind(t.Stats_SetStatFloat, {"SteamAPI_ISteamUserStats_SetStatFloat", "SteamAPI_ISteamUserStats_SetStat0"});
  bind(t.Stats_GetAchievement, {"SteamAPI_ISteamUserStats_GetAchievement"});
  bind(t.Stats_SetAchievement, {"SteamAPI_ISteamUserStats_SetAchievement"});
  bind(t.Stats_GetAchievementDisplayAttribute, {"SteamAPI_ISteamUserStats_GetAchievementDisplayAttribute"});
  bind(t.Stats_StoreStats, {"SteamAPI_ISteamUserStats_StoreStats"});
  bind(t.Stats_ResetAllStats, {"SteamAPI_ISteamUserStats_ResetAllStats"});

  bind(t.Friends_ActivateGameOverlay, {"SteamAPI_ISteamFriends_ActivateGameOverlay"});
  bind(t.Friends_ActivateGameOverlayToWebPage, {"SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage"});
  bind(t.Utils_GetAppID, {"SteamAPI_ISteamUtils_GetAppID"});
  bind(t.HTTP_CreateHTTPRequest, {"SteamAPI_ISteamHTTP_CreateHTTPRequest"});
  return t;
}

}  // namespace qz::steam
