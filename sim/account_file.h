#pragma once
// The stand-in steam_api.dll as a development tool: an account file beside it
// (steam_sim_account.json) gives the simulated player, the stand-in keeps what
// the game stores there, and a log file beside it (steam_sim.log) gets one
// line per platform call and event. Without an account file the stand-in is
// the scripted test platform and writes no file.
#include "sim/platform_model.h"

namespace qz::sim {

// Reads the account file into `model` on the first start: logged on, user and
// app ids, statistics, achievements, how the ticket response comes ("prompt",
// "late" or "never"), whether stores are refused, whether the start fails.
// A malformed file gives one log line and a start that fails as with no
// Steam client.
void LoadAccountFileOnce(PlatformModel& model);

// After an accepted store: writes the model's statistics and achievements
// into the account file (a new file that then replaces the old one).
void SaveAccountFile(const PlatformModel& model);

// True when an account file was found at the first start.
bool AccountFileInUse();

}  // namespace qz::sim
