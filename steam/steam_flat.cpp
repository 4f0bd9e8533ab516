#include "steam/steam_flat.h"

namespace qz::steam {

SteamFlatApi& SteamFlat() {
  static SteamFlatApi table{};
  return table;
}

bool HasRequiredFunctions(const SteamFlatApi& t) {
  bool canStart = t.InitFlat || t.InternalInit || t.Init;
  bool core = t.RunCallbacks && t.Shutdown && t.RegisterCallback;
  bool accessors = t.SteamUser && t.SteamUserStats && t.SteamFriends && t.SteamUtils && t.SteamHTTP;
  bool user = t.User_BLoggedOn && t.User_GetSteamID && t.User_GetAuthSessionTicket && t.User_EndAuthSession &&
              t.User_RequestStoreAuthURL;
  // RequestCurrentStats is not required: releases from 1.61 on lack it and the
  // wrapper stands in for it.
  bool stats = t.Stats_GetStatInt32 && t.Stats_GetStatFloat && t.Stats_SetStatInt32 && t.Stats_SetStatFloat &&
               t.Stats_GetAchievement && t.Stats_SetAchievement && t.Stats_GetAchievementDisplayAttribute &&
               t.Stats_StoreStats && t.Stats_ResetAllStats;
  bool rest = t.Friends_ActivateGameOverlay && t.Friends_ActivateGameOverlayToWebPage && t.Utils_GetAppID &&
              t.HTTP_CreateHTTPRequest;
  return canStart && core && accessors && user && stats && rest;
}

}  // namespace qz::steam
