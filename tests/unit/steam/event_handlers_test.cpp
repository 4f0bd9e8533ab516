// The overlay, micro-transaction, ticket and achievement-stored events as the
// platform delivers them inside QZSteam_RunCallbacks.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "steam/request_exports.h"
#include "tests/unit/steam/session_test_support.h"

namespace qz::test {
namespace {

using Events = SessionTest;
using Strings = std::vector<std::string>;

TEST_F(Events, OverlayFollowsTheLastEventInDeliveryOrder) {
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  const std::pair<std::vector<uint8_t>, int32_t> pumps[] = {{{1}, 1}, {{0}, 0}, {{1, 0}, 0}, {{0, 1}, 1}};
  for (const auto& [events, expected] : pumps) {
    for (uint8_t active : events) Sim().QueueEvent(GameOverlayActivated_t{active});
    Tick();
    EXPECT_EQ(QZSteam_IsOverlayActive(), expected) << events.size();
  }
}

// What the game's micro-transaction function saw, with the overlay state at
// the moment of the call; it also asks for a store, as a game may.
Strings& GameCalls() {
  static Strings calls;
  return calls;
}
void QZ_CDECL RecordOrder(uint64_t orderId, int32_t authorized) {
  GameCalls().push_back(std::to_string(orderId) + "," + std::to_string(authorized) + " overlay " +
                        std::to_string(QZSteam_IsOverlayActive()));
  QZSteam_UpdateServer();
}

TEST_F(Events, MicroTxnResponsesReachTheGameInOrderInsideThePump) {
  StartWithStatsReceived();
  Sim().QueueEvent(MicroTxnAuthorizationResponse_t{480, 1, 1});
  Tick();  // before the game has set its function: dropped for good
  ASSERT_EQ(QZSteam_SetMicroTxnCallback(&RecordOrder), 1);
  Tick();
  EXPECT_TRUE(GameCalls().empty());
  EXPECT_EQ(CountCalls("StoreStats("), 0);

  Sim().QueueEvent(MicroTxnAuthorizationResponse_t{480, 0xFEDCBA9876543210ull, 0});
  Sim().QueueEvent(GameOverlayActivated_t{1});
  Sim().QueueEvent(MicroTxnAuthorizationResponse_t{480, 3, 1});
  Tick();
  EXPECT_EQ(GameCalls(), (Strings{"18364758544493064720,0 overlay 0", "3,1 overlay 1"}))
      << "all 64 bits of the order; the overlay event lands between the two";
  EXPECT_EQ(CountCalls("StoreStats("), 1) << "the store the function asked for is made in the same QZSteam_RunCallbacks";
}

// Only a response to the latest ticket requested counts, and the latest such
// response decides; responses to any other ticket change nothing.
TEST_F(Events, TheLatestResponseToTheLatestTicketDecides) {
  const struct {
    std::vector<std::pair<bool, EResult>> responses;  // to the latest ticket?, result
    bool received, failed;
    int32_t result;
  } cases[] = {
      {{{false, k_EResultFail}}, false, false, k_EResultOK},
      {{{true, k_EResultFail}}, true, true, k_EResultFail},
      {{{true, k_EResultOK}, {false, k_EResultTimeout}}, true, false, k_EResultOK},
      {{{true, k_EResultFail}, {true, k_EResultTimeout}}, true, true, k_EResultTimeout},
      {{{false, k_EResultOK}}, true, true, k_EResultTimeout},
  };
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicketResponse(k_EResultOK, 0);
  ASSERT_STREQ(QZSteam_GetAuthTicket(0), "-3");
  const HAuthTicket latest = Sim().CallsOf("SteamAPI_ISteamUser_GetAuthSessionTicket").size();  // handles count from 1
  for (const auto& c : cases) {
    for (const auto& [toLatest, result] : c.responses)
      Sim().QueueEvent(GetAuthSessionTicketResponse_t{toLatest ? latest : latest + 1, result});
    Tick();
    EXPECT_EQ(Session().ticketReceived.load(), c.received) << c.responses.size();
    EXPECT_EQ(Session().ticketFailed.load(), c.failed) << c.responses.size();
    EXPECT_EQ(Session().ticketResult.load(), c.result) << c.responses.size();
  }
}

TEST_F(Events, AnAchievementStoredEventChangesNothing) {
  StartWithStatsReceived();
  UserAchievementStored_t stored{};
  stored.m_nGameID = 480;
  Sim().QueueEvent(stored);
  Tick();
  EXPECT_EQ(Trace(), Strings{"RunCallbacks()"});
  EXPECT_TRUE(DebugLines().empty());
  EXPECT_FALSE(Session().storePending);
  EXPECT_FALSE(Session().ticketReceived.load());
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
}

}  // namespace
}  // namespace qz::test
