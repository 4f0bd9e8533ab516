#pragma once
// What the session tests share: the simulated platform installed in the Steam
// seam, the Windows seam recording the ticket wait's sleeps and the debugger
// lines, and the platform's call log in a short form. Every test runs in its
// own process, so the process-wide session object starts absent in each.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "include/QZSteam.h"
#include "platform/win_seam.h"
#include "sim/platform_sim.h"
#include "steam/session/session.h"

namespace qz::test {

using Strings = std::vector<std::string>;
using sim::Platform;

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Install();
    Platform()->SetStat("VERSION", 1);  // an account past its one-time reset
    win::WinApi& api = win::Api();
    api.sleep = [](uint32_t ms) { sleeps.push_back(ms); };
    api.outputDebugStringW = [](const char16_t* text) {
      lines.push_back("W:" + std::string(text, text + std::char_traits<char16_t>::length(text)));
    };
    api.outputDebugStringA = [](const char* text) { lines.push_back(std::string("A:") + text); };
  }

  static QZ_Steam& Session() { return *steam::SessionObject(); }
  // The platform's calls since the last Forget as "Function(arguments)",
  // without the interface accessors and the "SteamAPI_" prefix, the stats
  // interface's calls without their interface and the user interface's as
  // "User.": "SetStatInt32(KILL_ENEMY,10)", "User.BLoggedOn()", "RunCallbacks()".
  static Strings Trace() {
    static const std::regex accessor("SteamAPI_Steam[A-Za-z]+_v[0-9]+\\(\\)"), user("^SteamAPI_ISteamUser_"),
        other("^SteamAPI_(ISteamUserStats_)?");
    Strings trace;
    for (const std::string& call : Platform()->CallLines())
      if (!std::regex_match(call, accessor))
        trace.push_back(std::regex_replace(std::regex_replace(call, user, "User."), other, ""));
    return trace;
  }
  static int CountCalls(const std::string& prefix) {
    int count = 0;
    for (const std::string& call : Trace()) count += call.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
  }
  static void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) QZSteam_RunCallbacks();
  }
  static void Forget() {
    Platform()->ClearCalls();
    lines.clear();
  }
  // QZSteam_Init, then the tick that asks for the statistics and the tick
  // that receives them; forgets the calls and lines after.
  static void StartWithStatsReceived() {
    ASSERT_EQ(QZSteam_Init(), 1);
    Tick(2);
    ASSERT_TRUE(Session().StatsReceived());
    Forget();
  }

  // Debugger lines in order, "W:" for OutputDebugStringW (narrowed; the texts
  // are ASCII), "A:" for OutputDebugStringA.
  static inline Strings lines;
  // The milliseconds of each Sleep; none takes any time.
  static inline std::vector<uint32_t> sleeps;
};

}  // namespace qz::test
