#pragma once
// The Steam seam: the flat C functions of steam_api.dll that the library uses,
// as one table of function pointers generated from the platform function
// lists (platform_functions.h). On Windows the runtime binding fills it from
// the loaded DLL (whichever of the equivalent exports the DLL's SDK release
// has); natively the platform simulator fills it. Nothing else in the library
// calls the platform: the wrappers of steam_client.h forward to it.
#include <cstdint>

#include "platform/export.h"
#include "steam/binding/platform_functions.h"
#include "steam/binding/steam_callback.h"
#include "steam/binding/steam_types.h"

namespace qz::steam {

// The interface versions asked of SteamClient() on releases that export no
// accessor (1.37-1.47): those the release was built with, so that each
// method the library calls sits at the slot the release's flat export calls.
struct ClientInterfaceVersions {
  const char* user;
  const char* userStats;
  const char* friends;
  const char* utils;
  const char* http;
};

struct SteamFlatApi {
  // Flat functions under their row names (InitFlat, SteamUser, ...), interface
  // methods the library calls as Interface_Method (User_BLoggedOn, ...). Null
  // where the DLL lacks them.
#define QZ_FLAT_ENTRY(name, ret, params, call, exports) ret(QZ_CDECL* name) params;
  QZ_STEAM_FLAT_FUNCTIONS(QZ_FLAT_ENTRY)
#undef QZ_FLAT_ENTRY
#define QZ_METHOD_ENTRY(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, ret(QZ_CDECL* iface##_##method) params;)
  QZ_STEAM_METHODS(QZ_METHOD_ENTRY)
#undef QZ_METHOD_ENTRY

  // Set where the interfaces come from SteamClient() (1.37-1.47); all null otherwise.
  ClientInterfaceVersions clientVersions;
};

// The table in use; all entries null until the binding (or the simulator) fills it.
SteamFlatApi& SteamFlat();

// Why the last LoadSteamApi() gave false.
struct LoadFailure {
  bool dllMissing;          // steam_api.dll could not be loaded at all
  uint32_t systemError;     // its loader's error, when it is missing
  const char* firstMissing;  // otherwise: the first function the release lacks
};

// Binds steam_api.dll on first use: on Windows loads it and fills the table,
// natively reports whether the simulator has filled it. A missing DLL or a
// release without every required function gives false, leaves the table empty
// and keeps the reason for LastLoadFailure().
bool LoadSteamApi();
LoadFailure LastLoadFailure();

// The first function `table` lacks of what the library needs (a start
// function, the pump, shutdown, registration, the interfaces through the
// accessors or through SteamClient(), and every method it calls but
// RequestCurrentStats, which 1.61 on lack and the wrapper stands in for), or
// null when it has everything.
const char* FirstMissingFunction(const SteamFlatApi& table);

}  // namespace qz::steam
