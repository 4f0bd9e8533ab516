// What reaches steam_api.dll when the session code calls through the wrappers:
// the export, its arguments as the DLL renders them, and the answer coming back.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "sim/platform_sim.h"
#include "steam/steam_client.h"

namespace {

using qz::sim::PlatformSim;

class Wrappers : public ::testing::Test {
 protected:
  void SetUp() override {
    sim.Install();
    sim.SetSteamId(0x0110000100ABCDEFull);
    sim.SetStoreAuthUrlCall(0xFEDCBA9876543210ull);
    sim.SetHttpRequestHandle(77);
    sim.SetStat("RUN", 2.5f);
    sim.SetStat("KILLS", 41);
    ASSERT_TRUE(SteamAPI_Init());
    sim.ClearCalls();
  }

  // The one call the action made, as "Export(arguments)".
  std::string OnlyCall() {
    EXPECT_EQ(sim.Calls().size(), 1u);
    if (sim.Calls().empty()) return "";
    return sim.Calls()[0].function + "(" + sim.Calls()[0].arguments + ")";
  }

  PlatformSim& sim = PlatformSim::Instance();
};

TEST_F(Wrappers, TheTicketCallPassesANullIdentity) {
  ISteamUser* user = SteamUser();
  sim.ClearCalls();
  unsigned char ticket[2048];
  uint32_t length = 0;
  EXPECT_NE(user->GetAuthSessionTicket(ticket, sizeof ticket, &length), 0u);
  EXPECT_EQ(OnlyCall(), "SteamAPI_ISteamUser_GetAuthSessionTicket(ptr,2048,ptr,null)");
  EXPECT_EQ(length, 8u);
}

TEST_F(Wrappers, TheWebPageCallPassesModeZero) {
  ISteamFriends* friends = SteamFriends();
  sim.ClearCalls();
  friends->ActivateGameOverlayToWebPage("https://example.org/a?b=1");
  EXPECT_EQ(OnlyCall(), "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://example.org/a?b=1,0)");
}

struct ForwardCase {
  const char* what;
  std::function<std::string()> call;  // makes the call, renders its answer
  const char* expectedCall;
  const char* expectedAnswer;
};

TEST_F(Wrappers, EachMethodReachesItsExportWithItsArgumentsAndAnswer) {
  ISteamUser* user = SteamUser();
  ISteamUserStats* stats = SteamUserStats();
  ISteamHTTP* http = SteamHTTP();
  const ForwardCase cases[] = {
      {"user id, all 64 bits", [&] { return std::to_string(user->GetSteamID().ConvertToUint64()); },
       "SteamAPI_ISteamUser_GetSteamID()", "76561197971525103"},
      {"end session, all 64 bits", [&] { user->EndAuthSession(CSteamID(0x0110000100ABCDEFull)); return std::string(); },
       "SteamAPI_ISteamUser_EndAuthSession(76561197971525103)", ""},
      {"store auth URL, all 64 bits", [&] { return std::to_string(user->RequestStoreAuthURL("https://r.example")); },
       "SteamAPI_ISteamUser_RequestStoreAuthURL(https://r.example)", "18364758544493064720"},
      {"int stat read", [&] { int32_t v = -1; bool ok = stats->GetStat("KILLS", &v); return std::to_string(ok) + ":" + std::to_string(v); },
       "SteamAPI_ISteamUserStats_GetStatInt32(KILLS,ptr)", "1:41"},
      {"float stat read", [&] { float v = -1; bool ok = stats->GetStat("RUN", &v); return std::to_string(ok) + ":" + std::to_string(v); },
       "SteamAPI_ISteamUserStats_GetStatFloat(RUN,ptr)", "1:2.500000"},
      {"int stat write", [&] { return std::to_string(stats->SetStat("KILLS", int32_t{-7})); },
       "SteamAPI_ISteamUserStats_SetStatInt32(KILLS,-7)", "1"},
      {"float stat write", [&] { return std::to_string(stats->SetStat("RUN", 0.25f)); },
       "SteamAPI_ISteamUserStats_SetStatFloat(RUN,0.25)", "1"},
      {"HTTP request", [&] { return std::to_string(http->CreateHTTPRequest(k_EHTTPMethodPOST, "https://h.example")); },
       "SteamAPI_ISteamHTTP_CreateHTTPRequest(3,https://h.example)", "77"},
  };
  for (const ForwardCase& c : cases) {
    sim.ClearCalls();
    EXPECT_EQ(c.call(), c.expectedAnswer) << c.what;
    EXPECT_EQ(OnlyCall(), c.expectedCall) << c.what;
  }
}

TEST(WrapperGaps, AMissingMethodAnswersAsAFailureInsteadOfCalling) {
  PlatformSim& sim = PlatformSim::Instance();
  sim.Install();
  ASSERT_TRUE(SteamAPI_Init());
  ISteamUserStats* stats = SteamUserStats();
  qz::steam::SteamFlat().Stats_GetAchievementDisplayAttribute = nullptr;
  qz::steam::SteamFlat().Stats_GetStatInt32 = nullptr;
  int32_t value = 5;
  EXPECT_FALSE(stats->GetStat("KILLS", &value));
  EXPECT_EQ(value, 5);
  EXPECT_STREQ(stats->GetAchievementDisplayAttribute("WIN_1", "name"), "") << "an empty text, never null";
}

}  // namespace
