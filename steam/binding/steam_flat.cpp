#include "steam/binding/steam_flat.h"

#include <cstring>

namespace qz::steam {

SteamFlatApi& SteamFlat() {
  static SteamFlatApi table{};
  return table;
}

namespace {

// The methods the library calls through their flat exports on every release:
// all but RequestCurrentStats (stood in for on 1.61 on) and the client's
// getters (needed only where there are no accessors).
bool AlwaysNeeded(InterfaceId iface, const char* method) {
  return iface != InterfaceId::Client && std::strcmp(method, "RequestCurrentStats") != 0;
}

}  // namespace

const char* FirstMissingFunction(const SteamFlatApi& t) {
  if (!t.InitFlat && !t.InternalInit && !t.Init) return "SteamAPI_Init";
  if (!t.RunCallbacks) return "SteamAPI_RunCallbacks";
  if (!t.Shutdown) return "SteamAPI_Shutdown";
  if (!t.RegisterCallback) return "SteamAPI_RegisterCallback";

  const bool accessors = t.SteamUser && t.SteamUserStats && t.SteamFriends && t.SteamUtils && t.SteamHTTP;
  if (!accessors) {
    // 1.37-1.47: the interfaces come from SteamClient() instead.
    if (!t.SteamClient) {
      if (!t.SteamUser) return "SteamAPI_SteamUser_v023";
      if (!t.SteamUserStats) return "SteamAPI_SteamUserStats_v013";
      if (!t.SteamFriends) return "SteamAPI_SteamFriends_v018";
      if (!t.SteamUtils) return "SteamAPI_SteamUtils_v011";
      return "SteamAPI_SteamHTTP_v003";
    }
    if (!t.GetHSteamUser) return "SteamAPI_GetHSteamUser";
    if (!t.GetHSteamPipe) return "SteamAPI_GetHSteamPipe";
    if (!t.Client_GetISteamUser) return "SteamAPI_ISteamClient_GetISteamUser";
    if (!t.Client_GetISteamUserStats) return "SteamAPI_ISteamClient_GetISteamUserStats";
    if (!t.Client_GetISteamFriends) return "SteamAPI_ISteamClient_GetISteamFriends";
    if (!t.Client_GetISteamUtils) return "SteamAPI_ISteamClient_GetISteamUtils";
    if (!t.Client_GetISteamHTTP) return "SteamAPI_ISteamClient_GetISteamHTTP";
  }

#define QZ_CHECK_METHOD(use, iface, method, ret, params, call, exports, slots)        \
  QZ_STEAM_IF_LIBRARY(use, {                                                         \
    static constexpr const char* names[] = QZ_STEAM_NAME_STRINGS(exports);           \
    if (!t.iface##_##method && AlwaysNeeded(InterfaceId::iface, #method)) return names[0]; \
  })
  QZ_STEAM_METHODS(QZ_CHECK_METHOD)
#undef QZ_CHECK_METHOD
  return nullptr;
}

}  // namespace qz::steam
