// The request exports against the simulated platform: QZSteam_GetAuthTicket,
// whose sleeps go through the Windows seam so that the 202-iteration wait runs
// instantly, and the pass-through exports, which hand one request to the
// platform and its answer back.
#include <cstring>

#include "steam/binding/steam_client.h"
#include "steam/binding/steam_flat.h"
#include "tests/unit/steam/session/session_test_support.h"

// What QZSteam_Test_1 to QZSteam_Test_4 are exported as.
extern "C" void QZSteam_DoNothing();

namespace qz::test {
namespace {

using AuthTicket = SessionTest;

// An empty ticket is "-2", without a wait. The ticket as uppercase hex once
// its response has come, as late as in the 201st iteration of the wait; every
// answer in the same buffer, up to the whole 2048 bytes the platform may
// write. Once a response has arrived, calls answer at once.
TEST_F(AuthTicket, AnswersTheTicketAsUppercaseHexInOneBuffer) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Platform()->SetTicket({});
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "-2");
  std::vector<uint8_t> largest(2048);
  for (size_t i = 0; i < largest.size(); ++i) largest[i] = static_cast<uint8_t>(i);
  Platform()->SetTicket(largest);
  Platform()->SetTicketResponse(k_EResultOK, 201);
  char* const first = QZSteam_GetAuthTicket(1);
  ASSERT_EQ(std::strlen(first), 4096u);
  EXPECT_EQ(std::string(first, 8) + (first + 4088), "00010203FCFDFEFF");
  Platform()->SetTicket({0x01, 0xAB, 0xFF, 0x00, 0x5c});
  EXPECT_EQ(QZSteam_GetAuthTicket(1), first);
  EXPECT_STREQ(first, "01ABFF005C");
  EXPECT_EQ(sleeps.size(), 201u) << "none for the empty ticket";
}

// The wait counts 100 ms sleeps: the 202nd iteration is the first to start
// above 20000 ms counted, so it is the last, and even a response arriving in
// it is answered "-3". Each iteration pumps, and then runs the statistics
// cycle, only when asked to; the first call's response, delivered by the
// second call's first pump, is for an older ticket and does not count.
TEST_F(AuthTicket, TheWaitEndsAfter202SleepsAndPumpsOnlyWhenAsked) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Forget();
  EXPECT_STREQ(QZSteam_GetAuthTicket(0), "-3");
  EXPECT_EQ(Trace(), Strings{"User.GetAuthSessionTicket(ptr,2048,ptr,null)"})
      << "buffer, capacity, length, NULL identity";
  Platform()->SetTicketResponse(k_EResultOK, 202);
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "-3");
  EXPECT_EQ(sleeps, std::vector<uint32_t>(2 * 202, 100));
  EXPECT_EQ(CountCalls("RunCallbacks("), 202);
  EXPECT_EQ(CountCalls("RequestCurrentStats("), 1);
}

// A response handled before the call has noted its ticket's handle (by a pump
// on another thread) still ends a wait that does not pump, at once.
TEST_F(AuthTicket, AResponseHandledBeforeTheHandleIsNotedCounts) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Platform()->SetTicket({0x12, 0x34});
  static decltype(steam::SteamFlat().User_GetAuthSessionTicket) request;
  request = steam::SteamFlat().User_GetAuthSessionTicket;
  steam::SteamFlat().User_GetAuthSessionTicket = [](ISteamUser* self, void* ticket, int capacity, uint32_t* length,
                                                    const void* identity) {
    const HAuthTicket handle = request(self, ticket, capacity, length, identity);
    QZSteam_RunCallbacks();
    return handle;
  };
  EXPECT_STREQ(QZSteam_GetAuthTicket(0), "1234");
  EXPECT_TRUE(sleeps.empty());
}

// The game's micro-transaction function, run by the wait's first pump, calls
// back into the library. Shutdown during a ticket wait ends the wait with
// "-1", and no platform call follows; a ticket call inside a ticket wait
// answers its own ticket, and the outer call still answers its own.
std::string innerAnswer;
void QZ_CDECL ShutDownInside(uint64_t, int32_t) { QZSteam_Shutdown(); }
void QZ_CDECL AskATicketInside(uint64_t, int32_t) {
  Platform()->SetTicket({0xBB, 0xBB, 0xBB, 0xBB});
  innerAnswer = QZSteam_GetAuthTicket(1);
}

TEST_F(AuthTicket, TheGamesFunctionInsideTheWaitShutsDownOrAsksATicketOfItsOwn) {
  Platform()->SetTicketResponse(k_EResultOK, 2);
  ASSERT_EQ(QZSteam_Init(), 1);
  ASSERT_EQ(QZSteam_SetMicroTxnCallback(&ShutDownInside), 1);
  Platform()->QueueEvent(MicroTxnAuthorizationResponse_t{480, 1, 1});
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "-1");
  EXPECT_EQ(Platform()->Calls().back().function, "SteamAPI_Shutdown") << "no platform call after the shutdown";
  ASSERT_EQ(QZSteam_Init(), 1);
  ASSERT_EQ(QZSteam_SetMicroTxnCallback(&AskATicketInside), 1);
  Platform()->QueueEvent(MicroTxnAuthorizationResponse_t{480, 1, 1});
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "0102030405060708");
  EXPECT_EQ(innerAnswer, "BBBBBBBB");
  EXPECT_EQ(sleeps.size(), 1 + 3u);
}

// A failed response is answered with its result number. Only a response to
// the latest ticket requested counts (late response for an older ticket), and
// the latest such response decides, so a failure the platform has since taken
// back is not answered for ever. Once a response has arrived, calls answer at
// once.
TEST_F(AuthTicket, TheLatestResponseToTheLatestTicketDecides) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Platform()->SetTicketResponse(k_EResultFail, 1);
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "2");
  Platform()->SetTicketResponse(k_EResultOK, 0);  // from here on only the responses queued here
  Platform()->QueueEvent(GetAuthSessionTicketResponse_t{1, k_EResultOK});
  Tick();
  EXPECT_STREQ(QZSteam_GetAuthTicket(0), "0102030405060708");
  Platform()->QueueEvent(GetAuthSessionTicketResponse_t{2, k_EResultTimeout});
  Platform()->QueueEvent(GetAuthSessionTicketResponse_t{1, k_EResultOK});
  Tick();
  EXPECT_STREQ(QZSteam_GetAuthTicket(0), "16");
  EXPECT_EQ(sleeps.size(), 1u);
}

using PassThrough = SessionTest;

// The platform is started without the session object, as another part of the
// game might. Before the start and after the shutdown nothing is called and 0
// answered, as for a NULL text at any time; HTTP methods 1 to 6 pass and any
// other number becomes 0.
TEST_F(PassThrough, RequestsReachTheirInterfaceWithWholeAnswersOnlyWhileThePlatformRuns) {
  Platform()->SetAppId(2400290);
  Platform()->SetStoreAuthUrlCall(0xFEDCBA9876543210ull);
  Platform()->SetHttpRequestHandle(0x80000001u);
  const int32_t methods[][2] = {{INT32_MIN, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 3},
                                {4, 4},         {5, 5}, {6, 6}, {7, 0}, {INT32_MAX, 0}};
  for (const std::string phase : {"before the start", "running", "after the shutdown"}) {
    const bool running = phase == "running";
    ASSERT_TRUE(!running || SteamAPI_Init());
    if (phase == "after the shutdown") SteamAPI_Shutdown();
    Forget();
    QZSteam_OpenOverlay(nullptr);
    QZSteam_OpenURL(nullptr);
    EXPECT_EQ(QZSteam_ReqStoreAuthURL(nullptr), 0u) << phase;
    EXPECT_EQ(QZSteam_CreateHTTPRequest(1, nullptr), 0u) << phase;
    EXPECT_EQ(Trace(), Strings{}) << phase << ": a NULL text is not handed on";
    QZSteam_OpenOverlay("");
    QZSteam_OpenOverlay("achievements");
    QZSteam_OpenURL("https://example.org/news?id=7");
    QZSteam_Test2();
    QZSteam_DoNothing();
    EXPECT_EQ(QZSteam_ReqStoreAuthURL("https://example.org/back"), running ? 0xFEDCBA9876543210ull : 0u) << phase;
    EXPECT_EQ(QZSteam_Test(), running ? 2400290u : 0u) << phase;
    Strings expected{"ISteamFriends_ActivateGameOverlay()", "ISteamFriends_ActivateGameOverlay(achievements)",
                     "ISteamFriends_ActivateGameOverlayToWebPage(https://example.org/news?id=7,0)",
                     "ISteamFriends_ActivateGameOverlayToWebPage(https://store.steampowered.com/,0)",
                     "User.RequestStoreAuthURL(https://example.org/back)", "ISteamUtils_GetAppID()"};
    for (const auto& [method, passed] : methods) {
      EXPECT_EQ(QZSteam_CreateHTTPRequest(method, "http://x/"), running ? 0x80000001u : 0u) << phase << method;
      expected.push_back("ISteamHTTP_CreateHTTPRequest(" + std::to_string(passed) + ",http://x/)");
    }
    EXPECT_EQ(Trace(), running ? expected : Strings{}) << phase;
  }
  EXPECT_EQ(steam::SessionObject(), nullptr) << "no pass-through touches the session object";
}

}  // namespace
}  // namespace qz::test
