// Start, load and registration rules of the wrappers around the Steam seam.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "sim/platform_sim.h"
#include "steam/steam_client.h"
#include "tests/unit/binding/event_recorder.h"

namespace {

using qz::sim::PlatformSim;
using qz::steam::SteamFlat;

// The five interfaces as the accessors give them.
std::vector<const void*> Interfaces() {
  return {SteamUser(), SteamUserStats(), SteamFriends(), SteamUtils(), SteamHTTP()};
}

struct StartCase {
  const char* release;
  bool hasInitFlat, hasInternalInit, hasInit;
  const char* expectedCall;
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.release; }

class StartPreference : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartPreference, UsesTheNewestStartFunctionTheDllHas) {
  const StartCase& c = GetParam();
  for (bool succeeds : {false, true}) {
    PlatformSim& sim = PlatformSim::Instance();
    sim.Install();
    if (!c.hasInitFlat) SteamFlat().InitFlat = nullptr;
    if (!c.hasInternalInit) SteamFlat().InternalInit = nullptr;
    if (!c.hasInit) SteamFlat().Init = nullptr;
    sim.SetStartSucceeds(succeeds);
    sim.ClearCalls();

    EXPECT_EQ(SteamAPI_Init(), succeeds) << c.release;
    EXPECT_EQ(sim.CallsStartingWith(""), std::vector<std::string>{c.expectedCall}) << c.release << ": the only call";
    EXPECT_EQ(sim.Running(), succeeds);
    SteamAPI_Shutdown();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Releases, StartPreference,
    ::testing::Values(StartCase{"1.59 and later", true, true, true, "SteamAPI_InitFlat(ptr)"},
                      StartCase{"1.59 without the old start", true, false, false, "SteamAPI_InitFlat(ptr)"},
                      StartCase{"1.58a", false, true, true, "SteamInternal_SteamAPI_Init(null,ptr)"},
                      StartCase{"up to 1.57", false, false, true, "SteamAPI_Init()"}));

TEST(SteamApiLoad, WithoutTheDllNothingStartsAndEveryCallIsHarmless) {
  EventRecorder<GameOverlayActivated_t> overlay;
  EXPECT_FALSE(SteamAPI_Init());
  SteamAPI_RunCallbacks();
  SteamAPI_Shutdown();
  EXPECT_EQ(Interfaces(), std::vector<const void*>(5, nullptr));
  EXPECT_EQ(overlay.callback.GetFlags(), 0) << "nobody registered it";
}

TEST(SteamApiLoad, ADllMissingARequiredExportIsNotUsed) {
  PlatformSim& sim = PlatformSim::Instance();
  sim.Install();
  SteamFlat().SteamUtils = nullptr;  // e.g. a 1.37-1.47 DLL: no accessors at all
  sim.ClearCalls();
  EXPECT_FALSE(SteamAPI_Init());
  EXPECT_TRUE(sim.Calls().empty());
}

TEST(SteamApiLoad, ObjectsRegisteredBeforeTheLoadAreRegisteredOnceItLoads) {
  PlatformSim& sim = PlatformSim::Instance();
  EventRecorder<UserStatsReceived_t> early;  // no DLL yet
  EXPECT_TRUE(sim.Registrations().empty());

  sim.Install();
  ASSERT_TRUE(SteamAPI_Init());
  EventRecorder<UserStatsStored_t> late;  // DLL loaded: straight through

  ASSERT_EQ(sim.Registrations().size(), 2u);
  EXPECT_EQ(sim.Registrations()[0].object, &early.callback);
  EXPECT_EQ(sim.Registrations()[0].callbackId, 1101);
  EXPECT_EQ(sim.Registrations()[1].object, &late.callback);
  EXPECT_EQ(sim.Registrations()[1].callbackId, 1102);
  EXPECT_EQ(early.callback.GetFlags(), CCallbackBase::k_ECallbackFlagsRegistered);

  SteamAPI_Shutdown();
  ASSERT_TRUE(SteamAPI_Init());
  EXPECT_EQ(sim.Registrations().size(), 2u) << "a second start registers nothing again";
}

TEST(SteamApiLoad, AccessorsGiveInterfacesOnlyWhileThePlatformRuns) {
  PlatformSim& sim = PlatformSim::Instance();
  sim.Install();
  EXPECT_EQ(Interfaces(), std::vector<const void*>(5, nullptr)) << "before start";
  ASSERT_TRUE(SteamAPI_Init());
  for (const void* handle : Interfaces()) EXPECT_NE(handle, nullptr) << "while running";
  SteamAPI_Shutdown();
  EXPECT_EQ(Interfaces(), std::vector<const void*>(5, nullptr)) << "after shutdown";
}

}  // namespace
