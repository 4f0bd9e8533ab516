#pragma once
// The answer to RequestCurrentStats on steam_api.dll releases without that
// call (1.61 on, where the client synchronises the statistics before the game
// starts): the request "succeeds" and one UserStatsReceived_t with
// k_EResultOK is delivered on the next pump, as the older releases would.
#include "steam/steam_types.h"

namespace qz::steam {

// Makes the answer for game `appId` and user `steamId` due on the next pump.
void QueueStatsAnswer(AppId_t appId, CSteamID steamId);
// Delivers a due answer to every object registered for UserStatsReceived_t.
void DeliverDueStatsAnswer();
// Drops a due answer: it belonged to a session that has ended.
void DropStatsAnswer();

}  // namespace qz::steam
