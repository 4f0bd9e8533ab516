#include "tests/unit/steam/session_test_support.h"

#include <regex>

namespace qz::test {

std::vector<std::string>& DebugLines() {
  static std::vector<std::string> lines;
  return lines;
}

std::vector<std::string> Trace() {
  static const std::regex accessor("SteamAPI_Steam[A-Za-z]+_v[0-9]+"), user("^SteamAPI_ISteamUser_"),
      other("^SteamAPI_(ISteamUserStats_)?");
  std::vector<std::string> trace;
  for (const sim::PlatformCall& call : sim::PlatformSim::Instance().Calls()) {
    if (std::regex_match(call.function, accessor)) continue;
    const std::string name = std::regex_replace(std::regex_replace(call.function, user, "User."), other, "");
    trace.push_back(name + "(" + call.arguments + ")");
  }
  return trace;
}

int CountCalls(const std::string& prefix) {
  int count = 0;
  for (const std::string& call : Trace()) count += call.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

void SessionTest::SetUp() {
  Sim().Install();
  Sim().SetStat("VERSION", 1);  // an account past its one-time reset
  kernel::KernelApi& api = kernel::Api();
  api.sleep = [](uint32_t) {};
  api.outputDebugStringW = [](const char16_t* text) {
    std::string line = "W:";
    for (; *text != 0; ++text) line += static_cast<char>(*text);
    DebugLines().push_back(line);
  };
  api.outputDebugStringA = [](const char* text) { DebugLines().push_back(std::string("A:") + text); };
}

void SessionTest::StartWithStatsReceived() {
  ASSERT_EQ(QZSteam_Init(), 1);
  Tick(2);
  ASSERT_TRUE(Session().statsValid);
  Forget();
}

}  // namespace qz::test
