// RequestCurrentStats on DLLs of 1.61 and later, which lack it: the wrapper
// answers true and delivers one UserStatsReceived_t itself on the next pump.
#include <gtest/gtest.h>

#include "sim/platform_sim.h"
#include "steam/steam_client.h"
#include "tests/unit/binding/event_recorder.h"

namespace {

using qz::sim::PlatformSim;

class StatsRequest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    sim.Install(/*withRequestCurrentStats=*/GetParam());
    sim.SetAppId(0x7F123456);  // the game id keeps the low 24 bits
    sim.SetSteamId(76561197960287931ull);
    ASSERT_TRUE(SteamAPI_Init());
    sim.ClearCalls();
  }
  bool DllHasRequest() const { return GetParam(); }

  PlatformSim& sim = PlatformSim::Instance();
  EventRecorder<UserStatsReceived_t> received;
  EventRecorder<UserStatsReceived_t> receivedToo;
  EventRecorder<UserStatsStored_t> stored;
};

TEST_P(StatsRequest, OneAnswerArrivesOnTheNextPumpWithTheGameAndUser) {
  EXPECT_TRUE(SteamUserStats()->RequestCurrentStats());
  EXPECT_EQ(sim.CallsStartingWith("SteamAPI_ISteamUserStats_").size(), DllHasRequest() ? 1u : 0u)
      << "the stand-in makes no platform call for the request itself";
  EXPECT_TRUE(received.events.empty()) << "nothing before the pump";

  SteamAPI_RunCallbacks();
  ASSERT_EQ(received.events.size(), 1u);
  EXPECT_EQ(received.events[0].m_nGameID, 0x123456u);
  EXPECT_EQ(received.events[0].m_eResult, k_EResultOK);
  EXPECT_EQ(received.events[0].m_steamIDUser.ConvertToUint64(), 76561197960287931ull);
  EXPECT_EQ(receivedToo.events.size(), 1u) << "every object registered for 1101";
  EXPECT_TRUE(stored.events.empty());

  SteamAPI_RunCallbacks();
  SteamAPI_RunCallbacks();
  EXPECT_EQ(received.events.size(), 1u) << "exactly one answer";
}

TEST_P(StatsRequest, AShutdownBeforeThePumpDropsTheAnswer) {
  ASSERT_TRUE(SteamUserStats()->RequestCurrentStats());
  SteamAPI_Shutdown();
  SteamAPI_RunCallbacks();
  ASSERT_TRUE(SteamAPI_Init());
  SteamAPI_RunCallbacks();
  EXPECT_TRUE(received.events.empty());
}

INSTANTIATE_TEST_SUITE_P(Dlls, StatsRequest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Before161" : "From161"; });

}  // namespace
