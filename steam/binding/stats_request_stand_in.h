#pragma once
// The answer to RequestCurrentStats on steam_api.dll releases without that
// call (1.61 on, where the client synchronises the statistics before the game
// starts): the request "succeeds" and one UserStatsReceived_t with
// k_EResultOK is delivered on the next pump, as the older releases would,
// through the same entry steam_api.dll uses: Run(event) of the object
// registered for it.
#include "steam/binding/steam_callback.h"
#include "steam/binding/steam_types.h"

namespace qz::steam {

// Told of every registration; keeps the object registered for
// UserStatsReceived_t.
void NoteRegistration(CCallbackBase* object, int callbackId);
// Makes the answer for game `appId` and user `steamId` due on the next pump.
void QueueStatsAnswer(AppId_t appId, CSteamID steamId);
// Delivers a due answer to the object registered for UserStatsReceived_t.
void DeliverDueStatsAnswer();
// Drops a due answer: it belonged to a session that has ended.
void DropStatsAnswer();

}  // namespace qz::steam
