// Creation, start, shutdown, the account questions and the game's events,
// against the simulated platform.
#include <cstring>
#include <functional>

#include "steam/binding/steam_flat.h"
#include "tests/unit/steam/session/session_test_support.h"

namespace qz::test {
namespace {

using SteamSession = SessionTest;

// What the game's micro-transaction function saw, with the overlay state at
// the moment of the call; it also asks for a store, as a game may.
Strings gameCalls;
void QZ_CDECL RecordOrder(uint64_t orderId, int32_t authorized) {
  gameCalls.push_back(std::to_string(orderId) + "," + std::to_string(authorized) + " overlay " +
                      std::to_string(QZSteam_IsOverlayActive()));
  QZSteam_UpdateServer();
}

// Only QZSteam_Init makes the object, and only a started session takes the
// game's function or asks for a ticket; a refused start is tried again by the
// next QZSteam_Init;
// QZSteam_Shutdown ends the auth session and then the platform, once.
TEST_F(SteamSession, FromNoObjectToARefusedStartAStartAShutdownAndANewStart) {
  QZSteam_Shutdown();
  QZSteam_UpdateServer();
  QZSteam_RunCallbacks();
  QZSteam_SetStatValue(1, "KILL_ENEMY");
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(&RecordOrder), -1) << "no object";
  EXPECT_EQ(Trace(), Strings{"RunCallbacks()"});
  Platform()->SetStartSucceeds(false);
  EXPECT_EQ(QZSteam_Init(), 0);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(&RecordOrder), -2) << "not started";
  Platform()->SetStartSucceeds(true);
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "-1") << "the ticket export starts only an object it makes";
  Platform()->SetAppId(0x12345678);
  ASSERT_EQ(QZSteam_Init(), 1);
  const Strings trace = Trace();
  EXPECT_EQ(Strings(trace.begin() + 1, trace.begin() + 9),
            (Strings{"RegisterCallback(ptr,331)", "RegisterCallback(ptr,152)", "RegisterCallback(ptr,163)",
                     "RegisterCallback(ptr,1101)", "RegisterCallback(ptr,1102)", "RegisterCallback(ptr,1103)",
                     "InitFlat(ptr)", "InitFlat(ptr)"}))
      << "the six callback members, in declaration order, before the first start";
  EXPECT_EQ(Session().GameId().ToUint64(), 0x345678u) << "application id masked to 24 bits";
  EXPECT_EQ(QZSteam_Init(), -1);
  Forget();
  QZSteam_Shutdown();
  QZSteam_Shutdown();
  EXPECT_EQ(Trace(), (Strings{"User.EndAuthSession(76561197960287930)", "Shutdown()"}));
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(&RecordOrder), -2);
  EXPECT_EQ(QZSteam_Init(), 1) << "a new start on the same object";
  EXPECT_EQ(CountCalls("InitFlat("), 1);
}

// A start without a user, also after a player's session, says so, never asks
// for statistics and acts on nothing that session left: the game's updates
// are dropped, nothing is unlocked or stored, and no auth session is ended.
TEST_F(SteamSession, AStartWithoutAUserTouchesNothingOfThePreviousPlayer) {
  Platform()->SetStat("KILL_ENEMY", 7);
  StartWithStatsReceived();
  QZSteam_Shutdown();
  Platform()->SetLoggedOn(false);
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(lines, Strings{"A:QZSteam: no user is logged on to Steam; the session runs without statistics\n"});
  Forget();
  QZSteam_IncreaseStatValue(5, "KILL_ENEMY");
  QZSteam_UpdateServer();
  Tick(3);
  EXPECT_EQ(QZSteam_StatsReceived(), 0) << "no user, no statistics";
  QZSteam_Shutdown();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RunCallbacks()", "RunCallbacks()", "Shutdown()"}));
  EXPECT_EQ(Platform()->StatInt("KILL_ENEMY"), 7);
}

// A start as another player holds nothing of the player before: their values
// never reach the new account, and their achievements are not the new
// player's; the new player's statistics count once they have arrived.
TEST_F(SteamSession, AStartAsAnotherPlayerBeginsWithNothingHeld) {
  Platform()->SetAchievement("WIN_MATCH_1", true);
  StartWithStatsReceived();
  QZSteam_SetStatValue(4, "KILL_ENEMY");
  QZSteam_UpdateServer();
  QZSteam_Shutdown();
  Platform()->SetSteamId(76561197960287931ull);
  Platform()->SetStat("KILL_ENEMY", 500);
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_FALSE(Session().AchievementAt(17).achieved) << "WIN_MATCH_1 was the other player's";
  Forget();
  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
  QZSteam_UpdateServer();
  Tick();
  EXPECT_EQ(Trace(), (Strings{"RunCallbacks()", "RequestCurrentStats()"})) << "nothing stored before they arrive";
  Tick(2);
  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
  QZSteam_UpdateServer();
  QZSteam_Shutdown();
  EXPECT_EQ(Platform()->StatInt("KILL_ENEMY"), 501);
}

// Every start that answers 0 writes one debugger line with its reason, and
// the next start tries again.
TEST_F(SteamSession, EachRefusedStartSaysWhyInOneLine) {
  const struct {
    std::function<void()> platform;
    const char* line;
  } rows[] = {
      {[] { steam::SteamFlat() = {}; }, "steam_api.dll could not be loaded (system error 126)"},
      {[] { steam::SteamFlat().User_BLoggedOn = nullptr; },
       "steam_api.dll is a release the library cannot use: it lacks SteamAPI_ISteamUser_BLoggedOn"},
      {[] { Platform()->SetStartSucceeds(false); },
       "the Steam platform did not start: SteamAPI_InitFlat answered 2 (no Steam client)"},
      {[] {
         sim::Install("1.32");
         Platform()->SetStartSucceeds(false);
       },
       "the Steam platform did not start: SteamAPI_Init answered false"},
  };
  for (const auto& row : rows) {
    sim::Reset();
    sim::Install();
    row.platform();
    lines.clear();
    EXPECT_EQ(QZSteam_Init(), 0);
    EXPECT_EQ(lines, Strings{std::string("A:QZSteam: ") + row.line + "\n"});
  }
}

// Asked of the platform at each call; without a platform session, answered
// as for user 0.
TEST_F(SteamSession, AccountIdsComeFromThePlatformAtEachCall) {
  char text[64];
  EXPECT_EQ(QZSteam_GetAccID64AsChar(text), 1);
  EXPECT_STREQ(text, "0");
  EXPECT_EQ(QZSteam_GetAccID64AsChar(nullptr), 0);
  EXPECT_EQ(QZSteam_BLoggedOn(), 0);
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(QZSteam_BLoggedOn(), 1);
  const std::pair<uint64_t, std::string> cases[] = {{76561197960287930ull, "76561197960287930"},
                                                    {0xFFFFFFFFFFFFFFFFull, "-1"}};
  for (const auto& [steamId, expected] : cases) {
    Platform()->SetSteamId(steamId);
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(QZSteam_GetAccID64AsChar(text), static_cast<int32_t>(expected.size()));
    EXPECT_EQ(text, expected);
    EXPECT_EQ(QZSteam_GetAccID(), static_cast<uint32_t>(steamId));
  }
  QZSteam_Shutdown();
  EXPECT_EQ(QZSteam_BLoggedOn(), 0);
  EXPECT_EQ(QZSteam_GetAccID(), 0u);
}

// Micro-transaction responses reach the game's function, all 64 bits of the
// order, in delivery order with the overlay events, inside the pump.
TEST_F(SteamSession, MicroTxnResponsesAndOverlayEventsInDeliveryOrder) {
  StartWithStatsReceived();
  Platform()->QueueEvent(MicroTxnAuthorizationResponse_t{480, 1, 1});
  Tick();  // before the game has set its function: dropped for good
  ASSERT_EQ(QZSteam_SetMicroTxnCallback(&RecordOrder), 1);
  Platform()->QueueEvent(MicroTxnAuthorizationResponse_t{480, 0xFEDCBA9876543210ull, 0});
  Platform()->QueueEvent(GameOverlayActivated_t{1});
  Platform()->QueueEvent(MicroTxnAuthorizationResponse_t{480, 3, 1});
  Tick();
  EXPECT_EQ(gameCalls, (Strings{"18364758544493064720,0 overlay 0", "3,1 overlay 1"}));
  EXPECT_EQ(CountCalls("StoreStats("), 1)
      << "the store the function asked for is made in the same QZSteam_RunCallbacks";
  Platform()->QueueEvent(GameOverlayActivated_t{0});
  Tick();
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
}

}  // namespace
}  // namespace qz::test
