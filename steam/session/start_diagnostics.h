#pragma once
// The debugger lines that say why a start of the session did not give the
// game a running platform with a user: QZSteam_Init answers only 1 or 0.
#include "steam/binding/steam_client.h"
#include "steam/binding/steam_flat.h"

namespace qz::steam {

// The session started, but without statistics (it answers 1).
inline constexpr char kNoUserLine[] = "QZSteam: no user is logged on to Steam; the session runs without statistics\n";

// steam_api.dll is missing (with the loader's error) or of a release the
// library cannot use (with the first function it lacks).
void ReportLoadFailure(const LoadFailure& failure);
// The platform library refused to start (its start function, answer and message).
void ReportStartFailure(const SteamStart& start);

}  // namespace qz::steam
