// When memory runs out: the session object cannot be made, or a registry
// record cannot. No exception leaves an export and nothing crashes.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>

#include "sim/platform_sim.h"
#include "steam/session.h"
#include "steam/steam_exports.h"

namespace {

// Counts the nothrow allocations and fails the one with this index (from 1); 0: none.
int g_nothrowAllocations = 0;
int g_failNothrowAllocation = 0;

}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (++g_nothrowAllocations == g_failNothrowAllocation) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace qz::test {
namespace {

sim::PlatformSim& Sim() { return sim::PlatformSim::Instance(); }

TEST(SessionMemory, WithoutTheObjectEveryExportAnswersAsBeforeAnyStart) {
  Sim().Install();
  g_failNothrowAllocation = 1;
  EXPECT_EQ(QZSteam_Init(), 0);
  EXPECT_EQ(steam::SessionObject(), nullptr);
  QZSteam_RunCallbacks();
  QZSteam_UpdateServer();
  QZSteam_Shutdown();
  QZSteam_SetStatValue(1, "KILL_ENEMY");
  QZSteam_IncreaseStatValueFloat(1.0f, "RUN");
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(nullptr), -1);
  EXPECT_EQ(Sim().CallNames(), std::vector<std::string>{"SteamAPI_RunCallbacks"});

  EXPECT_EQ(QZSteam_Init(), 1) << "the next call tries again";
  EXPECT_NE(steam::SessionObject(), nullptr);
}

TEST(SessionMemory, AStatWhoseRecordCannotBeMadeIsLeftOutAndItsRowsSkipped) {
  Sim().Install();
  Sim().SetStat("VERSION", 1);
  Sim().SetStat("ACHIEVE_LEVEL", 60);
  g_failNothrowAllocation = 2;  // the object, then the first record: "ACHIEVE_LEVEL"
  ASSERT_EQ(QZSteam_Init(), 1);
  QZ_Steam& session = *steam::SessionObject();
  EXPECT_EQ(session.statsByName.size(), 38u);
  EXPECT_EQ(session.statsByAchievementId.size(), 54u);
  EXPECT_EQ(session.FindStatByAchievementId(1), nullptr);
  EXPECT_NE(session.FindStatByAchievementId(6), nullptr);
  QZSteam_RunCallbacks();
  QZSteam_RunCallbacks();
  ASSERT_TRUE(session.statsValid);
  for (std::size_t row = 0; row < 5; ++row) EXPECT_FALSE(steam::achievementTable[row].achieved);
}

}  // namespace
}  // namespace qz::test
