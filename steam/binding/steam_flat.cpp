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

// Each entry's name where a release lacks it: the newest export of its row.
struct EntryNames {
#define QZ_FLAT_NAME(name, ret, params, call, exports) const char* name = QZ_STEAM_FIRST_NAME(exports);
  QZ_STEAM_FLAT_FUNCTIONS(QZ_FLAT_NAME)
#undef QZ_FLAT_NAME
#define QZ_METHOD_NAME(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, const char* iface##_##method = QZ_STEAM_FIRST_NAME(exports);)
  QZ_STEAM_METHODS(QZ_METHOD_NAME)
#undef QZ_METHOD_NAME
};
constexpr EntryNames kNames{};

}  // namespace

#define QZ_REQUIRE(entry) \
  if (!t.entry) return kNames.entry

const char* FirstMissingFunction(const SteamFlatApi& t) {
  if (!t.InitFlat && !t.InternalInit) QZ_REQUIRE(Init);
  QZ_REQUIRE(RunCallbacks);
  QZ_REQUIRE(Shutdown);
  QZ_REQUIRE(RegisterCallback);

  // A release with accessors takes every interface from them; one without
  // (1.37-1.47) from SteamClient(), as BindExports chose.
  if (t.SteamUser || !t.SteamClient) {
    QZ_REQUIRE(SteamUser);
    QZ_REQUIRE(SteamUserStats);
    QZ_REQUIRE(SteamFriends);
    QZ_REQUIRE(SteamUtils);
    QZ_REQUIRE(SteamHTTP);
  } else {
    QZ_REQUIRE(GetHSteamUser);
    QZ_REQUIRE(GetHSteamPipe);
    QZ_REQUIRE(Client_GetISteamUser);
    QZ_REQUIRE(Client_GetISteamUserStats);
    QZ_REQUIRE(Client_GetISteamFriends);
    QZ_REQUIRE(Client_GetISteamUtils);
    QZ_REQUIRE(Client_GetISteamHTTP);
  }

#define QZ_CHECK_METHOD(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, if (AlwaysNeeded(InterfaceId::iface, #method)) QZ_REQUIRE(iface##_##method);)
  QZ_STEAM_METHODS(QZ_CHECK_METHOD)
#undef QZ_CHECK_METHOD
  return nullptr;
}
#undef QZ_REQUIRE

}  // namespace qz::steam
