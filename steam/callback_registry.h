#pragma once
// The callback objects registered through the binding: every one of them, for
// the events the library delivers itself, and those that arrived before
// steam_api.dll could be loaded, which are registered with it on its load.
#include "steam/steam_callback.h"

namespace qz::steam {

// Keeps `object` among the registered objects under `callbackId`.
void RememberCallback(CCallbackBase* object, int callbackId);
// Keeps `object` also until steam_api.dll is loaded.
void AwaitLoad(CCallbackBase* object, int callbackId);
// Registers with the loaded steam_api.dll the objects that waited for it, in
// the order they arrived, and forgets them.
void RegisterAwaitingCallbacks();
// Runs every object registered under `callbackId` with `event`.
void DeliverToRegistered(int callbackId, void* event);

}  // namespace qz::steam
