// The simulated platform's behaviour that the session tests rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/platform_sim.h"
#include "steam/steam_client.h"
#include "tests/unit/binding/event_recorder.h"

namespace {

using qz::sim::PlatformSim;

class Platform : public ::testing::Test {
 protected:
  void SetUp() override { sim.Install(); }
  void Start() { ASSERT_TRUE(SteamAPI_Init()); }

  PlatformSim& sim = PlatformSim::Instance();
};

TEST_F(Platform, QueuedEventsArriveOnTheirPumpInQueueOrderAcrossIds) {
  EventRecorder<GameOverlayActivated_t> overlay;
  EventRecorder<MicroTxnAuthorizationResponse_t> txn;
  Start();
  sim.QueueEvent(GameOverlayActivated_t{1}, 2);
  MicroTxnAuthorizationResponse_t first{480, 11, 1};
  MicroTxnAuthorizationResponse_t second{480, 12, 0};
  sim.QueueEvent(first, 1);
  sim.QueueEvent(GameOverlayActivated_t{0}, 1);
  sim.QueueEvent(second, 1);

  SteamAPI_RunCallbacks();
  ASSERT_EQ(txn.events.size(), 2u);
  EXPECT_EQ(txn.events[0].m_ulOrderID, 11u);
  EXPECT_EQ(txn.events[1].m_ulOrderID, 12u);
  ASSERT_EQ(overlay.events.size(), 1u);
  EXPECT_EQ(overlay.events[0].m_bActive, 0);

  SteamAPI_RunCallbacks();
  ASSERT_EQ(overlay.events.size(), 2u);
  EXPECT_EQ(overlay.events[1].m_bActive, 1);
}

TEST_F(Platform, PumpsOfAStoppedPlatformDeliverNothingAndShutdownDropsTheQueue) {
  EventRecorder<GameOverlayActivated_t> overlay;
  sim.QueueEvent(GameOverlayActivated_t{1}, 1);
  SteamAPI_RunCallbacks();
  EXPECT_TRUE(overlay.events.empty()) << "not started";
  Start();
  SteamAPI_RunCallbacks();
  EXPECT_EQ(overlay.events.size(), 1u) << "queued before the start, delivered on its first pump";

  sim.QueueEvent(GameOverlayActivated_t{0}, 1);
  SteamAPI_Shutdown();
  Start();
  SteamAPI_RunCallbacks();
  EXPECT_EQ(overlay.events.size(), 1u);
}

TEST_F(Platform, ResultSequencesRepeatTheirLastAnswer) {
  sim.SetRequestCurrentStatsResults({false, true});
  sim.SetStoreStatsResults({true, false, false, true});
  Start();
  ISteamUserStats* stats = SteamUserStats();
  std::vector<bool> requests, stores;
  for (int i = 0; i < 5; ++i) {
    requests.push_back(stats->RequestCurrentStats());
    stores.push_back(stats->StoreStats());
  }
  EXPECT_EQ(requests, (std::vector<bool>{false, true, true, true, true}));
  EXPECT_EQ(stores, (std::vector<bool>{true, false, false, true, true}));
}

TEST_F(Platform, AcceptedRequestsAndStoresAreAnsweredWithTheScriptedResults) {
  EventRecorder<UserStatsReceived_t> received;
  EventRecorder<UserStatsStored_t> stored;
  sim.SetStoreStatsResults({false, true});
  sim.SetStatsReceivedResult(k_EResultFail);
  sim.SetStatsStoredResult(k_EResultInvalidParam);
  Start();
  ISteamUserStats* stats = SteamUserStats();
  ASSERT_TRUE(stats->RequestCurrentStats());
  ASSERT_FALSE(stats->StoreStats());  // refused: no answer
  SteamAPI_RunCallbacks();
  ASSERT_EQ(received.events.size(), 1u);
  EXPECT_EQ(received.events[0].m_eResult, k_EResultFail);
  EXPECT_TRUE(stored.events.empty());

  ASSERT_TRUE(stats->StoreStats());
  SteamAPI_RunCallbacks();
  ASSERT_EQ(stored.events.size(), 1u);
  EXPECT_EQ(stored.events[0].m_eResult, k_EResultInvalidParam);
  EXPECT_EQ(stored.events[0].m_nGameID, 480u);
}

TEST_F(Platform, AStatNotConfiguredFailsBothWaysAndWritesNothing) {
  sim.SetStat("VERSION", 3);
  sim.SetStatReadFails("VERSION", true);
  Start();
  ISteamUserStats* stats = SteamUserStats();
  int32_t value = 42;
  EXPECT_FALSE(stats->GetStat("VERSION", &value));
  EXPECT_EQ(value, 42);
  EXPECT_FALSE(stats->SetStat("VERSION", int32_t{1}));
  EXPECT_EQ(sim.StatInt("VERSION"), 3);

  int32_t never = 9;
  EXPECT_TRUE(stats->GetStat("NEVER_SET", &never));
  EXPECT_EQ(never, 0) << "a configured stat that was never set reads 0";
}

TEST_F(Platform, ResetClearsStatsAndOptionallyAchievements) {
  for (bool achievementsToo : {false, true}) {
    sim.SetStat("KILLS", 5);
    sim.SetStat("RUN", 1.5f);
    sim.SetAchievement("WIN", true);
    Start();
    EXPECT_TRUE(SteamUserStats()->ResetAllStats(achievementsToo));
    EXPECT_EQ(sim.StatInt("KILLS"), 0);
    EXPECT_EQ(sim.StatFloat("RUN"), 0.0f);
    EXPECT_EQ(sim.Achieved("WIN"), !achievementsToo);
    SteamAPI_Shutdown();
  }
}

TEST_F(Platform, TheTicketIsWrittenUpToTheCapacityAndAnsweredAfterTheScriptedPumps) {
  EventRecorder<GetAuthSessionTicketResponse_t> responses;
  sim.SetTicket(std::vector<uint8_t>(300, 0xAB));
  sim.SetTicketResponse(k_EResultAccessDenied, 3);
  Start();
  uint8_t bytes[256] = {};
  uint32_t length = 0;
  HAuthTicket handle = SteamUser()->GetAuthSessionTicket(bytes, sizeof bytes, &length);
  EXPECT_EQ(length, 256u);
  EXPECT_EQ(bytes[255], 0xAB);
  SteamAPI_RunCallbacks();
  SteamAPI_RunCallbacks();
  EXPECT_TRUE(responses.events.empty());
  SteamAPI_RunCallbacks();
  ASSERT_EQ(responses.events.size(), 1u);
  EXPECT_EQ(responses.events[0].m_hAuthTicket, handle);
  EXPECT_EQ(responses.events[0].m_eResult, k_EResultAccessDenied);
}

TEST_F(Platform, ATicketWhoseResponseNeverComes) {
  EventRecorder<GetAuthSessionTicketResponse_t> responses;
  sim.SetTicketResponse(k_EResultOK, 0);
  Start();
  uint8_t bytes[64];
  uint32_t length = 0;
  SteamUser()->GetAuthSessionTicket(bytes, sizeof bytes, &length);
  EXPECT_EQ(length, 8u);
  for (int i = 0; i < 50; ++i) SteamAPI_RunCallbacks();
  EXPECT_TRUE(responses.events.empty());
}

TEST_F(Platform, InterfaceCallsOfAnEndedSessionAreLoggedAndFail) {
  Start();
  ISteamUserStats* stats = SteamUserStats();
  SteamAPI_Shutdown();
  sim.ClearCalls();
  EXPECT_FALSE(stats->StoreStats());
  EXPECT_FALSE(stats->SetStat("KILLS", int32_t{3}));
  EXPECT_EQ(sim.CallsStartingWith("SteamAPI_ISteamUserStats_"),
            (std::vector<std::string>{"SteamAPI_ISteamUserStats_StoreStats()",
                                      "SteamAPI_ISteamUserStats_SetStatInt32(KILLS,3)"}));
  EXPECT_EQ(sim.StatInt("KILLS"), 0);
}

}  // namespace
