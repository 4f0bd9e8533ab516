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

// Records overlay and micro-transaction events into one trace.
struct Trace {
  void Overlay(GameOverlayActivated_t* e) { seen.push_back("overlay " + std::to_string(e->m_bActive)); }
  void Txn(MicroTxnAuthorizationResponse_t* e) { seen.push_back("txn " + std::to_string(e->m_ulOrderID)); }
  std::vector<std::string> seen;
  CCallback<Trace, GameOverlayActivated_t, false> overlay{this, &Trace::Overlay};
  CCallback<Trace, MicroTxnAuthorizationResponse_t, false> txn{this, &Trace::Txn};
};

TEST_F(Platform, EventsArriveOnTheirPumpInQueueOrderOnlyWhileRunning) {
  Trace trace;
  sim.QueueEvent(GameOverlayActivated_t{1}, 2);
  sim.QueueEvent(MicroTxnAuthorizationResponse_t{480, 11, 1}, 1);
  sim.QueueEvent(GameOverlayActivated_t{0}, 1);
  sim.QueueEvent(MicroTxnAuthorizationResponse_t{480, 12, 0}, 1);
  SteamAPI_RunCallbacks();
  EXPECT_TRUE(trace.seen.empty()) << "a pump before the start neither delivers nor counts";

  Start();
  SteamAPI_RunCallbacks();
  EXPECT_EQ(trace.seen, (std::vector<std::string>{"txn 11", "overlay 0", "txn 12"}));
  SteamAPI_RunCallbacks();
  EXPECT_EQ(trace.seen.back(), "overlay 1");

  sim.QueueEvent(GameOverlayActivated_t{0}, 1);
  SteamAPI_Shutdown();
  Start();
  SteamAPI_RunCallbacks();
  EXPECT_EQ(trace.seen.size(), 4u) << "shutdown dropped the queue";
}

TEST_F(Platform, RequestAndStoreFollowTheirScriptedAnswersAndResults) {
  EventRecorder<UserStatsReceived_t> received;
  EventRecorder<UserStatsStored_t> stored;
  sim.SetRequestCurrentStatsResults({false, true});
  sim.SetStoreStatsResults({false, true, false});
  sim.SetStatsReceivedResult(k_EResultFail);
  sim.SetStatsStoredResult(k_EResultInvalidParam);
  Start();
  ISteamUserStats* stats = SteamUserStats();
  std::vector<bool> requests, stores;
  for (int i = 0; i < 4; ++i) {
    requests.push_back(stats->RequestCurrentStats());
    stores.push_back(stats->StoreStats());
  }
  EXPECT_EQ(requests, (std::vector<bool>{false, true, true, true})) << "the last answer repeats";
  EXPECT_EQ(stores, (std::vector<bool>{false, true, false, false}));

  SteamAPI_RunCallbacks();
  ASSERT_EQ(received.events.size(), 3u) << "one answer per accepted request";
  EXPECT_EQ(received.events[0].m_eResult, k_EResultFail);
  ASSERT_EQ(stored.events.size(), 1u) << "refused stores are not answered";
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
  EXPECT_TRUE(stats->GetStat("NEVER_SET", &value));
  EXPECT_EQ(value, 0) << "a configured stat that was never set reads 0";
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

}  // namespace
