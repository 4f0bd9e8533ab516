// What reaches steam_api.dll through the wrappers where the library supplies
// arguments of its own, and where the DLL lacks a method.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/platform_sim.h"
#include "steam/steam_client.h"

namespace {

using qz::sim::PlatformSim;

TEST(Wrappers, TheTicketCallPassesANullIdentityAndTheWebPageCallModeZero) {
  PlatformSim& sim = PlatformSim::Instance();
  sim.Install();
  ASSERT_TRUE(SteamAPI_Init());
  ISteamUser* user = SteamUser();
  ISteamFriends* friends = SteamFriends();
  sim.ClearCalls();
  unsigned char ticket[2048];
  uint32_t length = 0;
  EXPECT_NE(user->GetAuthSessionTicket(ticket, sizeof ticket, &length), 0u);
  EXPECT_EQ(length, 8u);
  friends->ActivateGameOverlayToWebPage("https://example.org/a?b=1");
  EXPECT_EQ(sim.CallsStartingWith("SteamAPI_"),
            (std::vector<std::string>{"SteamAPI_ISteamUser_GetAuthSessionTicket(ptr,2048,ptr,null)",
                                      "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://example.org/a?b=1,0)"}));
}

TEST(Wrappers, AMissingMethodAnswersAsAFailureInsteadOfCalling) {
  PlatformSim& sim = PlatformSim::Instance();
  sim.Install();
  sim.SetStat("KILLS", 41);
  ASSERT_TRUE(SteamAPI_Init());
  ISteamUserStats* stats = SteamUserStats();
  qz::steam::SteamFlat().Stats_GetAchievementDisplayAttribute = nullptr;
  qz::steam::SteamFlat().Stats_GetStatInt32 = nullptr;
  sim.ClearCalls();
  int32_t value = 5;
  EXPECT_FALSE(stats->GetStat("KILLS", &value));
  EXPECT_EQ(value, 5);
  EXPECT_STREQ(stats->GetAchievementDisplayAttribute("WIN_1", "name"), "") << "an empty text, never null";
  EXPECT_TRUE(sim.Calls().empty());
}

}  // namespace
