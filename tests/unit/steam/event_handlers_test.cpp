// The overlay, micro-transaction, ticket and achievement-stored events as the
// platform delivers them inside QZSteam_RunCallbacks.
#include <string>
#include <utility>
#include <vector>

#include "tests/unit/steam/session_test_support.h"

namespace qz::test {
namespace {

using Events = SessionTest;

GameOverlayActivated_t Overlay(bool active) { return GameOverlayActivated_t{static_cast<uint8_t>(active)}; }

MicroTxnAuthorizationResponse_t MicroTxn(uint64_t orderId, uint8_t authorized) {
  MicroTxnAuthorizationResponse_t event{};
  event.m_unAppID = 480;
  event.m_ulOrderID = orderId;
  event.m_bAuthorized = authorized;
  return event;
}

GetAuthSessionTicketResponse_t TicketResponse(EResult result) {
  GetAuthSessionTicketResponse_t event{};
  event.m_hAuthTicket = 7;
  event.m_eResult = result;
  return event;
}

// What the game's micro-transaction function saw: the order, the flag, and
// the overlay state and the platform's call count at the moment of the call.
struct GameCall {
  uint64_t orderId;
  int32_t authorized;
  int32_t overlayActive;
};
std::vector<GameCall>& GameCalls() {
  static std::vector<GameCall> calls;
  return calls;
}
void QZ_CDECL RecordOrder(uint64_t orderId, int32_t authorized) {
  GameCalls().push_back({orderId, authorized, QZSteam_IsOverlayActive()});
}

TEST_F(Events, OverlayFollowsTheLastEventInDeliveryOrder) {
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  Sim().QueueEvent(Overlay(true));
  Tick();
  EXPECT_EQ(QZSteam_IsOverlayActive(), 1);
  Sim().QueueEvent(Overlay(false));
  Tick();
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  Sim().QueueEvent(Overlay(true));
  Sim().QueueEvent(Overlay(false));
  Tick();
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
}

TEST_F(Events, MicroTxnResponsesReachTheGameInOrderInsideThePump) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().QueueEvent(MicroTxn(1, 1));
  Tick();  // before the game has set its function: dropped for good
  ASSERT_EQ(QZSteam_SetMicroTxnCallback(&RecordOrder), 1);
  Tick();
  EXPECT_TRUE(GameCalls().empty());

  Sim().QueueEvent(MicroTxn(0xFEDCBA9876543210ull, 0));
  Sim().QueueEvent(Overlay(true));
  Sim().QueueEvent(MicroTxn(3, 1));
  Tick();
  ASSERT_EQ(GameCalls().size(), 2u);
  EXPECT_EQ(GameCalls()[0].orderId, 0xFEDCBA9876543210ull);
  EXPECT_EQ(GameCalls()[0].authorized, 0);
  EXPECT_EQ(GameCalls()[0].overlayActive, 0) << "the overlay event came after it";
  EXPECT_EQ(GameCalls()[1].orderId, 3u);
  EXPECT_EQ(GameCalls()[1].authorized, 1);
  EXPECT_EQ(GameCalls()[1].overlayActive, 1);
}

void QZ_CDECL StoreFromTheGame(uint64_t, int32_t) { QZSteam_UpdateServer(); }

TEST_F(Events, TheGameFunctionRunsBeforeTheTickOfTheSamePump) {
  StartWithStatsReceived();
  ASSERT_EQ(QZSteam_SetMicroTxnCallback(&StoreFromTheGame), 1);
  Sim().QueueEvent(MicroTxn(9, 1));
  Tick();
  EXPECT_EQ(CountCalls("StoreStats("), 1) << "the store it asked for is made in the same QZSteam_RunCallbacks";
}

TEST_F(Events, TheLatestTicketResponseDecides) {
  struct Case {
    std::vector<EResult> responses;
    bool failed;
    int32_t result;
  };
  const Case cases[] = {
      {{k_EResultOK}, false, k_EResultOK},
      {{k_EResultFail}, true, k_EResultFail},
      {{k_EResultFail, k_EResultOK}, false, k_EResultOK},
      {{k_EResultOK, k_EResultTimeout}, true, k_EResultTimeout},
      {{k_EResultFail, k_EResultTimeout}, true, k_EResultTimeout},
      {{k_EResultFail, k_EResultOK, k_EResultAccessDenied}, true, k_EResultAccessDenied},
  };
  ASSERT_EQ(QZSteam_Init(), 1);
  for (const Case& c : cases) {
    for (EResult response : c.responses) Sim().QueueEvent(TicketResponse(response));
    Tick();
    EXPECT_TRUE(Session().ticketReceived.load());
    EXPECT_EQ(Session().ticketFailed, c.failed) << c.responses.size();
    EXPECT_EQ(Session().ticketResult, c.result) << c.responses.size();
  }
}

TEST_F(Events, AnAchievementStoredEventChangesNothing) {
  StartWithStatsReceived();
  UserAchievementStored_t stored{};
  stored.m_nGameID = 480;
  Sim().QueueEvent(stored);
  Tick();
  EXPECT_EQ(Trace(), std::vector<std::string>{"RunCallbacks()"});
  EXPECT_TRUE(DebugLines().empty());
  EXPECT_FALSE(Session().storePending);
  EXPECT_FALSE(Session().ticketReceived.load());
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
}

}  // namespace
}  // namespace qz::test
