#pragma once
// What the session tests share: the simulated platform installed in the Steam
// seam, the debugger output captured from the kernel seam, and the platform's
// call log in a short form. Every test runs in its own process, so the
// process-wide session object starts absent in each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/platform_sim.h"
#include "steam/kernel_seam.h"
#include "steam/session.h"
#include "steam/steam_exports.h"

namespace qz::test {

// Debugger lines in order, "W:" for OutputDebugStringW (narrowed; the texts
// are ASCII), "A:" for OutputDebugStringA.
std::vector<std::string>& DebugLines();

// The platform's calls since the last ClearCalls as "Function(arguments)",
// without the interface accessors and with the prefixes shortened:
// "SteamAPI_ISteamUserStats_SetStatInt32" with "KILL_ENEMY,10" becomes
// "SetStatInt32(KILL_ENEMY,10)", "SteamAPI_ISteamUser_BLoggedOn" "User.BLoggedOn()",
// "SteamAPI_RunCallbacks" "RunCallbacks()".
std::vector<std::string> Trace();
// How many calls of Trace() start with `prefix`.
int CountCalls(const std::string& prefix);

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override;

  static sim::PlatformSim& Sim() { return sim::PlatformSim::Instance(); }
  static QZ_Steam& Session() { return *steam::SessionObject(); }
  // QZSteam_Init, then the tick that asks for the statistics and the tick
  // that receives them; clears the call log and the debugger lines after.
  static void StartWithStatsReceived();
  static void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) QZSteam_RunCallbacks();
  }
  static void Forget() {
    Sim().ClearCalls();
    DebugLines().clear();
  }
};

}  // namespace qz::test
