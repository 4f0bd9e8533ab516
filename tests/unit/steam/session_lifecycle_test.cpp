// Creation, start, shutdown and the account questions, against the simulated
// platform.
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/unit/steam/session_test_support.h"

namespace qz::test {
namespace {

using Lifecycle = SessionTest;
using Strings = std::vector<std::string>;

TEST_F(Lifecycle, CreationRegistersTheSixCallbacksBeforeTheStart) {
  ASSERT_EQ(QZSteam_Init(), 1);
  const std::pair<CCallbackBase*, int> expected[] = {
      {&Session().overlayActivatedCallback, 331}, {&Session().microTxnResponseCallback, 152},
      {&Session().ticketResponseCallback, 163},   {&Session().statsReceivedCallback, 1101},
      {&Session().statsStoredCallback, 1102},     {&Session().achievementStoredCallback, 1103}};
  const std::vector<sim::Registration>& registered = Sim().Registrations();
  ASSERT_EQ(registered.size(), std::size(expected));
  for (std::size_t i = 0; i < registered.size(); ++i) {
    EXPECT_EQ(registered[i].object, expected[i].first) << i;
    EXPECT_EQ(registered[i].callbackId, expected[i].second) << i;
  }
  const Strings trace = Trace();
  ASSERT_GE(trace.size(), 7u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(trace[i].rfind(i < 6 ? "RegisterCallback(" : "InitFlat(", 0), 0u) << trace[i];
}

TEST_F(Lifecycle, StartReadsTheUserAndTheGameAndShutdownEndsTheAuthSessionThenThePlatformOnce) {
  QZSteam_Shutdown();  // before any object: nothing
  EXPECT_EQ(steam::SessionObject(), nullptr);
  EXPECT_TRUE(Trace().empty());
  Sim().SetSteamId(0x0110000100ABCDEFull);
  Sim().SetAppId(0x12345678);
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_TRUE(Session().initialized);
  EXPECT_EQ(Session().steamId.ConvertToUint64(), 0x0110000100ABCDEFull);
  EXPECT_EQ(Session().gameId.ToUint64(), 0x345678u) << "application id masked to 24 bits";
  EXPECT_NE(Session().statsInterface, nullptr);
  EXPECT_NE(Session().userInterface, nullptr);
  EXPECT_EQ(QZSteam_Init(), -1);
  EXPECT_EQ(CountCalls("InitFlat("), 1);
  Forget();
  QZSteam_Shutdown();
  QZSteam_Shutdown();
  EXPECT_EQ(Trace(), (Strings{"User.EndAuthSession(76561197971525103)", "Shutdown()"}));
  EXPECT_FALSE(Sim().Running());
  EXPECT_EQ(QZSteam_Init(), 1) << "a new start on the same object";
  EXPECT_EQ(CountCalls("InitFlat("), 1);
}

TEST_F(Lifecycle, WithoutALoggedOnUserTheSessionStartsEmptyAndStillShutsDown) {
  Sim().SetLoggedOn(false);
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(Session().statsInterface, nullptr);
  EXPECT_EQ(Session().steamId.ConvertToUint64(), 0u);
  EXPECT_TRUE(Session().statsByName.empty() && Session().statsByAchievementId.empty()) << "no registry";
  Forget();
  EXPECT_EQ(QZSteam_BLoggedOn(), 0);
  char text[64];
  EXPECT_EQ(QZSteam_GetAccID64AsChar(text), 17);
  EXPECT_EQ(Trace(), (Strings{"User.BLoggedOn()", "User.GetSteamID()"})) << "both ask the platform";
  Forget();
  QZSteam_Shutdown();
  EXPECT_EQ(Trace(), Strings{"Shutdown()"}) << "no EndAuthSession for account 0";
  EXPECT_FALSE(Session().initialized);
}

void QZ_CDECL IgnoreOrder(uint64_t, int32_t) {}

TEST_F(Lifecycle, OnlyInitCreatesTheObjectAndOnlyAStartedSessionTakesTheMicroTxnFunction) {
  QZSteam_UpdateServer();
  QZSteam_RunCallbacks();
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(&IgnoreOrder), -1) << "no object";
  EXPECT_EQ(steam::SessionObject(), nullptr);
  Sim().SetStartSucceeds(false);
  EXPECT_EQ(QZSteam_Init(), 0);
  EXPECT_FALSE(Session().initialized);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(&IgnoreOrder), -2) << "start refused";
  Sim().SetStartSucceeds(true);
  ASSERT_EQ(QZSteam_Init(), 1) << "a refused start is tried again by the next Init";
  EXPECT_EQ(CountCalls("InitFlat("), 2);
  EXPECT_FALSE(Session().storePending);
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(&IgnoreOrder), 1);
  EXPECT_EQ(Session().microTxnCallback, &IgnoreOrder);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(nullptr), 1);
  EXPECT_EQ(Session().microTxnCallback, nullptr);
  QZSteam_Shutdown();
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(&IgnoreOrder), -2);
  EXPECT_EQ(Session().microTxnCallback, nullptr);
}

TEST_F(Lifecycle, AccountIdsComeFromThePlatformAtEachCall) {
  ASSERT_EQ(QZSteam_Init(), 1);
  const std::pair<uint64_t, std::string> cases[] = {{76561197960287930ull, "76561197960287930"}, {0, "0"},
                                                    {0xFFFFFFFFFFFFFFFFull, "-1"},
                                                    {0x8000000000000001ull, "-9223372036854775807"}};
  for (const auto& [steamId, expected] : cases) {
    Sim().SetSteamId(steamId);
    char text[64];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(QZSteam_GetAccID64AsChar(text), static_cast<int32_t>(expected.size()));
    EXPECT_EQ(text, expected);
    EXPECT_EQ(QZSteam_GetAccID(), static_cast<uint32_t>(std::strtoull(text, nullptr, 10)));
  }
  EXPECT_EQ(QZSteam_GetAccID64AsChar(nullptr), 0);
}

TEST_F(Lifecycle, AccountQuestionsWithoutAPlatformSessionAnswerAsForUserZero) {
  char text[64] = "unchanged";
  EXPECT_EQ(QZSteam_BLoggedOn(), 0);
  EXPECT_EQ(QZSteam_GetAccID(), 0u);
  EXPECT_EQ(QZSteam_GetAccID64AsChar(text), 1);
  EXPECT_STREQ(text, "0");
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(QZSteam_BLoggedOn(), 1);
  QZSteam_Shutdown();
  EXPECT_EQ(QZSteam_BLoggedOn(), 0);
  EXPECT_EQ(QZSteam_GetAccID(), 0u);
}

}  // namespace
}  // namespace qz::test
