// QZSteam_GetAuthTicket against the simulated platform. Sleeping goes through
// the kernel seam, so the 202-iteration wait runs instantly and a test can act
// on a chosen iteration.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "sim/platform_sim.h"
#include "steam/kernel_seam.h"
#include "steam/request_exports.h"
#include "steam/session.h"
#include "steam/steam_exports.h"
#include "steam/steam_flat.h"

namespace {

using qz::sim::PlatformSim;

class AuthTicket : public ::testing::Test {
 protected:
  static std::vector<uint32_t> sleeps;
  static std::function<void(int)> onSleep;  // told the sleep's number, from 1

  void SetUp() override {
    Sim().Install();
    sleeps.clear();
    onSleep = nullptr;
    qz::kernel::Api().sleep = [](uint32_t ms) {
      sleeps.push_back(ms);
      if (onSleep) onSleep(static_cast<int>(sleeps.size()));
    };
  }
  void TearDown() override { qz::kernel::Api() = qz::kernel::DefaultApi(); }

  static PlatformSim& Sim() { return PlatformSim::Instance(); }
  static std::string Ticket(int32_t pump) { return QZSteam_GetAuthTicket(pump); }
  static size_t CallsOf(const std::string& name) { return Sim().CallsOf(name).size(); }
  static size_t Starts() {
    return CallsOf("SteamAPI_InitFlat") + CallsOf("SteamInternal_SteamAPI_Init") + CallsOf("SteamAPI_Init");
  }
  static size_t PumpsSince(size_t fromCall) {
    size_t n = 0;
    const auto& calls = Sim().Calls();
    for (size_t i = fromCall; i < calls.size(); ++i) n += calls[i].function == "SteamAPI_RunCallbacks";
    return n;
  }
};
std::vector<uint32_t> AuthTicket::sleeps;
std::function<void(int)> AuthTicket::onSleep;

TEST_F(AuthTicket, AnswersTheTicketAsUppercaseHexAfterTheResponse) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicket({0x01, 0xAB, 0xFF, 0x00, 0x5c});
  EXPECT_EQ(Ticket(1), "01ABFF005C");
  EXPECT_EQ(sleeps, std::vector<uint32_t>{100});
  const auto request = Sim().CallsOf("SteamAPI_ISteamUser_GetAuthSessionTicket");
  ASSERT_EQ(request.size(), 1u);
  EXPECT_EQ(request[0].arguments, "ptr,2048,ptr,null") << "buffer, capacity, length, NULL identity";
}

TEST_F(AuthTicket, AnswersMinusOneWhenNotStartedWithoutAskingThePlatform) {
  Sim().SetStartSucceeds(false);
  ASSERT_EQ(QZSteam_Init(), 0);
  Sim().SetStartSucceeds(true);
  Sim().ClearCalls();
  EXPECT_EQ(Ticket(1), "-1");
  EXPECT_EQ(Starts(), 0u) << "an existing object is not initialised again here";
  EXPECT_TRUE(Sim().CallsStartingWith("SteamAPI_ISteamUser_").empty());
  EXPECT_TRUE(sleeps.empty());
}

TEST_F(AuthTicket, AnswersMinusTwoForAnEmptyTicketWithoutWaiting) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicket({});
  EXPECT_EQ(Ticket(1), "-2");
  EXPECT_TRUE(sleeps.empty());
}

TEST_F(AuthTicket, FirstCallCreatesTheSessionAndStartsItOnce) {
  ASSERT_EQ(qz::steam::SessionObject(), nullptr);
  EXPECT_EQ(Ticket(1), "0102030405060708");
  EXPECT_NE(qz::steam::SessionObject(), nullptr);
  EXPECT_EQ(Starts(), 1u);
  EXPECT_EQ(QZSteam_Init(), -1) << "the platform stays started after the ticket call";
  Ticket(1);
  EXPECT_EQ(Starts(), 1u);
}

// The wait counts sleeps: a response that arrives in iteration k ends it after
// k sleeps; the 202nd iteration is the first to start above 20000 ms counted,
// so it is the last, and even a response arriving in it is answered "-3".
struct WaitCase {
  int responseOnPump;  // 0: never
  const char* answer;
  size_t sleeps;
};

class AuthTicketWait : public AuthTicket, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(AuthTicketWait, EndsOnTheResponsesIterationOrAfter202Sleeps) {
  const WaitCase& c = GetParam();
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicketResponse(k_EResultOK, c.responseOnPump);
  EXPECT_EQ(Ticket(1), c.answer);
  EXPECT_EQ(sleeps.size(), c.sleeps);
  EXPECT_EQ(sleeps, std::vector<uint32_t>(c.sleeps, 100));
}

INSTANTIATE_TEST_SUITE_P(ResponseOnPump, AuthTicketWait,
                         ::testing::Values(WaitCase{1, "0102030405060708", 1}, WaitCase{3, "0102030405060708", 3},
                                           WaitCase{201, "0102030405060708", 201}, WaitCase{202, "-3", 202},
                                           WaitCase{0, "-3", 202}));

TEST_F(AuthTicket, WithPumpingEveryIterationPumpsAndAdvancesTheStatistics) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicketResponse(k_EResultOK, 3);
  size_t before = Sim().Calls().size();
  Ticket(1);
  EXPECT_EQ(PumpsSince(before), 3u);
  EXPECT_EQ(CallsOf("SteamAPI_ISteamUserStats_RequestCurrentStats"), 1u)
      << "the statistics step ran inside the wait and asked for the statistics";
}

TEST_F(AuthTicket, WithoutPumpingNothingIsDeliveredInsideTheWait) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicketResponse(k_EResultOK, 1);
  size_t before = Sim().Calls().size();
  EXPECT_EQ(Ticket(0), "-3");
  EXPECT_EQ(sleeps.size(), 202u);
  EXPECT_EQ(PumpsSince(before), 0u);
  EXPECT_TRUE(Sim().CallsOf("SteamAPI_ISteamUserStats_RequestCurrentStats").empty());
}

void PumpOnAnotherThread() {
  std::thread([] { QZSteam_RunCallbacks(); }).join();
}

// The other thread pumps in the third sleep, or (param true) as soon as the
// platform has handed out the ticket, before the call has noted its handle.
class AuthTicketOtherThread : public AuthTicket, public ::testing::WithParamInterface<bool> {};

TEST_P(AuthTicketOtherThread, AResponseDeliveredOnAnotherThreadEndsAWaitWithoutPumping) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicket({0x12, 0x34});
  Sim().SetTicketResponse(k_EResultOK, 1);
  static decltype(qz::steam::SteamFlat().User_GetAuthSessionTicket) request;
  request = qz::steam::SteamFlat().User_GetAuthSessionTicket;
  if (GetParam())
    qz::steam::SteamFlat().User_GetAuthSessionTicket = [](ISteamUser* self, void* ticket, int capacity,
                                                           uint32_t* length, const void* identity) {
      const HAuthTicket handle = request(self, ticket, capacity, length, identity);
      PumpOnAnotherThread();
      return handle;
    };
  else
    onSleep = [](int sleep) {
      if (sleep == 3) PumpOnAnotherThread();
    };
  EXPECT_EQ(Ticket(0), "1234");
  EXPECT_EQ(sleeps.size(), GetParam() ? 0u : 3u);
}

INSTANTIATE_TEST_SUITE_P(PumpedWhen, AuthTicketOtherThread, ::testing::Bool());

// The game's micro-transaction function, run by the wait's first pump, calls
// back into the library: it ends the session, or asks a ticket of its own.
std::string innerAnswer;
void QZ_CDECL ShutDownInside(uint64_t, int32_t) { QZSteam_Shutdown(); }
void QZ_CDECL AskATicketInside(uint64_t, int32_t) {
  PlatformSim::Instance().SetTicket({0xBB, 0xBB, 0xBB, 0xBB});
  innerAnswer = QZSteam_GetAuthTicket(1);
}

struct InsideCase {
  const char* name;
  MicroTxnCallback function;
  const char* outer;
  const char* inner;
  size_t sleeps;
};
void PrintTo(const InsideCase& c, std::ostream* out) { *out << c.name; }

class AuthTicketInside : public AuthTicket, public ::testing::WithParamInterface<InsideCase> {};

TEST_P(AuthTicketInside, EachCallAnswersItsOwnTicketAndAnEndedSessionEndsTheWait) {
  const InsideCase& c = GetParam();
  ASSERT_EQ(QZSteam_Init(), 1);
  ASSERT_EQ(QZSteam_SetMicroTxnCallback(c.function), 1);
  Sim().QueueEvent(MicroTxnAuthorizationResponse_t{480, 1, 1});
  Sim().SetTicketResponse(k_EResultOK, 2);
  EXPECT_EQ(Ticket(1), c.outer);
  EXPECT_EQ(innerAnswer, c.inner);
  EXPECT_EQ(sleeps.size(), c.sleeps);
  const std::vector<std::string> names = Sim().CallNames();
  const auto shutdown = std::find(names.begin(), names.end(), "SteamAPI_Shutdown");
  EXPECT_TRUE(shutdown == names.end() || shutdown + 1 == names.end()) << "no platform call after the shutdown";
}

INSTANTIATE_TEST_SUITE_P(GameFunction, AuthTicketInside,
                         ::testing::Values(InsideCase{"Shutdown", &ShutDownInside, "-1", "", 1},
                                           InsideCase{"Ticket", &AskATicketInside, "0102030405060708", "BBBBBBBB", 3}));

TEST_F(AuthTicket, AFailedResponseIsAnsweredWithItsCodeAndLaterCallsDoNotWait) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicketResponse(k_EResultAccessDenied, 2);
  EXPECT_EQ(Ticket(1), "15");
  EXPECT_EQ(sleeps.size(), 2u);
  EXPECT_EQ(Ticket(1), "15") << "the new ticket's response has not arrived yet";
  EXPECT_EQ(sleeps.size(), 2u) << "once a response arrived, calls answer at once";
}

TEST_F(AuthTicket, TheLatestResponseDecidesBetweenFailureAndTicket) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicketResponse(k_EResultFail, 1);
  EXPECT_EQ(Ticket(1), "2");

  // A later ticket succeeds: once its response is in, the ticket is answered.
  Sim().SetTicketResponse(k_EResultOK, 1);
  Ticket(1);
  QZSteam_RunCallbacks();
  EXPECT_EQ(Ticket(1), "0102030405060708");

  // And a failure after a success is answered with its code again.
  Sim().SetTicketResponse(k_EResultTimeout, 1);
  Ticket(1);
  QZSteam_RunCallbacks();
  EXPECT_EQ(Ticket(1), "16");
}

TEST_F(AuthTicket, AShorterTicketOverwritesTheLongerOneInTheSameBuffer) {
  ASSERT_EQ(QZSteam_Init(), 1);
  Sim().SetTicket(std::vector<uint8_t>(240, 0xEE));
  char* first = QZSteam_GetAuthTicket(1);
  EXPECT_EQ(std::string(first).size(), 480u);
  Sim().SetTicket(std::vector<uint8_t>(234, 0x7A));
  char* second = QZSteam_GetAuthTicket(1);
  EXPECT_EQ(first, second) << "every call answers in the same buffer";
  std::string expected;
  for (int i = 0; i < 234; ++i) expected += "7A";
  EXPECT_EQ(second, expected);
}

TEST_F(AuthTicket, TheLargestTicketThePlatformMayWriteIsAnsweredWhole) {
  ASSERT_EQ(QZSteam_Init(), 1);
  std::vector<uint8_t> bytes(2048);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
  Sim().SetTicket(bytes);
  std::string answer = Ticket(1);
  ASSERT_EQ(answer.size(), 4096u);
  EXPECT_EQ(answer.substr(0, 8), "00010203");
  EXPECT_EQ(answer.substr(4088), "FCFDFEFF");
}

}  // namespace
