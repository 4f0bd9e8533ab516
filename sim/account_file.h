#pragma once
// The stand-ins as a development tool: an account file beside the DLL
// (steam_sim_account.json) gives the simulated player, his faults and events,
// the stand-in keeps what the game stores there, and a log file beside it
// (steam_sim.log) gets one line per platform call and event, its first line
// saying which account is in use (the default player when there is no file).
#include <string>

#include "sim/platform_model.h"

namespace qz::sim {

// Opens the log and reads the account file into `model` on the first start:
// logged on, user and app ids, statistics, achievements, how the ticket
// response comes ("prompt", "late" or "never"), the results of the ticket and
// of the statistics' reception, whether stores are refused, whether the start
// fails, and events at a frame or after a call. A file that cannot be read,
// or a member it cannot take (named in the line), gives one log line and a
// start that fails as with no Steam client, with the same words.
void LoadAccountFileOnce(PlatformModel& model);

// After an accepted store: writes the model's statistics and achievements
// into the account file (a new file that then replaces the old one).
void SaveAccountFile(const PlatformModel& model);

// True when an account file was found at the first start.
bool AccountFileInUse();

// Appends a line to the log (nothing while it is not open).
void WriteLogLine(const std::string& line);

}  // namespace qz::sim
