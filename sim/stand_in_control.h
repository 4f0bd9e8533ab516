#pragma once
// The stand-in steam_api.dll's control exports (QZSim_*, cdecl, undecorated),
// through which the Windows tests and the demo script the simulated platform
// and read what it saw. Their signatures and meaning: StandInClient in
// stand_in_client.h, the one C++ client of them.
#include <cstdint>

// A registered callback object as the stand-in sees it through the MSVC layout.
struct QZSimRegistration {
  int32_t callbackIdArgument;  // as passed to SteamAPI_RegisterCallback
  int32_t sizeBytes;           // the object's vtable slot 2, GetCallbackSizeBytes()
  int32_t flags;               // the byte at offset 4, now
  int32_t callbackIdField;     // the int at offset 8, now
};
