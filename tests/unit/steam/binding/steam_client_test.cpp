// The wrappers around the Steam seam: the start function they choose, when
// steam_api.dll is bound and callback objects registered, where the
// interfaces come from, the arguments they supply themselves, and the answer
// to RequestCurrentStats they give themselves on DLLs of 1.61 and later.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/platform_sim.h"
#include "steam/binding/steam_client.h"

namespace {

using qz::sim::Platform;
using qz::steam::SteamFlat;
using Strings = std::vector<std::string>;

// A callback object, registered at construction, that keeps every event delivered to it.
template <class P>
struct Recorder {
  Recorder() {
    callback.Bind(this, &Recorder::On);
    SteamAPI_RegisterCallback(&callback, P::k_iCallback);
  }
  void On(P* event) { events.push_back(*event); }
  std::vector<P> events;
  CCallback<Recorder, P, false> callback;
};

TEST(SteamApiInit, UsesTheNewestStartFunctionTheDllHasAndAnswersItsResult) {
  const struct {
    const char* release;
    const char* call;
  } rows[] = {{"1.60", "SteamAPI_InitFlat(ptr)"},
              {"1.58a", "SteamInternal_SteamAPI_Init(null,ptr)"},
              {"1.32", "SteamAPI_Init()"}};
  for (const auto& row : rows) {
    for (bool succeeds : {false, true}) {
      qz::sim::Install(row.release);
      Platform()->SetStartSucceeds(succeeds);
      Platform()->ClearCalls();
      EXPECT_EQ(SteamAPI_Init(), succeeds) << row.release;
      EXPECT_EQ(Platform()->CallLines(), Strings{row.call}) << row.release << ": the only call";
      SteamAPI_Shutdown();
    }
  }
}

TEST(SteamApiLoad, NothingRunsOrRegistersWithoutAUsableDll) {
  Recorder<UserStatsReceived_t> early;  // no DLL yet: nobody registers it
  EXPECT_FALSE(SteamAPI_Init());
  SteamAPI_RunCallbacks();
  SteamAPI_Shutdown();
  EXPECT_EQ((std::vector<const void*>{SteamUser(), SteamUserStats(), SteamFriends(), SteamUtils(), SteamHTTP()}),
            std::vector<const void*>(5, nullptr));
  EXPECT_EQ(early.callback.GetFlags(), 0);

  qz::sim::Install();
  SteamFlat().SteamUtils = nullptr;  // a release that lacks a required export
  EXPECT_FALSE(SteamAPI_Init());
  EXPECT_STREQ(qz::steam::LastLoadFailure().firstMissing, "SteamAPI_SteamUtils_v011");
  EXPECT_TRUE(Platform()->Calls().empty()) << "a DLL missing a required export is not used";
}

// Releases 1.37-1.47 export no accessor: the interfaces come from
// SteamClient() for the running session's user and pipe, so none before the
// start or after the shutdown.
TEST(SteamApiLoad, WithoutAccessorsTheInterfacesComeFromTheClient) {
  qz::sim::Install("1.37");
  EXPECT_EQ(SteamUser(), nullptr);
  ASSERT_TRUE(SteamAPI_Init());
  ASSERT_NE(SteamUser(), nullptr);
  EXPECT_TRUE(SteamUser()->BLoggedOn());
  EXPECT_EQ(SteamUtils()->GetAppID(), 480u);
  EXPECT_NE(SteamUserStats(), nullptr);
  EXPECT_NE(SteamFriends(), nullptr);
  EXPECT_NE(SteamHTTP(), nullptr);
  SteamAPI_Shutdown();
  EXPECT_EQ(SteamUser(), nullptr);
}

TEST(Wrappers, SupplyTheirOwnArguments) {
  qz::sim::Install();
  ASSERT_TRUE(SteamAPI_Init());
  Platform()->ClearCalls();
  unsigned char ticket[2048];
  uint32_t length = 0;
  SteamUser()->GetAuthSessionTicket(ticket, sizeof ticket, &length);
  SteamFriends()->ActivateGameOverlayToWebPage("https://example.org/a?b=1");
  EXPECT_EQ(Platform()->CallLines("SteamAPI_ISteam"),
            (Strings{"SteamAPI_ISteamUser_GetAuthSessionTicket(ptr,2048,ptr,null)",
                     "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://example.org/a?b=1,0)"}))
      << "a NULL identity and web page mode 0";
}

TEST(StatsRequestFrom161, AnsweredOnceOnTheNextPumpToTheObjectOfItsIdAndDroppedByAShutdown) {
  qz::sim::Install("1.61");
  Platform()->SetAppId(0x7F123456);  // the game id keeps the low 24 bits
  Platform()->SetSteamId(76561197960287931ull);
  Recorder<UserStatsReceived_t> received;
  Recorder<UserStatsStored_t> stored;
  ASSERT_TRUE(SteamAPI_Init());
  ASSERT_TRUE(SteamUserStats()->RequestCurrentStats());
  SteamAPI_Shutdown();
  SteamAPI_RunCallbacks();
  ASSERT_TRUE(SteamAPI_Init());
  SteamAPI_RunCallbacks();
  EXPECT_TRUE(received.events.empty()) << "the shutdown dropped the answer";

  Platform()->ClearCalls();
  EXPECT_TRUE(SteamUserStats()->RequestCurrentStats());
  EXPECT_TRUE(received.events.empty()) << "nothing before the pump";
  for (int pump = 0; pump < 3; ++pump) SteamAPI_RunCallbacks();
  ASSERT_EQ(received.events.size(), 1u) << "exactly one answer";
  EXPECT_EQ(received.events[0].m_nGameID, 0x123456u);
  EXPECT_EQ(received.events[0].m_eResult, k_EResultOK);
  EXPECT_EQ(received.events[0].m_steamIDUser.ConvertToUint64(), 76561197960287931ull);
  EXPECT_TRUE(stored.events.empty());
  EXPECT_TRUE(Platform()->CallLines("SteamAPI_ISteamUserStats_").empty()) << "no platform call for the request";
}

}  // namespace

namespace {

// A game runs on the simulator for hours: its record of calls keeps the
// latest within a bound (the log file is the whole record).
TEST(Simulator, TheCallRecordKeepsTheLatestCallsWithinItsBound) {
  qz::sim::PlatformModel model;
  for (int i = 0; i < 1000000; ++i) model.BLoggedOn();
  model.GetAppID();
  EXPECT_EQ(model.Calls().size(), qz::sim::PlatformModel::kCallRecordBound);
  EXPECT_EQ(model.Calls().back().function, "SteamAPI_ISteamUtils_GetAppID");
}

}  // namespace
