// The overlay, micro-transaction, ticket and achievement-stored events as the
// platform delivers them inside QZSteam_RunCallbacks.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

TEST_F(Events, TheLatestTicketResponseDecides) {
  const struct {
    std::vector<EResult> responses;
    bool failed;
    int32_t result;
  } cases[] = {
      {{k_EResultOK}, false, k_EResultOK},
      {{k_EResultFail}, true, k_EResultFail},
      {{k_EResultFail, k_EResultOK}, false, k_EResultOK},
      {{k_EResultOK, k_EResultTimeout}, true, k_EResultTimeout},
      {{k_EResultFail, k_EResultTimeout}, true, k_EResultTimeout},
      {{k_EResultFail, k_EResultOK, k_EResultAccessDenied}, true, k_EResultAccessDenied},
  };
  ASSERT_EQ(QZSteam_Init(), 1);
  for (const auto& c : cases) {
    for (EResult response : c.responses) Sim().QueueEvent(GetAuthSessionTicketResponse_t{7, response});
    Tick();
    EXPECT_TRUE(Session().ticketReceived.load());
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
