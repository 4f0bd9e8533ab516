#include "include/QZSteam.h"
#include "platform/export.h"

#include "steam/binding/steam_client.h"

namespace {

constexpr char kTest2PageUrl[] = "https://store.steampowered.com/";

EHTTPMethod ToHttpMethod(int32_t method) {
  switch (method) {
    case k_EHTTPMethodGET:
    case k_EHTTPMethodHEAD:
    case k_EHTTPMethodPOST:
    case k_EHTTPMethodPUT:
    case k_EHTTPMethodDELETE:
    case k_EHTTPMethodOPTIONS:
      return static_cast<EHTTPMethod>(method);
    default:
      return k_EHTTPMethodInvalid;
  }
}

}  // namespace

// The platform's client reads the texts: a NULL one is not handed on (the
// call does nothing and answers the platform's invalid handle, 0), an empty
// one is, as any other.

QZ_EXPORT void QZ_CDECL QZSteam_OpenOverlay(const char* dialog) {
  if (dialog == nullptr) return;
  if (ISteamFriends* friends = SteamFriends()) friends->ActivateGameOverlay(dialog);
}

QZ_EXPORT void QZ_CDECL QZSteam_OpenURL(const char* url) {
  if (url == nullptr) return;
  if (ISteamFriends* friends = SteamFriends()) friends->ActivateGameOverlayToWebPage(url);
}

QZ_EXPORT uint64_t QZ_CDECL QZSteam_ReqStoreAuthURL(const char* redirectUrl) {
  ISteamUser* user = redirectUrl != nullptr ? SteamUser() : nullptr;
  return user ? user->RequestStoreAuthURL(redirectUrl) : 0;
}

QZ_EXPORT uint32_t QZ_CDECL QZSteam_CreateHTTPRequest(int32_t method, const char* url) {
  ISteamHTTP* http = url != nullptr ? SteamHTTP() : nullptr;
  return http ? http->CreateHTTPRequest(ToHttpMethod(method), url) : 0;
}

QZ_EXPORT uint32_t QZ_CDECL QZSteam_Test() {
  ISteamUtils* utils = SteamUtils();
  return utils ? utils->GetAppID() : 0;
}

QZ_EXPORT void QZ_CDECL QZSteam_Test2() { QZSteam_OpenURL(kTest2PageUrl); }

// Exported as QZSteam_Test_1, QZSteam_Test_2, QZSteam_Test_3 and
// QZSteam_Test_4 (QZSteam.def): does nothing.
QZ_EXPORT void QZ_CDECL QZSteam_DoNothing() {}
